// Writes the fuzzers' first inputs into <dir>/bitmap and <dir>/sound.
#include "samples/sample_files.h"

#include <QDir>
#include <QFile>

#include <cstdio>

namespace {

bool write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds <dir>\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(QStringLiteral("bitmap")) || !dir.mkpath(QStringLiteral("sound")))
        return 1;

    const QList<std::pair<const char*, BitmapKind>> bitmaps{{"mono", BitmapKind::Mono},
                                                            {"palette8", BitmapKind::Palette8},
                                                            {"rle8", BitmapKind::Rle8},
                                                            {"rgb24", BitmapKind::Rgb24},
                                                            {"rgb32", BitmapKind::Rgb32}};
    bool ok = true;
    for (const auto& [name, kind] : bitmaps)
        ok &= write(dir.filePath(QStringLiteral("bitmap/%1.bmp").arg(name)), bitmapBytes(kind, {7, 5}, Qt::red));

    const QList<std::pair<const char*, WaveFormat>> waves{{"pcm8", {22050, 1, 8, false}},
                                                          {"pcm16", {44100, 2, 16, false}},
                                                          {"pcm24", {44100, 1, 24, false}},
                                                          {"float32", {96000, 1, 32, true}}};
    for (const auto& [name, format] : waves)
        ok &= write(dir.filePath(QStringLiteral("sound/%1.wav").arg(name)), waveBytes(format, 5));
    return ok ? 0 : 1;
}
