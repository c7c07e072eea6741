#pragma once

#include <string>
#include <string_view>

// What the player is told of a picture the game cannot do without, the same
// in every view: the file, then why.
[[nodiscard]] inline std::string pictureErrorText(std::string_view path, std::string_view reason)
{
    std::string text = "画像ファイルを読み込めません。\n";
    text.append(path).append("\n").append(reason);
    return text;
}

// The reasons every view meets.
inline constexpr char kPictureMissing[] = "ファイルがありません。";
inline constexpr char kPictureBroken[] = "ビットマップが壊れています。";
