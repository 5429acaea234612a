#include "document/GraphicExtent.h"

#include "core/GlobalFileHelpers.h"
#include "core/Units.h"
#include "platform/WinTypes.h"

#include <climits>
#include <cmath>
#include <cstring>

namespace {
constexpr size_t kFileHeader = 14;
constexpr size_t kInfoHeader = 40;
constexpr size_t kPlaceableHeader = 22;
constexpr size_t kEmfFrameEnd = 40;
constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;

int32_t ReadInt32(const BYTE* p)
{
    int32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

int16_t ReadInt16(const BYTE* p)
{
    int16_t v;
    std::memcpy(&v, p, 2);
    return v;
}

int TruncToInt(double v)
{
    if (!(v > double(INT_MIN)))
        return std::isnan(v) ? 0 : INT_MIN;
    return v >= double(INT_MAX) ? INT_MAX : int(v);
}

// Logical units per metre: 256 / 0.0254.
constexpr double kUnitsPerMetre = 10078.740157480315;

bool PlaceableExtent(const BYTE* p, size_t n, int* w, int* h)
{
    if (n < kPlaceableHeader)
        return false;
    const int upi = static_cast<uint16_t>(ReadInt16(p + 14));
    if (upi == 0)
        return false;
    *w = (ReadInt16(p + 10) - ReadInt16(p + 6)) * 256 / upi;
    *h = (ReadInt16(p + 12) - ReadInt16(p + 8)) * 256 / upi;
    return true;
}

bool EmfExtent(const BYTE* p, size_t n, int* w, int* h)
{
    if (n < kEmfFrameEnd)
        return false;
    const long long dx = (long long)ReadInt32(p + 32) - ReadInt32(p + 24);
    const long long dy = (long long)ReadInt32(p + 36) - ReadInt32(p + 28);
    if (dx < INT_MIN || dx > INT_MAX || dy < INT_MIN || dy > INT_MAX)
        return false;
    *w = MulDiv(int(dx), 256, 2540);
    *h = MulDiv(int(dy), 256, 2540);
    return true;
}
} // namespace

bool GetBmpSizeLogicalFromBlock(const BYTE* p, size_t n, int* w, int* h)
{
    if (n >= 2 && p[0] == 'B' && p[1] == 'M') {
        if (n < kFileHeader)
            return false;
        p += kFileHeader;
        n -= kFileHeader;
    }
    if (n < kInfoHeader || ReadInt32(p) < int32_t(kInfoHeader))
        return false;
    const int32_t pw = ReadInt32(p + 4);
    const int32_t ph = std::abs(ReadInt32(p + 8) == INT_MIN ? 0 : ReadInt32(p + 8));
    const int32_t xppm = ReadInt32(p + 24), yppm = ReadInt32(p + 28);
    if (xppm != 0 && yppm != 0) {
        *w = TruncToInt(double(pw) / xppm * kUnitsPerMetre);
        *h = TruncToInt(double(ph) / yppm * kUnitsPerMetre);
    } else {
        *w = ScreenPixelsToLogical(pw);
        *h = ScreenPixelsToLogical(ph);
    }
    return true;
}

int GetGraphicExtent(HGLOBAL handle, int type, int* width, int* height)
{
    if (!handle || !width || !height || (type != 1 && type != 2 && type != 3 && type != 9))
        return 0;
    CGlobalLock lock(handle);
    const BYTE* p = lock.data();
    const size_t n = lock.size();
    if (!p)
        return 0;
    int w = 0, h = 0;
    bool ok = false;
    switch (type) {
    case 1:
        ok = GetBmpSizeLogicalFromBlock(p, n, &w, &h);
        break;
    case 2:
        ok = PlaceableExtent(p, n, &w, &h);
        break;
    case 3:
        ok = EmfExtent(p, n, &w, &h);
        break;
    case 9:
        if (n >= 8) {
            w = ReadInt32(p);
            h = ReadInt32(p + 4);
            ok = true;
        }
        break;
    }
    if (!ok)
        return 0;
    *width = w;
    *height = h;
    return 1;
}

HGLOBAL LoadPlaceableMetafile(const QString& path)
{
    size_t length = 0;
    HGLOBAL h = LoadFileToGlobal(path, &length);
    if (!h)
        return nullptr;
    bool valid = false;
    {
        CGlobalLock lock(h);
        const BYTE* p = lock.data();
        if (p && length >= kPlaceableHeader && uint32_t(ReadInt32(p)) == kPlaceableKey) {
            WORD sum = 0;
            for (int i = 0; i < 10; ++i)
                sum ^= WORD(p[2 * i] | (p[2 * i + 1] << 8));
            valid = sum == WORD(p[20] | (p[21] << 8));
        }
    }
    if (!valid) {
        GlobalFree(h);
        return nullptr;
    }
    return h;
}
