#include "platform/metafile/EmfParse.h"

namespace {
RECT ReadRect(CMetaByteReader& r, size_t offset)
{
    return RECT{r.S32(offset), r.S32(offset + 4), r.S32(offset + 8), r.S32(offset + 12)};
}

// The description is nDesc UTF-16 units at offDesc, inside the header record.
std::u16string ReadDescription(MetaBytes bytes, DWORD headerSize, DWORD count, DWORD offset)
{
    std::u16string text;
    if (count == 0 || offset < EMF_HEADER_MIN_SIZE || !RangeInside(headerSize, offset, size_t(count) * 2))
        return text;
    text.reserve(count);
    for (DWORD i = 0; i < count; ++i)
        text.push_back(char16_t(LoadLE16(bytes.data() + offset + 2 * i)));
    return text;
}
}  // namespace

bool HasEmfSignature(MetaBytes bytes)
{
    return bytes.size() >= EMF_OFF_SIGNATURE + 4 && LoadLE32(bytes.data()) == EMR_HEADER &&
           LoadLE32(bytes.data() + EMF_OFF_SIGNATURE) == ENHMETA_SIGNATURE;
}

bool ReadEmfHeader(MetaBytes bytes, EmfHeaderInfo& info)
{
    if (bytes.size() < EMF_HEADER_MIN_SIZE || !HasEmfSignature(bytes))
        return false;
    CMetaByteReader r(bytes);
    info.headerSize = r.U32(4);
    info.bounds = ReadRect(r, EMF_OFF_BOUNDS);
    info.frame = ReadRect(r, EMF_OFF_FRAME);
    info.version = r.U32(EMF_OFF_VERSION);
    info.bytes = r.U32(EMF_OFF_BYTES);
    info.records = r.U32(EMF_OFF_RECORDS);
    info.handles = r.U16(EMF_OFF_HANDLES);
    info.palEntries = r.U32(EMF_OFF_PAL_ENTRIES);
    info.device = SIZE{r.S32(EMF_OFF_DEVICE), r.S32(EMF_OFF_DEVICE + 4)};
    info.millimeters = SIZE{r.S32(EMF_OFF_MILLIMETERS), r.S32(EMF_OFF_MILLIMETERS + 4)};
    const DWORD descCount = r.U32(EMF_OFF_DESC_COUNT);
    const DWORD descOffset = r.U32(EMF_OFF_DESC_OFFSET);
    if (!r.Ok())
        return false;
    if (info.headerSize < EMF_HEADER_MIN_SIZE || info.headerSize % 4 != 0 ||
        info.headerSize > bytes.size())
        return false;
    // The stated size of the whole metafile must hold the header and fit the block.
    if (info.bytes < info.headerSize || info.bytes > bytes.size())
        return false;
    info.description = ReadDescription(bytes, info.headerSize, descCount, descOffset);
    return true;
}

size_t EmfRecordBytesAt(MetaBytes bytes, size_t offset, size_t end)
{
    if (end > bytes.size() || !RangeInside(end, offset, EMF_RECORD_MIN_SIZE))
        return 0;
    const size_t n = LoadLE32(bytes.data() + offset + 4);
    if (n < EMF_RECORD_MIN_SIZE || n % 4 != 0 || n > end - offset)
        return 0;
    return n;
}

bool ParseEmf(MetaBytes bytes, EmfHeaderInfo* info, DWORD* recordsWalked)
{
    EmfHeaderInfo local;
    EmfHeaderInfo& out = info ? *info : local;
    if (!ReadEmfHeader(bytes, out))
        return false;
    DWORD count = 0;
    const MetaWalk walk = WalkEmfRecords(bytes, [&](MetaBytes record) {
        // Only the first record may be a header.
        if (count > 0 && EmfRecordType(record) == EMR_HEADER)
            return false;
        ++count;
        return true;
    });
    if (recordsWalked)
        *recordsWalked = count;
    return walk == MetaWalk::Done;
}
