#pragma once
// Writing and reading the undo log's byte stream. Values are stored in the
// machine's little-endian order; a record is read back from its end, so a
// reader moves backwards and takes the fields in the reverse of the order in
// which they were written.
#include "platform/CRect.h"
#include "platform/WinTypes.h"

#include <cstdint>
#include <string>

class UndoStream {
public:
    // With a null position pointer the stream only counts bytes.
    explicit UndoStream(BYTE** pos = nullptr) : m_ppPos(pos) {}

    int m_nBytes = 0;
    // True while the stream only measures a record before it is written.
    bool IsCounting() const { return m_ppPos == nullptr; }

    void Byte(BYTE v) { Put(&v, 1); }
    void Int16(int16_t v) { Put(&v, 2); }
    void Int32(int32_t v) { Put(&v, 4); }
    void Double(double v) { Put(&v, 8); }
    void Pair(int32_t a, int32_t b) { Int32(a); Int32(b); }
    void Rect(const RECT& rc) { Int32(rc.left); Int32(rc.top); Int32(rc.right); Int32(rc.bottom); }
    // The characters without terminator, then their count.
    void String(const std::string& s);
    // The bytes, then their count; an absent blob is the count 0 alone.
    void Blob(const void* data, int32_t n);
    // A record copied whole (property records, fill and shadow specs).
    void Raw(const void* data, size_t n) { Put(data, n); }

private:
    void Put(const void* data, size_t n);
    BYTE** m_ppPos;
};

// Reads backwards from a position, never below the base: a read that would
// pass it fails, leaves the position alone and marks the reader failed.
class UndoReader {
public:
    UndoReader(const BYTE* base, const BYTE* pos) : m_pBase(base), m_pPos(pos) {}

    bool Byte(BYTE& v) { return Get(&v, 1); }
    bool Int16(int16_t& v) { return Get(&v, 2); }
    bool Int32(int32_t& v) { return Get(&v, 4); }
    bool Double(double& v) { return Get(&v, 8); }
    // Read in reverse: b first, then a.
    bool Pair(int32_t& a, int32_t& b) { return Int32(b) && Int32(a); }
    bool Rect(RECT& rc);
    bool String(std::string& s);
    // The blob's bytes are left in place: data points at them (null for n 0).
    bool Blob(const BYTE*& data, int32_t& n);
    bool Raw(void* data, size_t n) { return Get(data, n); }

    const BYTE* Pos() const { return m_pPos; }
    size_t Remaining() const { return size_t(m_pPos - m_pBase); }
    bool Failed() const { return m_bFailed; }

private:
    bool Get(void* data, size_t n);
    const BYTE* m_pBase;
    const BYTE* m_pPos;
    bool m_bFailed = false;
};
