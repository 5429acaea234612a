#include "core/GlobalFileHelpers.h"

#include <QFile>

#include <cstdint>
#include <cstring>

HGLOBAL LoadFileToGlobal(const QString& path, size_t* length)
{
    if (length)
        *length = 0;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    const qint64 size = file.size();
    if (size <= 0 || quint64(size) > SIZE_MAX)
        return nullptr;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size_t(size));
    if (!block)
        return nullptr;
    bool ok = false;
    if (void* bytes = GlobalLock(block)) {
        ok = file.read(static_cast<char*>(bytes), size) == size;
        GlobalUnlock(block);
    }
    if (!ok) {
        GlobalFree(block);
        return nullptr;
    }
    if (length)
        *length = size_t(size);
    return block;
}

namespace {
bool CopyTail(HGLOBAL from, HGLOBAL to, size_t skip)
{
    CGlobalLock source(from);
    CGlobalLock target(to);
    if (!source.data() || !target.data())
        return false;
    std::memcpy(target.data(), source.data() + skip, source.size() - skip);
    return true;
}
} // namespace

HGLOBAL GlobalTail(HGLOBAL block, size_t skip, bool freeSource)
{
    const size_t size = GlobalSize(block);
    if (!block || skip >= size)
        return nullptr;
    HGLOBAL tail = GlobalAlloc(GMEM_MOVEABLE, size - skip);
    if (!tail)
        return nullptr;
    if (!CopyTail(block, tail, skip)) {
        GlobalFree(tail);
        return nullptr;
    }
    if (freeSource)
        GlobalFree(block);
    return tail;
}
