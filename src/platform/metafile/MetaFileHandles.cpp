#include "platform/metafile/MetaFileHandles.h"

#include <algorithm>
#include <atomic>
#include <cstring>

namespace {
std::atomic<int> g_liveHandles{0};

template <class T>
T* NewHandle(MetaBytes bytes)
{
    ++g_liveHandles;
    return new T(std::vector<BYTE>(bytes.begin(), bytes.end()));
}

template <class T>
BOOL DeleteHandle(T* h)
{
    if (!h)
        return FALSE;
    --g_liveHandles;
    delete h;
    return TRUE;
}

UINT CopyBits(const std::vector<BYTE>& bits, UINT size, void* buffer)
{
    if (!buffer)
        return UINT(bits.size());
    const UINT n = std::min<UINT>(size, UINT(bits.size()));
    if (n)
        std::memcpy(buffer, bits.data(), n);
    return n;
}

template <class Walker>
int EnumerateCopies(MetaBytes bytes, Walker walk, const MetaRecordProc& proc)
{
    std::vector<BYTE> copy;
    const MetaWalk result = walk(bytes, [&](MetaBytes record) {
        copy.assign(record.begin(), record.end());
        return proc(copy) != 0;
    });
    return result == MetaWalk::Done ? 1 : 0;
}
}  // namespace

HENHMETAFILE SetEnhMetaFileBits(UINT size, const BYTE* data)
{
    if (!data)
        return nullptr;
    const MetaBytes bytes(data, size);
    EmfHeaderInfo info;
    if (!ParseEmf(bytes, &info))
        return nullptr;
    return NewHandle<CEnhMetaFileData>(bytes.first(info.bytes));
}

UINT GetEnhMetaFileBits(HENHMETAFILE h, UINT size, BYTE* buffer)
{
    return h ? CopyBits(h->Bits(), size, buffer) : 0;
}

BOOL DeleteEnhMetaFile(HENHMETAFILE h) { return DeleteHandle(h); }

HENHMETAFILE CopyEnhMetaFile(HENHMETAFILE h)
{
    return h ? NewHandle<CEnhMetaFileData>(h->Bytes()) : nullptr;
}

UINT GetEnhMetaFileHeader(HENHMETAFILE h, ENHMETAHEADER* header)
{
    EmfHeaderInfo info;
    if (!h || !ReadEmfHeader(h->Bytes(), info))
        return 0;
    if (header) {
        CMetaByteReader r(h->Bytes());
        header->nSize = info.headerSize;
        header->rclBounds = info.bounds;
        header->rclFrame = info.frame;
        header->nVersion = info.version;
        header->nBytes = info.bytes;
        header->nRecords = info.records;
        header->nHandles = info.handles;
        header->sReserved = r.U16(EMF_OFF_HANDLES + 2);
        header->nDescription = r.U32(EMF_OFF_DESC_COUNT);
        header->offDescription = r.U32(EMF_OFF_DESC_OFFSET);
        header->nPalEntries = info.palEntries;
        header->szlDevice = info.device;
        header->szlMillimeters = info.millimeters;
    }
    return info.headerSize;
}

HMETAFILE SetMetaFileBitsEx(UINT size, const BYTE* data)
{
    if (!data)
        return nullptr;
    const MetaBytes bytes(data, size);
    WmfHeaderInfo info;
    if (!ParseWmf(bytes, &info))
        return nullptr;
    return NewHandle<CWinMetaFileData>(bytes.first(info.byteSize));
}

UINT GetMetaFileBitsEx(HMETAFILE h, UINT size, void* buffer)
{
    return h ? CopyBits(h->Bits(), size, buffer) : 0;
}

BOOL DeleteMetaFile(HMETAFILE h) { return DeleteHandle(h); }

HMETAFILE CopyMetaFile(HMETAFILE h)
{
    return h ? NewHandle<CWinMetaFileData>(h->Bytes()) : nullptr;
}

bool GetMetaFileInfo(HMETAFILE h, WmfHeaderInfo& info)
{
    return h && ParseWmf(h->Bytes(), &info);
}

int EnumMetaFileRecords(HMETAFILE h, const MetaRecordProc& proc)
{
    if (!h || !proc)
        return 0;
    return EnumerateCopies(h->Bytes(), [](MetaBytes b, auto&& fn) { return WalkWmfRecords(b, fn); },
                           proc);
}

int EnumEnhMetaFileRecords(HENHMETAFILE h, const MetaRecordProc& proc)
{
    if (!h || !proc)
        return 0;
    return EnumerateCopies(h->Bytes(), [](MetaBytes b, auto&& fn) { return WalkEmfRecords(b, fn); },
                           proc);
}

int LiveMetaFileHandles() { return g_liveHandles; }
