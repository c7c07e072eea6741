#include "game/picture_error.h"

namespace {

const char* reason(PictureFault why)
{
    switch (why) {
    case PictureFault::Missing:
        return "ファイルがありません。";
    case PictureFault::NotAFile:
        return "ファイルではなくフォルダーです。";
    case PictureFault::NotReadable:
        return "ファイルを読む権限がありません。";
    case PictureFault::Empty:
        return "ファイルが空です。";
    case PictureFault::NotABitmap:
        return "ビットマップ (BMP) 形式ではありません。";
    case PictureFault::CutOff:
        return "ファイルが途中で切れています。";
    case PictureFault::TooLarge:
        return "画像が大きすぎます。";
    case PictureFault::Broken:
        return "画像が壊れています。";
    }
    return "";
}

} // namespace

std::string pictureErrorText(std::string_view path, PictureFault why)
{
    std::string text = "画像ファイルを読み込めません。\n";
    text.append(path).append("\n").append(reason(why));
    return text;
}
