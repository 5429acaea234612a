#include "render/PictureConversions.h"

#include "graphics/MetafileHelpers.h"
#include "platform/metafile/CWmfRecorderDC.h"
#include "platform/metafile/WmfParse.h"

#include <vector>

namespace {
constexpr long kHundredthsMmPerInch = 2540;

// Owns a metafile handle for one conversion.
template <class Handle, BOOL (*Delete)(Handle)>
struct Owned {
    Handle h;
    explicit Owned(Handle handle) : h(handle) {}
    ~Owned()
    {
        if (h)
            Delete(h);
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
};
using OwnedWmf = Owned<HMETAFILE, DeleteMetaFile>;
using OwnedEmf = Owned<HENHMETAFILE, DeleteEnhMetaFile>;

HGLOBAL Finish(HGLOBAL result, HGLOBAL source, bool freeSource)
{
    if (result && freeSource)
        GlobalFree(source);
    return result;
}
} // namespace

HGLOBAL PlaceableToEnhBlock(HGLOBAL block, bool freeSource)
{
    PlaceableMetaHeader header;
    {
        CGlobalLock lock(block);
        if (!lock.data() || !ReadPlaceableHeader(MetaBytes(lock.data(), lock.size()), header))
            return nullptr;
    }
    // A zero unit would divide by zero; an empty box has no size to map.
    if (header.inch == 0 || header.right <= header.left || header.bottom <= header.top)
        return nullptr;
    OwnedWmf wmf(MetafileFromAPMGlobal(block));
    if (!wmf.h)
        return nullptr;
    METAFILEPICT picture;
    picture.mm = MM_ANISOTROPIC;
    picture.xExt = LONG((long(header.right) - header.left) * kHundredthsMmPerInch / header.inch);
    picture.yExt = LONG((long(header.bottom) - header.top) * kHundredthsMmPerInch / header.inch);
    if (picture.xExt <= 0 || picture.yExt <= 0)
        return nullptr;
    const UINT size = GetMetaFileBitsEx(wmf.h, 0, nullptr);
    std::vector<BYTE> bits(size);
    if (!size || GetMetaFileBitsEx(wmf.h, size, bits.data()) != size)
        return nullptr;
    HENHMETAFILE emf = SetWinMetaFileBits(size, bits.data(), &picture);
    if (!emf)
        return nullptr;
    HGLOBAL result = GlobalFromEnhMetafile(emf, FALSE);
    if (!result)
        DeleteEnhMetaFile(emf);
    return Finish(result, block, freeSource);
}

HGLOBAL EnhToPlaceableBlock(HGLOBAL block, bool freeSource)
{
    if (!IsEnhMetafileBlock(block))
        return nullptr;
    HENHMETAFILE handle;
    {
        CGlobalLock lock(block);
        handle = lock.data() ? SetEnhMetaFileBits(UINT(lock.size()), lock.data()) : nullptr;
    }
    OwnedEmf emf(handle);
    ENHMETAHEADER header;
    if (!emf.h || !GetEnhMetaFileHeader(emf.h, &header))
        return nullptr;
    const long frameWidth = long(header.rclFrame.right) - header.rclFrame.left;
    if (header.szlDevice.cx == 0 || header.szlDevice.cy == 0 || frameWidth <= 0)
        return nullptr;
    OwnedWmf wmf(EnhToWinMetafile(emf.h));
    RECT box;
    if (!wmf.h || !GetMetafileBounds(wmf.h, box.left, box.top, box.right, box.bottom))
        return nullptr;
    return Finish(PlaceableBlockFromMetafile(wmf.h, box, int(frameWidth)), block, freeSource);
}
