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
        const qint64 end = at + kChunkHeaderSize + size;
        if (end > bytes.size())
            return false;
        at = end + (size & 1); // chunks start on even offsets
    }
    return true;
}
