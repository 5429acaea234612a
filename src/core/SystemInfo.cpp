#include "core/SystemInfo.h"

#include "platform/Ansi.h"

namespace {
constexpr int kModernVersionClass = 64;
}

int GetWinVersionClass()
{
    return kModernVersionClass;
}

bool IsWin2000OrLater()
{
    return true;
}

int OSHasNewShellBits()
{
    return GetWinVersionClass() & 0x58;
}

bool OSIsNewShell()
{
    const int versionClass = GetWinVersionClass() & 0xFFFF;
    return versionClass == 8 || versionClass == 16 || versionClass == 64;
}

size_t CStringToWide(std::string_view text, char16_t* buffer, size_t size)
{
    if (!buffer || size == 0)
        return 0;
    size_t n = 0;
    for (; n < text.size() && n + 1 < size; ++n)
        buffer[n] = AnsiByteToUnicode(static_cast<unsigned char>(text[n]));
    buffer[n] = u'\0';
    return n;
}

bool GetProgramFileVersion(std::string& text)
{
    text = KAVO_VERSION_TEXT;
    return true;
}
