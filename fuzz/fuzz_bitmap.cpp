// Any bytes as a picture file: decoded or refused with a fault, within the
// loader's pixel budget, never a crash.
#include "media/bitmap_loader.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer file(&bytes);
    file.open(QIODevice::ReadOnly);
    const Bitmap bitmap = decodeBitmap(file);
    if (const auto* image = std::get_if<QImage>(&bitmap);
        image && qint64(image->width()) * image->height() > qint64(4096) * 4096)
        std::abort(); // the loader let an oversized picture through
    return 0;
}
