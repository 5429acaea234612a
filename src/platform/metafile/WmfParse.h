#pragma once
// Parsing of Windows metafiles: the optional 22-byte placeable header, the
// 18-byte standard header and the records. A metafile is accepted only when
// every size lies inside the block: the standard header's size (in 16-bit words)
// fits the block, each record is at least 3 words, lies inside the metafile and
// the walk reaches the end record or the end of the data.
#include "platform/CRect.h"
#include "platform/metafile/MetaBytes.h"
#include "platform/metafile/MetaRecords.h"

// The placeable header in front of a WMF file or block.
struct PlaceableMetaHeader {
    DWORD key = PLACEABLE_META_KEY;
    WORD hmf = 0;
    SHORT left = 0, top = 0, right = 0, bottom = 0;  // bounding box, metafile units
    WORD inch = 0;                                   // metafile units per inch
    DWORD reserved = 0;
    WORD checksum = 0;
};

// XOR of the ten 16-bit words at byte offsets 0..18 of a placeable header.
WORD PlaceableChecksum(const BYTE* header20);
// Reads the 22 bytes at the start of `bytes`; false when they are missing or the
// key is not the placeable key. The checksum is read, not enforced.
bool ReadPlaceableHeader(MetaBytes bytes, PlaceableMetaHeader& out);
// Writes the 22 bytes with the key, and the checksum computed from the fields.
void WritePlaceableHeader(BYTE* out22, const PlaceableMetaHeader& header);

struct WmfHeaderInfo {
    WORD type = 0;        // 1 memory, 2 disk
    WORD headerWords = 0; // 9
    WORD version = 0;     // 0x0100 or 0x0300
    DWORD sizeWords = 0;  // whole metafile, 16-bit words
    WORD numObjects = 0;  // object table size
    DWORD maxRecord = 0;  // largest record, words
    size_t byteSize = 0;  // 2 * sizeWords
    DWORD recordCount = 0;  // records including the end record
};

// Checks the standard header of a WMF at the start of `bytes` (no placeable
// header) and fills `info` from it; the records are not walked.
bool ReadWmfHeader(MetaBytes bytes, WmfHeaderInfo& info);
// Full validation: the header and a walk over every record. `info` gets the
// record count. False for anything malformed.
bool ParseWmf(MetaBytes bytes, WmfHeaderInfo* info = nullptr);

// Size in bytes of the WMF record at `offset` of a metafile of `end` bytes, or 0
// when it is malformed (fewer than 3 words or past the end).
size_t WmfRecordBytesAt(MetaBytes bytes, size_t offset, size_t end);

// Walks the records of a WMF whose header is at the start of `bytes`, calling
// fn(MetaBytes record) for each, the end record included; fn returns false to
// stop. Invalid at the first malformed record (the records before it were seen).
template <class Fn>
MetaWalk WalkWmfRecords(MetaBytes bytes, Fn&& fn)
{
    WmfHeaderInfo info;
    if (!ReadWmfHeader(bytes, info))
        return MetaWalk::Invalid;
    const size_t end = info.byteSize;
    size_t offset = size_t(info.headerWords) * 2;
    while (offset < end) {
        const size_t n = WmfRecordBytesAt(bytes, offset, end);
        if (n == 0)
            return MetaWalk::Invalid;
        const MetaBytes record = bytes.subspan(offset, n);
        if (!fn(record))
            return MetaWalk::Stopped;
        if (LoadLE16(record.data() + 4) == META_EOF)
            return MetaWalk::Done;
        offset += n;
    }
    return MetaWalk::Done;
}

// The window box of a WMF: the last SETWINDOWORG and SETWINDOWEXT seen before
// the first drawing record that follows both, a negative extent turned round
// (left < right, top < bottom). False when either record is missing.
bool FindWmfWindowBox(MetaBytes wmf, RECT& box);
// True for the 18 drawing records that end the search for the window box.
bool IsMetaDrawingRecord(WORD function);

// Function number and parameter word access of a record already known to be at
// least 6 bytes long.
inline WORD WmfRecordFunction(MetaBytes record) { return LoadLE16(record.data() + 4); }
inline size_t WmfParamCount(MetaBytes record) { return (record.size() - WMF_RECORD_MIN_BYTES) / 2; }
