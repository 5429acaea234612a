#pragma once
// Parsing of enhanced metafiles. A metafile is accepted only when the header
// record is whole (type 1, " EMF" at byte 40, at least 88 bytes), the size it
// states for the metafile fits the block, and every record is at least 8 bytes,
// a multiple of 4 and lies inside the metafile, up to the end record.
#include "platform/CRect.h"
#include "platform/metafile/MetaBytes.h"
#include "platform/metafile/MetaRecords.h"

#include <string>

struct EmfHeaderInfo {
    DWORD headerSize = 0;
    RECT bounds;        // inclusive bounds of the drawing, device units
    RECT frame;         // inclusive frame, 0.01 mm
    DWORD version = 0;
    DWORD bytes = 0;    // size of the whole metafile
    DWORD records = 0;  // record count as the header states it
    WORD handles = 0;   // object table size, including entry 0
    DWORD palEntries = 0;
    SIZE device;        // reference device, pixels
    SIZE millimeters;   // reference device, mm
    std::u16string description;  // empty when absent or not inside the header
};

// True when the first bytes hold an EMF header record: type 1 and the signature
// at byte 40 (nothing else is checked).
bool HasEmfSignature(MetaBytes bytes);
// Reads and checks the header record only.
bool ReadEmfHeader(MetaBytes bytes, EmfHeaderInfo& info);
// Full validation: the header and a walk over every record; `recordsWalked`
// gets the number of records up to and including the end record.
bool ParseEmf(MetaBytes bytes, EmfHeaderInfo* info = nullptr, DWORD* recordsWalked = nullptr);

// Size of the EMF record at `offset` of a metafile of `end` bytes, 0 when it is
// malformed.
size_t EmfRecordBytesAt(MetaBytes bytes, size_t offset, size_t end);

// Walks the records (the header first), calling fn(MetaBytes record); fn
// returns false to stop. Invalid at the first malformed record.
template <class Fn>
MetaWalk WalkEmfRecords(MetaBytes bytes, Fn&& fn)
{
    EmfHeaderInfo info;
    if (!ReadEmfHeader(bytes, info))
        return MetaWalk::Invalid;
    const size_t end = info.bytes;
    size_t offset = 0;
    while (offset < end) {
        const size_t n = EmfRecordBytesAt(bytes, offset, end);
        if (n == 0)
            return MetaWalk::Invalid;
        const MetaBytes record = bytes.subspan(offset, n);
        if (!fn(record))
            return MetaWalk::Stopped;
        if (LoadLE32(record.data()) == EMR_EOF)
            return MetaWalk::Done;
        offset += n;
    }
    return MetaWalk::Done;
}

inline DWORD EmfRecordType(MetaBytes record) { return LoadLE32(record.data()); }
