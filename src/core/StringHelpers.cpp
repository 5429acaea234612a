#include "core/StringHelpers.h"

#include "platform/NumText.h"
#include "platform/StringTable.h"

#include <algorithm>
#include <cctype>
#include <cstring>

bool HasColonNumberSuffix(const std::string& text, size_t* colon)
{
    if (text.size() < 2)
        return false;
    size_t pos = text.rfind(':');
    if (pos == std::string::npos || pos + 1 == text.size())
        return false;
    for (size_t i = pos + 1; i < text.size(); ++i)
        if (!std::isdigit(static_cast<unsigned char>(text[i])))
            return false;
    if (colon)
        *colon = pos;
    return true;
}

int GetColonSuffixNumber(const std::string& text)
{
    size_t pos = 0;
    if (!HasColonNumberSuffix(text, &pos))
        return 0;
    return ScanInt(std::string_view(text).substr(pos + 1)).value_or(0);
}

std::string StripColonSuffix(const std::string& text)
{
    size_t pos = 0;
    if (!HasColonNumberSuffix(text, &pos))
        return text;
    return text.substr(0, pos);
}

void SetColonSuffixNumber(std::string& text, int number)
{
    if (number < 0 || number == GetColonSuffixNumber(text))
        return;
    std::string stripped = StripColonSuffix(text);
    text = number == 0 ? stripped : StrPrintf("%s:%d", stripped.c_str(), number);
}

void BreakIntoLines(std::string& text, int width)
{
    if (width < 1 || text.size() <= size_t(width))
        return;
    size_t w = size_t(width);
    std::string out = text.substr(0, w);
    for (size_t at = w; at < text.size(); at += w) {
        out += "-\r\n";
        out += text.substr(at, w);
    }
    text = std::move(out);
}

void StripMenuText(std::string& text)
{
    size_t tab = text.find('\t');
    if (tab != std::string::npos)
        text.resize(tab);
    text.erase(std::remove(text.begin(), text.end(), '&'), text.end());
}

const char* LoadResString(char* buffer, size_t size, UINT id)
{
    if (!buffer || size == 0)
        return nullptr;
    buffer[0] = '\0';
    const char* text = FindResString(id);
    if (!text)
        return nullptr;
    size_t n = std::min(std::strlen(text), size - 1);
    std::memcpy(buffer, text, n);
    buffer[n] = '\0';
    return buffer;
}

const std::string& LoadCStringRes(std::string& text, UINT id)
{
    const char* res = FindResString(id);
    text = res ? res : "";
    return text;
}

std::string ResText(UINT id)
{
    const char* res = FindResString(id);
    return res ? res : "";
}
