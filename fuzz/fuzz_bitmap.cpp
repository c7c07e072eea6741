// Any bytes as a picture file: decoded or refused with a fault, within the
// loader's pixel budget, never a crash.
#include "media/bitmap_loader.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const Bitmap bitmap = decodeBitmap(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (const auto* image = std::get_if<QImage>(&bitmap);
        image && qint64(image->width()) * image->height() > qint64(4096) * 4096)
        std::abort(); // the loader let an oversized picture through
    return 0;
}
