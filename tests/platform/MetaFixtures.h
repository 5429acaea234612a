#pragma once
// Small hand-built Windows and enhanced metafiles for the metafile tests: the
// bytes are written field by field, so each test shows exactly what it feeds.
#include "platform/CRect.h"
#include "platform/metafile/MetaBytes.h"
#include "platform/metafile/MetaRecords.h"
#include "platform/metafile/WmfParse.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

class CWmfBuilder {
public:
    CWmfBuilder()
    {
        Word(1);       // memory metafile
        Word(9);       // header words
        Word(0x0300);  // version
        Dword(0);      // size in words, patched by Finish
        Word(0);       // objects
        Dword(0);      // largest record, patched
        Word(0);
    }
    // A record with the given parameter words (call arguments in reverse order).
    CWmfBuilder& Record(WORD function, std::initializer_list<int> params)
    {
        Dword(DWORD(3 + params.size()));
        Word(function);
        for (int p : params)
            Word(WORD(p));
        m_maxRecord = std::max<DWORD>(m_maxRecord, DWORD(3 + params.size()));
        if (((function & 0xFF) >= 0xF0 && function != META_DELETEOBJECT) || function == META_DIBCREATEPATTERNBRUSH)
            ++m_objects;  // creation records each take a slot of the object table
        return *this;
    }
    std::vector<BYTE> Finish()
    {
        Record(META_EOF, {});
        StoreLE32(m_bytes.data() + 6, DWORD(m_bytes.size() / 2));
        StoreLE32(m_bytes.data() + 12, m_maxRecord);
        StoreLE16(m_bytes.data() + 10, m_objects);
        return m_bytes;
    }

private:
    void Word(WORD v)
    {
        m_bytes.push_back(BYTE(v));
        m_bytes.push_back(BYTE(v >> 8));
    }
    void Dword(DWORD v)
    {
        Word(WORD(v));
        Word(WORD(v >> 16));
    }
    std::vector<BYTE> m_bytes;
    DWORD m_maxRecord = 3;
    WORD m_objects = 0;
};

// A placeable header in front of a standard WMF.
inline std::vector<BYTE> WithPlaceableHeader(const std::vector<BYTE>& wmf, SHORT l, SHORT t, SHORT r,
                                             SHORT b, WORD inch)
{
    PlaceableMetaHeader h;
    h.left = l, h.top = t, h.right = r, h.bottom = b, h.inch = inch;
    std::vector<BYTE> out(PLACEABLE_HEADER_SIZE);
    WritePlaceableHeader(out.data(), h);
    out.insert(out.end(), wmf.begin(), wmf.end());
    return out;
}

class CEmfBuilder {
public:
    // bounds in device units, frame in 0.01 mm, both inclusive.
    explicit CEmfBuilder(RECT bounds = {0, 0, 99, 99}, RECT frame = {0, 0, 2645, 2645})
    {
        Dwords({EMR_HEADER, 88});
        Dwords({DWORD(bounds.left), DWORD(bounds.top), DWORD(bounds.right), DWORD(bounds.bottom)});
        Dwords({DWORD(frame.left), DWORD(frame.top), DWORD(frame.right), DWORD(frame.bottom)});
        Dwords({ENHMETA_SIGNATURE, 0x10000, 0 /*bytes*/, 0 /*records*/, 16 /*handles*/, 0, 0, 0});
        Dwords({1024, 768, 320, 240});
        m_records = 1;
    }
    CEmfBuilder& Record(DWORD type, std::initializer_list<DWORD> params)
    {
        Dwords({type, DWORD(8 + 4 * params.size())});
        Dwords(params);
        ++m_records;
        return *this;
    }
    // A whole record made elsewhere (by the record writers, say), copied in.
    CEmfBuilder& Raw(const BYTE* record)
    {
        m_bytes.insert(m_bytes.end(), record, record + LoadLE32(record + 4));
        ++m_records;
        return *this;
    }
    std::vector<BYTE> Finish()
    {
        Record(EMR_EOF, {0, 16, 20});
        StoreLE32(m_bytes.data() + EMF_OFF_BYTES, DWORD(m_bytes.size()));
        StoreLE32(m_bytes.data() + EMF_OFF_RECORDS, m_records);
        return m_bytes;
    }

private:
    void Dwords(std::initializer_list<DWORD> values)
    {
        for (DWORD v : values) {
            const size_t at = m_bytes.size();
            m_bytes.resize(at + 4);
            StoreLE32(m_bytes.data() + at, v);
        }
    }
    std::vector<BYTE> m_bytes;
    DWORD m_records = 0;
};
