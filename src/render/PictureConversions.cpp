#include "render/PictureConversions.h"

#include "graphics/MetafileHelpers.h"
#include "render/PicturePlay.h"

#include <vector>

namespace {
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
    HENHMETAFILE emf = EnhMetafileFromPlaceable(block);
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
