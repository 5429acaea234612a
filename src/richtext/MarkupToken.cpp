#include "richtext/MarkupToken.h"

#include <climits>
#include <cstring>

namespace {

struct ControlWord {
    const char* word;   // without the backslash
    int kind;
};

// Control words by their letter count; a word matches only its own length.
constexpr ControlWord kWords[] = {
    {"b", Mk::Bold},        {"i", Mk::Italic},       {"f", Mk::Font},
    {"fs", Mk::FontSize},   {"cf", Mk::ColorIndex},  {"ul", Mk::Underline},
    {"ql", Mk::AlignLeft},  {"qr", Mk::AlignRight},  {"qc", Mk::AlignCenter},
    {"red", Mk::Red},       {"sub", Mk::Sub},        {"blue", Mk::Blue},
    {"line", Mk::Line},     {"sect", Mk::Sect},      {"green", Mk::Green},
    {"super", Mk::Super},   {"fonttbl", Mk::FontTable}, {"vertalt", Mk::VAlignTop},
    {"vertalb", Mk::VAlignBottom}, {"vertalc", Mk::VAlignCenter},
    {"softline", Mk::SoftLine}, {"colortbl", Mk::ColorTable},
    {"nosupersub", Mk::NoSuperSub},
};

int LookUpWord(const char* letters, int count)
{
    for (const ControlWord& w : kWords)
        if (int(std::strlen(w.word)) == count && std::memcmp(w.word, letters, size_t(count)) == 0)
            return w.kind;
    return Mk::Unrecognised;
}

bool IsParamChar(char c) { return c == '-' || (c >= '0' && c <= '9'); }

// The run read as atoi reads it: an optional minus, then digits; anything else
// stops the number. Saturates instead of overflowing.
int ReadParam(const char* run, int count)
{
    int i = 0;
    bool negative = false;
    if (i < count && run[i] == '-') {
        negative = true;
        ++i;
    }
    long long value = 0;
    for (; i < count && run[i] >= '0' && run[i] <= '9'; ++i) {
        value = value * 10 + (run[i] - '0');
        if (value > INT_MAX) {
            value = INT_MAX;
            // The rest of the digits only keep it saturated.
        }
    }
    if (negative)
        return value >= INT_MAX ? INT_MIN : int(-value);
    return int(value);
}

} // namespace

int NextMarkupToken(const char* text, char& ch, int& param, int& length)
{
    param = 0;
    length = 1;
    ch = 0;
    if (!text || !*text)
        return Mk::End;
    if (*text != '\\') {
        ch = *text;
        return ch == '{' ? Mk::GroupOpen : ch == '}' ? Mk::GroupClose : Mk::Char;
    }
    ch = text[1];
    if (ch == '\\' || ch == '{' || ch == '}') {
        length = 2;
        return Mk::Char;
    }
    int letters = 0;
    while (text[1 + letters] >= 'a' && text[1 + letters] <= 'z')
        ++letters;
    const char* run = text + 1 + letters;
    int digits = 0;
    while (IsParamChar(run[digits]))
        ++digits;
    if (digits)
        param = ReadParam(run, digits);
    length = 1 + letters + digits;
    if (run[digits] == ' ')
        ++length;
    if (letters == 0)
        return Mk::Unrecognised;
    return LookUpWord(text + 1, letters);
}

std::string EscapeMarkupChars(std::string_view plain)
{
    std::string out;
    out.reserve(plain.size());
    for (char ch : plain) {
        if (ch == '\\' || ch == '{' || ch == '}')
            out += '\\';
        out += ch;
    }
    return out;
}
