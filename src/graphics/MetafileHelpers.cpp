#include "graphics/MetafileHelpers.h"

#include "core/Trace.h"
#include "platform/metafile/CWmfRecorderDC.h"

#include <QFile>

#include <cstring>
#include <limits>

namespace {
// Copies bytes into a new movable block; null when memory runs out.
HGLOBAL BlockFromBytes(MetaBytes head, MetaBytes body)
{
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, head.size() + body.size());
    if (!h)
        return nullptr;
    CGlobalLock lock(h);
    if (!lock.data() && lock.size() != 0) {
        GlobalFree(h);
        return nullptr;
    }
    if (!head.empty())
        std::memcpy(lock.data(), head.data(), head.size());
    if (!body.empty())
        std::memcpy(lock.data() + head.size(), body.data(), body.size());
    return h;
}

MetaBytes BlockBytes(const CGlobalLock& lock)
{
    return lock.data() ? MetaBytes(lock.data(), lock.size()) : MetaBytes();
}

bool FitsShort(LONG v) { return v >= std::numeric_limits<SHORT>::min() && v <= std::numeric_limits<SHORT>::max(); }
}  // namespace

bool IsPlaceableMetaHeader(const BYTE* p, size_t size)
{
    return p && size >= 4 && LoadLE32(p) == PLACEABLE_META_KEY;
}

bool IsPlaceableMetafileBlock(HGLOBAL block)
{
    CGlobalLock lock(block);
    return IsPlaceableMetaHeader(lock.data(), lock.data() ? lock.size() : 0);
}

bool IsEnhMetaHeader(const BYTE* p, size_t size)
{
    return p && HasEmfSignature(MetaBytes(p, size));
}

bool IsEnhMetafileBlock(HGLOBAL block)
{
    CGlobalLock lock(block);
    return IsEnhMetaHeader(lock.data(), lock.data() ? lock.size() : 0);
}

bool MetaBlocksEqual(HGLOBAL a, HGLOBAL b)
{
    if (!a || !b || GlobalSize(a) != GlobalSize(b))
        return false;
    if (a == b)
        return true;
    CGlobalLock la(a), lb(b);
    if (!la.data() || !lb.data())
        return la.size() == 0;
    return std::memcmp(la.data(), lb.data(), la.size()) == 0;
}

HMETAFILE MetafileFromGlobal(HGLOBAL block)
{
    CGlobalLock lock(block);
    const MetaBytes bytes = BlockBytes(lock);
    return bytes.empty() ? nullptr : SetMetaFileBitsEx(UINT(bytes.size()), bytes.data());
}

HMETAFILE MetafileFromAPMGlobal(HGLOBAL block)
{
    CGlobalLock lock(block);
    const MetaBytes bytes = BlockBytes(lock);
    PlaceableMetaHeader header;
    if (!ReadPlaceableHeader(bytes, header))
        return nullptr;
    const MetaBytes rest = bytes.subspan(PLACEABLE_HEADER_SIZE);
    return SetMetaFileBitsEx(UINT(rest.size()), rest.data());
}

namespace {
template <class Handle, class Deleter>
HGLOBAL BlockFromHandle(Handle metafile, BOOL keep, Deleter deleteHandle)
{
    if (!metafile)
        return nullptr;
    HGLOBAL h = BlockFromBytes({}, metafile->Bytes());
    if (h && !keep)
        deleteHandle(metafile);
    return h;
}
}  // namespace

HGLOBAL GlobalFromMetafile(HMETAFILE metafile, BOOL keep)
{
    return BlockFromHandle(metafile, keep, DeleteMetaFile);
}

HGLOBAL GlobalFromEnhMetafile(HENHMETAFILE metafile, BOOL keep)
{
    return BlockFromHandle(metafile, keep, DeleteEnhMetaFile);
}

HMETAFILE EnhToWinMetafile(HENHMETAFILE metafile)
{
    const std::vector<BYTE> bits = GetWinMetaFileBits(metafile, MM_ANISOTROPIC);
    return bits.empty() ? nullptr : SetMetaFileBitsEx(UINT(bits.size()), bits.data());
}

int CountMetaRecords(const std::vector<BYTE>& record, CMetaRecordCounts& counts)
{
    if (record.size() < WMF_RECORD_MIN_BYTES)
        return 1;
    switch (LoadLE16(record.data() + 4)) {
    case META_SETWINDOWORG: ++counts.windowOrg; break;
    case META_SETWINDOWEXT: ++counts.windowExt; break;
    case META_SETVIEWPORTORG: ++counts.viewportOrg; break;
    case META_SETVIEWPORTEXT: ++counts.viewportExt; break;
    case META_SCALEVIEWPORTEXT: ++counts.scaleViewportExt; break;
    case META_OFFSETVIEWPORTORG: ++counts.offsetViewportOrg; break;
    default: break;
    }
    return 1;
}

