#pragma once

// Why a picture file could not be read. Standard C++: every view reports
// these to the game, which has the words for them.
enum class PictureFault {
    Missing, // no file of that name
    NotAFile, // a folder of that name
    NotReadable, // no permission to read it
    Empty,
    NotABitmap, // a file of another format
    CutOff, // it ends before its pixels do
    TooLarge, // its header claims more pixels than any picture could need
    Broken, // its pixels cannot be decoded
};
inline constexpr int kPictureFaultCount = static_cast<int>(PictureFault::Broken) + 1;
