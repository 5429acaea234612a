#pragma once
// Read access to the parameter words of one WMF record (the 16-bit words after
// its size and function); every read is checked and gives 0 past the end.
#include "platform/metafile/MetaBytes.h"
#include "platform/metafile/MetaRecords.h"

class CWmfParams {
public:
    // `record` holds at least the 6 bytes of size and function.
    explicit CWmfParams(MetaBytes record) : m_rec(record) {}
    size_t Count() const { return (m_rec.size() - WMF_RECORD_MIN_BYTES) / 2; }
    bool Has(size_t index, size_t n = 1) const { return RangeInside(Count(), index, n); }
    SHORT S(size_t i) const { return Has(i) ? SHORT(LoadLE16(m_rec.data() + 6 + 2 * i)) : 0; }
    WORD U(size_t i) const { return WORD(S(i)); }
    // A colour stored as two words, low word first.
    DWORD Colour(size_t i) const { return (DWORD(U(i)) | (DWORD(U(i + 1)) << 16)) & 0xFFFFFF; }
    DWORD U32(size_t i) const { return DWORD(U(i)) | (DWORD(U(i + 1)) << 16); }
    // The bytes from parameter word i to the end of the record.
    MetaBytes BytesFrom(size_t i) const { return Has(i, 0) ? m_rec.subspan(6 + 2 * i) : MetaBytes(); }

private:
    MetaBytes m_rec;
};
