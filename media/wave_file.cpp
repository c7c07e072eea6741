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
        // A chunk of odd size ends in a pad byte, so that the next starts on
        // an even offset: without it the file was cut short.
        const qint64 end = at + kChunkHeaderSize + size + (size & 1);
        if (end > bytes.size())
            return false;
        at = end;
    }
    return true;
}
