#include "platform/metafile/WmfParse.h"

#include <cstdlib>

WORD PlaceableChecksum(const BYTE* header20)
{
    WORD sum = 0;
    for (int i = 0; i < 10; ++i)
        sum ^= LoadLE16(header20 + 2 * i);
    return sum;
}

bool ReadPlaceableHeader(MetaBytes bytes, PlaceableMetaHeader& out)
{
    if (bytes.size() < PLACEABLE_HEADER_SIZE)
        return false;
    const BYTE* p = bytes.data();
    if (LoadLE32(p) != PLACEABLE_META_KEY)
        return false;
    out.key = PLACEABLE_META_KEY;
    out.hmf = LoadLE16(p + 4);
    out.left = SHORT(LoadLE16(p + 6));
    out.top = SHORT(LoadLE16(p + 8));
    out.right = SHORT(LoadLE16(p + 10));
    out.bottom = SHORT(LoadLE16(p + 12));
    out.inch = LoadLE16(p + 14);
    out.reserved = LoadLE32(p + 16);
    out.checksum = LoadLE16(p + 20);
    return true;
}

void WritePlaceableHeader(BYTE* out22, const PlaceableMetaHeader& h)
{
    StoreLE32(out22, PLACEABLE_META_KEY);
    StoreLE16(out22 + 4, h.hmf);
    StoreLE16(out22 + 6, WORD(h.left));
    StoreLE16(out22 + 8, WORD(h.top));
    StoreLE16(out22 + 10, WORD(h.right));
    StoreLE16(out22 + 12, WORD(h.bottom));
    StoreLE16(out22 + 14, h.inch);
    StoreLE32(out22 + 16, h.reserved);
    StoreLE16(out22 + 20, PlaceableChecksum(out22));
}

bool ReadWmfHeader(MetaBytes bytes, WmfHeaderInfo& info)
{
    CMetaByteReader r(bytes);
    info.type = r.U16(0);
    info.headerWords = r.U16(2);
    info.version = r.U16(4);
    info.sizeWords = r.U32(6);
    info.numObjects = r.U16(10);
    info.maxRecord = r.U32(12);
    if (!r.Ok() || !r.Has(0, WMF_HEADER_SIZE))
        return false;
    if ((info.type != 1 && info.type != 2) || info.headerWords != WMF_HEADER_SIZE / 2)
        return false;
    // The size counts 16-bit words; it must cover the header and fit the block.
    const uint64_t bytesClaimed = uint64_t(info.sizeWords) * 2;
    if (bytesClaimed < WMF_HEADER_SIZE || bytesClaimed > bytes.size())
        return false;
    info.byteSize = size_t(bytesClaimed);
    return true;
}

size_t WmfRecordBytesAt(MetaBytes bytes, size_t offset, size_t end)
{
    if (!RangeInside(end, offset, WMF_RECORD_MIN_BYTES) || end > bytes.size())
        return 0;
    const uint64_t n = uint64_t(LoadLE32(bytes.data() + offset)) * 2;
    // Fewer than 3 words (size 0 included) would not advance past the record.
    if (n < WMF_RECORD_MIN_BYTES || n > end - offset)
        return 0;
    return size_t(n);
}

bool ParseWmf(MetaBytes bytes, WmfHeaderInfo* info)
{
    WmfHeaderInfo local;
    WmfHeaderInfo& out = info ? *info : local;
    if (!ReadWmfHeader(bytes, out))
        return false;
    DWORD count = 0;
    const MetaWalk walk = WalkWmfRecords(bytes, [&](MetaBytes) {
        ++count;
        return true;
    });
    out.recordCount = count;
    return walk == MetaWalk::Done;
}

bool IsMetaDrawingRecord(WORD function)
{
    switch (function) {
    case META_LINETO: case META_MOVETO: case META_POLYGON: case META_POLYLINE:
    case META_ELLIPSE: case META_FLOODFILL: case META_RECTANGLE: case META_TEXTOUT:
    case META_POLYPOLYGON: case META_EXTFLOODFILL: case META_ROUNDRECT: case META_ARC:
    case META_PIE: case META_CHORD: case META_EXTTEXTOUT: case META_STRETCHBLT:
    case META_DIBSTRETCHBLT: case META_STRETCHDIB:
        return true;
    default:
        return false;
    }
}

bool FindWmfWindowBox(MetaBytes wmf, RECT& box)
{
    bool haveOrg = false, haveExt = false;
    SHORT ox = 0, oy = 0, ex = 0, ey = 0;
    WalkWmfRecords(wmf, [&](MetaBytes record) {
        const WORD function = WmfRecordFunction(record);
        if (haveOrg && haveExt && IsMetaDrawingRecord(function))
            return false;
        if ((function == META_SETWINDOWORG || function == META_SETWINDOWEXT) && WmfParamCount(record) >= 2) {
            const SHORT y = SHORT(LoadLE16(record.data() + 6));
            const SHORT x = SHORT(LoadLE16(record.data() + 8));
            if (function == META_SETWINDOWORG)
                ox = x, oy = y, haveOrg = true;
            else
                ex = x, ey = y, haveExt = true;
        }
        return true;
    });
    if (!haveOrg || !haveExt)
        return false;
    box.left = ox + (ex < 0 ? ex : 0);
    box.right = box.left + std::abs(LONG(ex));
    box.top = oy + (ey < 0 ? ey : 0);
    box.bottom = box.top + std::abs(LONG(ey));
    return true;
}
