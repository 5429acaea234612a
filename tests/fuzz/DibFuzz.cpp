// Feeds arbitrary bytes to the packed-DIB reader and the DIB helpers on global
// blocks: any block must be refused or decoded within its bounds.
#include "graphics/BitmapHelpers.h"
#include "platform/PackedDib.h"

#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    DibLayout layout;
    const bool ok = ParseDibLayout(data, size, &layout);
    // Keep each case quick: large but valid pictures are only parsed.
    if (ok && qint64(layout.width) * layout.height <= 512 * 512) {
        const QImage img = DibToImage(data, size, true);
        if (img.isNull())
            __builtin_trap();   // a layout that parsed must decode
        const BYTE* header = data + layout.fileHeader;
        if (FindDIBBits(header) != header + layout.bitsOffset)
            __builtin_trap();
        // The header and bits given apart, as a block transfer receives them.
        const auto* info = reinterpret_cast<const BITMAPINFO*>(header);
        (void)DibToImage(info, layout.bitsOffset, header + layout.bitsOffset, layout.imageBytes);
        (void)ImageToDib(img, 4, true);
    }
    if (size > 0 && size < (1u << 20)) {
        HGLOBAL block = GlobalFromBytes(data, size);
        int w = 0, h = 0;
        (void)GetBmpPixelSize(block, &w, &h);
        (void)GetBmpSizeLogical(block, &w, &h);
        if (ok && qint64(layout.width) * layout.height <= 512 * 512)
            (void)DIBToBitmap(block);
        GlobalFree(block);
    }
    return 0;
}
