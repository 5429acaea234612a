#pragma once
// Metafile handles: a Windows metafile (HMETAFILE) or an enhanced metafile
// (HENHMETAFILE) is an object holding the metafile's validated bytes. Handles
// are made only from bytes that passed the full parse, so every later walk over
// them stays inside the data. Functions keep the Windows calls' contracts.
#include "platform/CRect.h"
#include "platform/metafile/EmfParse.h"
#include "platform/metafile/WmfParse.h"

#include <functional>
#include <vector>

// The bytes of one metafile; `Kind` tells the Windows and enhanced forms apart
// so that their handles do not convert into each other.
template <int Kind>
class CMetaFileData {
public:
    explicit CMetaFileData(std::vector<BYTE> bits) : m_bits(std::move(bits)) {}
    const std::vector<BYTE>& Bits() const { return m_bits; }
    MetaBytes Bytes() const { return m_bits; }

private:
    std::vector<BYTE> m_bits;
};
// A WMF: standard header and records, no placeable header.
using CWinMetaFileData = CMetaFileData<0>;
// An EMF: exactly the size its header states.
using CEnhMetaFileData = CMetaFileData<1>;

using HMETAFILE = CWinMetaFileData*;
using HENHMETAFILE = CEnhMetaFileData*;

// The header of an enhanced metafile as GetEnhMetaFileHeader gives it.
struct ENHMETAHEADER {
    DWORD iType = EMR_HEADER;
    DWORD nSize = 0;
    RECT rclBounds;  // inclusive, device units
    RECT rclFrame;   // inclusive, 0.01 mm
    DWORD dSignature = ENHMETA_SIGNATURE;
    DWORD nVersion = 0;
    DWORD nBytes = 0;
    DWORD nRecords = 0;
    WORD nHandles = 0;
    WORD sReserved = 0;
    DWORD nDescription = 0;
    DWORD offDescription = 0;
    DWORD nPalEntries = 0;
    SIZE szlDevice;
    SIZE szlMillimeters;
};

// An enhanced metafile from its bytes; null when they are not a valid EMF. Only
// the header's stated size is kept (bytes past it are ignored).
HENHMETAFILE SetEnhMetaFileBits(UINT size, const BYTE* data);
// With a null buffer, the metafile's size; else copies min(size, bits) bytes and
// returns the count copied; 0 for a null handle.
UINT GetEnhMetaFileBits(HENHMETAFILE h, UINT size, BYTE* buffer);
BOOL DeleteEnhMetaFile(HENHMETAFILE h);
HENHMETAFILE CopyEnhMetaFile(HENHMETAFILE h);
// Fills the header; returns its size in bytes, 0 for a null handle.
UINT GetEnhMetaFileHeader(HENHMETAFILE h, ENHMETAHEADER* header);

// A Windows metafile from its bytes (standard header first, no placeable
// header); null when they are not a valid WMF. Only the size the header states
// (in words) is kept.
HMETAFILE SetMetaFileBitsEx(UINT size, const BYTE* data);
UINT GetMetaFileBitsEx(HMETAFILE h, UINT size, void* buffer);
BOOL DeleteMetaFile(HMETAFILE h);
HMETAFILE CopyMetaFile(HMETAFILE h);
// The standard header's values and the record count; false for a null handle.
bool GetMetaFileInfo(HMETAFILE h, WmfHeaderInfo& info);

// Record enumeration. Each record is copied into `record` before the callback
// sees it, so a callback may rewrite the record (to play a changed version of
// it) without ever changing the stored picture. The callback returns non-zero
// to go on. The result is non-zero when every record was enumerated, 0 when the
// callback stopped or the handle is null.
using MetaRecordProc = std::function<int(std::vector<BYTE>& record)>;
int EnumMetaFileRecords(HMETAFILE h, const MetaRecordProc& proc);
int EnumEnhMetaFileRecords(HENHMETAFILE h, const MetaRecordProc& proc);

// Number of metafile handles alive (tests check ownership with it).
int LiveMetaFileHandles();
