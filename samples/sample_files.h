#pragma once

#include <QByteArray>
#include <QColor>
#include <QSize>

// Bitmap and wave files written byte by byte, in the variants a picture or
// sound file may come in, for tests, the benchmark and the fuzzer's seeds.

enum class BitmapKind {
    Mono, // 1 bit per pixel, two-colour palette
    Palette8, // 8 bits per pixel, 256-colour palette
    Rle8, // 8-bit palette, run-length encoded
    Rgb24,
    Rgb32,
};

// A bitmap of one colour (the nearest the kind can show).
[[nodiscard]] QByteArray bitmapBytes(BitmapKind kind, QSize size, QColor colour);

// Where a wave file has an odd-sized chunk (a three-byte LIST) besides its
// format and samples.
enum class OddChunk {
    None,
    PaddedBeforeSamples, // with its pad byte, as it must be before another chunk
    UnpaddedAtTheEnd, // the file ends with it, its pad byte left out
};

struct WaveFormat {
    int rate = 44100;
    int channels = 1;
    int bits = 16; // 8, 16, 24 or 32
    bool floats = false; // 32-bit IEEE float samples
    OddChunk oddChunk = OddChunk::None;
};

// A wave file lasting ms: a tone for its first toneMs (all of it when
// toneMs < 0), silence after.
[[nodiscard]] QByteArray waveBytes(const WaveFormat& format, int ms, int toneMs = -1);
