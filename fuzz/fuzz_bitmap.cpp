// Any bytes as a picture file: decoded or refused with an AssetError, within
// the loader's pixel budget, never a crash.
#include "media/asset_error.h"
#include "media/bitmap_loader.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        const QImage image = decodeBitmap(bytes, QStringLiteral("fuzz.bmp"));
        if (qint64(image.width()) * image.height() > qint64(4096) * 4096)
            std::abort(); // the loader let an oversized picture through
    } catch (const AssetError&) {
    }
    return 0;
}
