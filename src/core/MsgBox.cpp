#include "core/MsgBox.h"

#include "platform/NumText.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"

#include <cstdarg>
#include <cstring>
#include <string>

namespace {
int ShowFormatted(UINT type, const char* format, va_list args)
{
    char text[kMsgBoxMaxText + 1];
    text[0] = '\0';
    if (format)
        SafeVsnprintf(text, sizeof text, format, args);
    return ShowPrompt(text, type);
}
} // namespace

int MsgBoxPrintf(UINT type, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    int answer = ShowFormatted(type, format, args);
    va_end(args);
    return answer;
}

int MsgBoxResPrintf(UINT type, UINT id, ...)
{
    va_list args;
    va_start(args, id);
    const char* format = FindResString(id);
    int answer = ShowFormatted(type, format ? format : "", args);
    va_end(args);
    return answer;
}

std::string FormatWithTexts(std::string_view format, std::initializer_list<std::string_view> texts)
{
    std::string out;
    auto next = texts.begin();
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%' || i + 1 == format.size()) {
            out += format[i];
            continue;
        }
        if (format[i + 1] == '%') {
            out += '%';
            ++i;
            continue;
        }
        // Skip flags, width, precision and length up to the conversion letter.
        size_t j = i + 1;
        while (j < format.size() && std::strchr("-+ #0123456789.*hlLqjzt", format[j]))
            ++j;
        if (j == format.size()) {
            out.append(format.substr(i));
            break;
        }
        if (next != texts.end())
            out.append(*next++);
        i = j;
    }
    return out;
}

int MsgBoxResTexts(UINT type, UINT id, std::initializer_list<std::string_view> texts)
{
    const char* format = FindResString(id);
    std::string text = FormatWithTexts(format ? format : "", texts);
    if (text.size() > kMsgBoxMaxText)
        text.resize(kMsgBoxMaxText);
    return ShowPrompt(text, type);
}
