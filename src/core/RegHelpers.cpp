#include "core/RegHelpers.h"

#include <charconv>
#include <cstdint>
#include <cstring>

bool ReadRegValue(HKEY root, const std::string& subkey, const std::string& name, char* buffer,
                  DWORD size)
{
    if (!buffer || size == 0)
        return false;
    const auto value = RegistryGetValue(root, subkey, name);
    if (!value || value->size() >= size)
        return false;
    std::memcpy(buffer, value->data(), value->size());
    buffer[value->size()] = '\0';
    return true;
}

bool ReadRegDword(HKEY root, const std::string& subkey, const std::string& name, DWORD& value)
{
    const auto text = RegistryGetValue(root, subkey, name);
    if (!text || text->empty())
        return false;
    int64_t number = 0;
    const char* end = text->data() + text->size();
    const auto res = std::from_chars(text->data(), end, number);
    if (res.ec != std::errc() || res.ptr != end || number < INT32_MIN || number > UINT32_MAX)
        return false;
    // A negative "%d" text is the same 32 bits read as unsigned.
    value = DWORD(uint32_t(number));
    return true;
}

bool RegKeyExists(HKEY root, const std::string& subkey)
{
    return RegistryKeyExists(root, subkey);
}

bool RegWriteString(HKEY root, const std::string& subkey, const std::string& name,
                    const std::string& text)
{
    return RegistrySetValue(root, subkey, name, text);
}
