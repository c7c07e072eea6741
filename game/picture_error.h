#pragma once

#include "media/picture_fault.h"

#include <string>
#include <string_view>

// What the player is told of a picture the game cannot do without, the same
// in every view: the file, then why.
[[nodiscard]] std::string pictureErrorText(std::string_view path, PictureFault why);
