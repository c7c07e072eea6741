#include "media/wave_file.h"

#include <QtEndian>

namespace {

constexpr qsizetype kRiffHeaderSize = 12; // "RIFF", size, "WAVE"
constexpr qsizetype kChunkHeaderSize = 8; // id, size

} // namespace

bool isWholeWave(const QByteArray& bytes)
{
    if (bytes.size() < kRiffHeaderSize || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return false;
    qint64 at = kRiffHeaderSize;
    while (at + kChunkHeaderSize <= bytes.size()) {
        const qint64 size = qFromLittleEndian<quint32>(bytes.constData() + at + 4);
        if (at + kChunkHeaderSize + size > bytes.size())
            return false;
        // A chunk of odd size is followed by a pad byte, so that the next
        // starts on an even offset; the last chunk's may be missing, as
        // every sample is there and SDL_mixer plays the file all the same.
        at += kChunkHeaderSize + size + (size & 1);
    }
    return true;
}