BOOL GetMetafileBounds(HMETAFILE metafile, LONG& left, LONG& top, LONG& right, LONG& bottom)
{
    RECT box;
    if (!metafile || !FindWmfWindowBox(metafile->Bytes(), box))
        return FALSE;
    left = box.left, top = box.top, right = box.right, bottom = box.bottom;
    return TRUE;
}

bool MakePlaceableHeader(const RECT& box, int referenceWidth, PlaceableMetaHeader& header)
{
    if (referenceWidth <= 0)
        return false;
    if (!FitsShort(box.left) || !FitsShort(box.top) || !FitsShort(box.right) || !FitsShort(box.bottom))
        return false;
    const int inch = MulDiv(box.right - box.left, 2540, referenceWidth);
    if (inch <= 0 || inch > 0xFFFF)
        return false;
    header = PlaceableMetaHeader{};
    header.left = SHORT(box.left);
    header.top = SHORT(box.top);
    header.right = SHORT(box.right);
    header.bottom = SHORT(box.bottom);
    header.inch = WORD(inch);
    return true;
}

HGLOBAL PlaceableBlockFromMetafile(HMETAFILE metafile, const RECT& box, int referenceWidth)
{
    PlaceableMetaHeader header;
    if (!metafile || !MakePlaceableHeader(box, referenceWidth, header))
        return nullptr;
    BYTE bytes[PLACEABLE_HEADER_SIZE];
    WritePlaceableHeader(bytes, header);
    return BlockFromBytes(MetaBytes(bytes, sizeof bytes), metafile->Bytes());
}

BOOL WritePlaceableMetafile(HMETAFILE metafile, const QString& fileName, const RECT& box,
                            int referenceWidth)
{
    PlaceableMetaHeader header;
    if (!metafile || !MakePlaceableHeader(box, referenceWidth, header))
        return FALSE;
    BYTE bytes[PLACEABLE_HEADER_SIZE];
    WritePlaceableHeader(bytes, header);
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return FALSE;
    const std::vector<BYTE>& bits = metafile->Bits();
    const bool ok = file.write(reinterpret_cast<const char*>(bytes), sizeof bytes) == qint64(sizeof bytes) &&
                    file.write(reinterpret_cast<const char*>(bits.data()), qint64(bits.size())) ==
                        qint64(bits.size()) &&
                    file.flush();
    file.close();
    if (!ok)
        QFile::remove(fileName);
    return ok ? TRUE : FALSE;
}

HGLOBAL LoadValidatedWMF(const QString& path, CMetaRecordCounts* countsOut)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    const qint64 size = file.size();
    if (size < qint64(PLACEABLE_HEADER_SIZE + WMF_HEADER_SIZE) || size > std::numeric_limits<UINT>::max())
        return nullptr;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size_t(size));
    if (!block)
        return nullptr;
    bool read = false;
    {
        CGlobalLock lock(block);
        read = lock.data() && file.read(reinterpret_cast<char*>(lock.data()), size) == size;
    }
    // The header's box and units per inch size the picture: a zero unit or
    // an empty or inverted box is refused here, before anything divides.
    if (read) {
        CGlobalLock lock(block);
        PlaceableMetaHeader header;
        read = ReadPlaceableHeader(MetaBytes(lock.data(), lock.size()), header) && header.inch != 0 &&
               header.right > header.left && header.bottom > header.top;
    }
    CMetaRecordCounts counts;
    HMETAFILE scratch = read ? MetafileFromAPMGlobal(block) : nullptr;
    if (scratch)
        EnumMetaFileRecords(scratch, [&](std::vector<BYTE>& record) { return CountMetaRecords(record, counts); });
    DeleteMetaFile(scratch);
    if (countsOut)
        *countsOut = counts;
    const bool accepted = scratch && counts.windowExt >= 1 && counts.viewportOrg == 0 &&
                          counts.viewportExt == 0 && counts.scaleViewportExt == 0 &&
                          counts.offsetViewportOrg == 0;
    if (!accepted) {
        DiagPrintf("ERR!  LoadValidateKavoAPMFromFile failed %d %d %d %d %d %d\n", counts.windowOrg, counts.windowExt,
                   counts.viewportOrg, counts.viewportExt, counts.scaleViewportExt, counts.offsetViewportOrg);
        GlobalFree(block);
        return nullptr;
    }
    DiagPrintf("GMEM  WMF Handle %04X loaded from .WMF file\n", unsigned(reinterpret_cast<uintptr_t>(block) & 0xFFFF));
    return block;
}
