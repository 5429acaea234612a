// Feeds arbitrary bytes to the metafile parsers, the record enumerators, the
// record rewriting and the colour scan. The input is tried as an EMF, a WMF and
// a placeable WMF; whatever parses is walked and rewritten record by record.
#include "core/MetaRecolour.h"
#include "core/MetaScaleRecord.h"
#include "core/MetafileHelpers.h"

#include <cstdint>
#include <cstring>

namespace {
void FuzzWmf(HMETAFILE h)
{
    if (!h)
        return;
    LONG l, t, r, b;
    GetMetafileBounds(h, l, t, r, b);
    CMetaRecordCounts counts;
    CMetaScaleContext ctx = MakeMetaScaleContext(RECT{0, 0, 640, 480}, RECT{-7, 3, 90, 200});
    EnumMetaFileRecords(h, [&](std::vector<BYTE>& record) {
        CountMetaRecords(record, counts);
        ScaleMetaRecordBytes(ctx, record);
        return 1;
    });
    DeleteMetaFile(h);
}

void FuzzEmf(HENHMETAFILE h)
{
    if (!h)
        return;
    ENHMETAHEADER header;
    GetEnhMetaFileHeader(h, &header);
    CMetaRecolourContext ctx{RGB(200, 10, 10), FALSE, NO_COLOR};
    ScanEnhMetaColours(h, ctx);
    EnumEnhMetaFileRecords(h, [&](std::vector<BYTE>& record) {
        RecolourEnhRecord(record, ctx);
        return 1;
    });
    DeleteEnhMetaFile(h);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > (1u << 20))
        return 0;
    FuzzEmf(SetEnhMetaFileBits(UINT(size), data));
    FuzzWmf(SetMetaFileBitsEx(UINT(size), data));

    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (block && size) {
        std::memcpy(GlobalLock(block), data, size);
        GlobalUnlock(block);
    }
    IsPlaceableMetafileBlock(block);
    IsEnhMetafileBlock(block);
    FuzzWmf(MetafileFromAPMGlobal(block));
    FuzzWmf(MetafileFromGlobal(block));
    MetaBlocksEqual(block, block);
    GlobalFree(block);

    // Every prefix of a record-sized input rewritten as one record copy.
    if (size >= 6 && size < 512) {
        std::vector<BYTE> record(data, data + (size & ~size_t(1)));
        CMetaScaleContext ctx = MakeMetaScaleContext(RECT{0, 0, 30000, 30000}, RECT{0, 0, 3, 3});
        ScaleMetaRecordBytes(ctx, record);
    }
    return 0;
}
