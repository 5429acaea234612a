#include "core/TextMeasure.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace {
const ABC& Abc(const ABC* table, char c)
{
    return table[static_cast<unsigned char>(c)];
}

bool IsBlankChar(char c)
{
    return c == ' ' || c == '\t';
}

bool IsBreakChar(char c)
{
    return IsBlankChar(c) || c == ',' || c == '-' || c == '/' || c == ':';
}

// The end of text after dropping its last word and the blanks and separators
// before it; one character less when the text is a single word.
size_t DropLastWord(std::string_view text)
{
    size_t i = text.size();
    while (i > 0 && !IsBlankChar(text[i - 1]))
        --i;
    while (i > 0 && IsBlankChar(text[i - 1]))
        --i;
    while (i > 0 && IsBreakChar(text[i - 1]))
        --i;
    return i > 0 ? i : text.size() - 1;
}

constexpr std::string_view kDots = "...";
} // namespace

int MeasureTextWidth(const ABC* table, int& width, const char* text, int length, int count,
                     bool partial)
{
    width = 0;
    if (!table || !text)
        return 0;
    if (length <= 0)
        length = int(std::strlen(text));
    if (!partial)
        count = length;
    count = std::clamp(count, 0, length);
    long long sum = 0;
    for (int i = 0; i < count; ++i) {
        const ABC& w = Abc(table, text[i]);
        sum += (long long)w.abcA + w.abcB + w.abcC;
    }
    int overhang = 0;
    if (!partial) {
        if (count > 0) {
            int a = Abc(table, text[0]).abcA;
            int c = Abc(table, text[count - 1]).abcC;
            if (a < 0) {
                sum -= a;
                overhang = -a;
            }
            if (c < 0)
                sum -= c;
        }
    } else {
        if (count == length && count > 0)
            sum -= Abc(table, text[count - 1]).abcC;
        if (count == 0 && length > 0)
            sum += Abc(table, text[0]).abcA;
    }
    width = int(std::clamp<long long>(sum, INT_MIN, INT_MAX));
    return overhang;
}

int GetTextWidthFromTable(const ABC* table, const char* text, int length)
{
    if (!table || !text || length <= 0)
        return 0;
    int width = 0;
    MeasureTextWidth(table, width, text, length, length, false);
    return width;
}

bool FitTextToWidth(std::string& text, int width, const TextWidthFn& measure)
{
    if (text.empty() || !measure || measure(text) <= width)
        return false;
    int room = width - measure(kDots);
    if (room < 0) {
        text.clear();
        return true;
    }
    std::string_view rest = text;
    while (!rest.empty() && measure(rest) > room)
        rest = rest.substr(0, DropLastWord(rest));
    text = std::string(rest) + std::string(kDots);
    return true;
}

void SplitTextOverTwoWidths(const std::string& text, std::string& first, std::string& second,
                            int width, const TextWidthFn& measure)
{
    first = text;
    second.clear();
    if (!FitTextToWidth(first, width, measure) || first.size() < kDots.size())
        return;
    first.resize(first.size() - kDots.size());
    size_t start = first.size();
    while (start < text.size() && IsBlankChar(text[start]))
        ++start;
    second = text.substr(start);
    FitTextToWidth(second, width, measure);
}
