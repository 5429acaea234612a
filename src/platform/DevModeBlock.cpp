#include "platform/DevModeBlock.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr size_t kDevNamesHeader = 8;

WORD GetWord(const BYTE* p)
{
    return WORD(p[0] | (p[1] << 8));
}

void PutWord(BYTE* p, WORD v)
{
    p[0] = BYTE(v & 0xFF);
    p[1] = BYTE(v >> 8);
}

DWORD GetDword(const BYTE* p)
{
    return DWORD(GetWord(p)) | (DWORD(GetWord(p + 2)) << 16);
}

void PutDword(BYTE* p, DWORD v)
{
    PutWord(p, WORD(v & 0xFFFF));
    PutWord(p + 2, WORD(v >> 16));
}

// The NUL-terminated text at `offset`, never reading past `size`.
std::string TextAt(const BYTE* p, size_t size, size_t offset, size_t maxLen)
{
    std::string s;
    for (size_t i = offset; i < size && s.size() < maxLen && p[i] != 0; ++i)
        s.push_back(char(p[i]));
    return s;
}
} // namespace

bool ReadDevModeFields(HGLOBAL devMode, DevModeFields& out)
{
    if (!devMode)
        return false;
    CGlobalLock lock(devMode);
    const BYTE* p = lock.data();
    if (!p || lock.size() < devmode::kMinBytes)
        return false;
    out.deviceName = TextAt(p, lock.size(), devmode::kDeviceName, devmode::kDeviceNameLen);
    out.specVersion = GetWord(p + devmode::kSpecVersion);
    out.driverVersion = GetWord(p + devmode::kDriverVersion);
    out.size = GetWord(p + devmode::kSize);
    out.driverExtra = GetWord(p + devmode::kDriverExtra);
    out.fields = GetDword(p + devmode::kFields);
    out.orientation = short(GetWord(p + devmode::kOrientation));
    out.paperSize = short(GetWord(p + devmode::kPaperSize));
    out.paperLength = short(GetWord(p + devmode::kPaperLength));
    out.paperWidth = short(GetWord(p + devmode::kPaperWidth));
    out.scale = lock.size() >= devmode::kScale + 2 ? short(GetWord(p + devmode::kScale)) : 0;
    out.copies = lock.size() >= devmode::kCopies + 2 ? short(GetWord(p + devmode::kCopies)) : 0;
    return true;
}

HGLOBAL NewDevModeBlock(const DevModeFields& f)
{
    const size_t size = std::max<size_t>(f.size, devmode::kMinBytes + 4);
    HGLOBAL h = GlobalAlloc(GHND, size + f.driverExtra);
    if (!h)
        return nullptr;
    CGlobalLock lock(h);
    BYTE* p = lock.data();
    std::memcpy(p + devmode::kDeviceName, f.deviceName.data(),
                std::min(f.deviceName.size(), devmode::kDeviceNameLen - 1));
    PutWord(p + devmode::kSpecVersion, f.specVersion);
    PutWord(p + devmode::kDriverVersion, f.driverVersion);
    PutWord(p + devmode::kSize, WORD(size));
    PutWord(p + devmode::kDriverExtra, f.driverExtra);
    PutDword(p + devmode::kFields, f.fields);
    PutWord(p + devmode::kOrientation, WORD(f.orientation));
    PutWord(p + devmode::kPaperSize, WORD(f.paperSize));
    PutWord(p + devmode::kPaperLength, WORD(f.paperLength));
    PutWord(p + devmode::kPaperWidth, WORD(f.paperWidth));
    PutWord(p + devmode::kScale, WORD(f.scale));
    PutWord(p + devmode::kCopies, WORD(f.copies));
    return h;
}

bool SetDevModeShort(HGLOBAL devMode, size_t offset, short value, DWORD fieldBit)
{
    if (!devMode)
        return false;
    CGlobalLock lock(devMode);
    BYTE* p = lock.data();
    if (!p || lock.size() < std::max(offset + 2, devmode::kMinBytes))
        return false;
    PutWord(p + offset, WORD(value));
    PutDword(p + devmode::kFields, GetDword(p + devmode::kFields) | fieldBit);
    return true;
}

bool ReadDevNames(HGLOBAL devNames, DevNamesStrings& out)
{
    if (!devNames)
        return false;
    CGlobalLock lock(devNames);
    const BYTE* p = lock.data();
    const size_t size = lock.size();
    if (!p || size < kDevNamesHeader)
        return false;
    const WORD driver = GetWord(p), device = GetWord(p + 2), port = GetWord(p + 4);
    if (driver >= size || device >= size || port >= size)
        return false;
    // A name of the block is at most 255 characters.
    constexpr size_t kMaxName = 255;
    out.driver = TextAt(p, size, driver, kMaxName);
    out.device = TextAt(p, size, device, kMaxName);
    out.port = TextAt(p, size, port, kMaxName);
    out.flags = GetWord(p + 6);
    return true;
}

HGLOBAL NewDevNamesBlock(const DevNamesStrings& n)
{
    const size_t size = kDevNamesHeader + n.driver.size() + n.device.size() + n.port.size() + 3;
    HGLOBAL h = GlobalAlloc(GHND, size);
    if (!h)
        return nullptr;
    CGlobalLock lock(h);
    BYTE* p = lock.data();
    size_t at = kDevNamesHeader;
    const std::string* names[] = {&n.driver, &n.device, &n.port};
    for (int i = 0; i < 3; ++i) {
        PutWord(p + 2 * i, WORD(at));
        std::memcpy(p + at, names[i]->data(), names[i]->size());
        at += names[i]->size() + 1;
    }
    PutWord(p + 6, n.flags);
    return h;
}

bool GetDevNamesFlags(HGLOBAL devNames, WORD& flags)
{
    if (!devNames)
        return false;
    CGlobalLock lock(devNames);
    if (!lock.data() || lock.size() < kDevNamesHeader)
        return false;
    flags = GetWord(lock.data() + 6);
    return true;
}

bool SetDevNamesFlags(HGLOBAL devNames, WORD flags)
{
    if (!devNames)
        return false;
    CGlobalLock lock(devNames);
    if (!lock.data() || lock.size() < kDevNamesHeader)
        return false;
    PutWord(lock.data() + 6, flags);
    return true;
}
