#include "richtext/TextUtils.h"

#include "richtext/MarkupToken.h"
#include "richtext/MarkupWalker.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

bool DeleteStringRange(std::string& text, int start, int end)
{
    const int length = int(text.size());
    if (start < 0 || end < 0 || start > length || end > length || end < start)
        return false;
    text.erase(size_t(start), size_t(end - start));
    return true;
}

bool InsertStringAtOffset(std::string& text, int offset, const std::string& str)
{
    if (offset < 0 || offset > int(text.size()))
        return false;
    text.insert(size_t(offset), str);
    return true;
}

bool InsertCharAtOffset(std::string& text, int offset, char ch)
{
    return InsertStringAtOffset(text, offset, std::string(1, ch));
}

bool DeleteCharAtOffset(std::string& text, int offset)
{
    return DeleteStringRange(text, offset, offset + 1);
}

bool ContainsChar(const std::string& text, char ch)
{
    return text.find(ch) != std::string::npos;
}

namespace {

// The kind of control word a separator is (Sect for "\sect "), 0 when it is
// no single control word.
int SeparatorWordKind(const std::string& separator)
{
    char ch;
    int param, length;
    const int kind = NextMarkupToken(separator.c_str(), ch, param, length);
    return separator.size() > 1 && separator[0] == '\\' && kind > Mk::Char && length == int(separator.size())
               ? kind
               : 0;
}

// The offset of the next separator at or after `from`, npos when none; the
// separator's length in the text goes to `length`.
size_t FindSeparator(const std::string& text, const std::string& separator, int wordKind, size_t from,
                     int& length)
{
    length = int(separator.size());
    if (!wordKind)
        return separator.empty() ? std::string::npos : text.find(separator, from);
    // Walk tokens from the start so that escapes are respected.
    const char* p = text.c_str();
    size_t offset = 0;
    char ch;
    int param, len;
    int kind;
    while ((kind = NextMarkupToken(p + offset, ch, param, len)) != Mk::End) {
        if (offset >= from && kind == wordKind) {
            length = len;
            return offset;
        }
        offset += size_t(len);
    }
    return std::string::npos;
}

} // namespace

int FindNthSubStringPos(const std::string& text, const std::string& separator, int n, int& pos, int& length)
{
    const int wordKind = SeparatorWordKind(separator);
    size_t at = 0;
    int passed = 0;
    int sepLen = 0;
    for (; passed < n; ++passed) {
        const size_t found = FindSeparator(text, separator, wordKind, at, sepLen);
        if (found == std::string::npos)
            break;
        at = found + size_t(sepLen);
    }
    pos = int(at);
    length = 0;
    if (passed == n && at < text.size()) {
        const size_t next = FindSeparator(text, separator, wordKind, at, sepLen);
        length = int((next == std::string::npos ? text.size() : next) - at);
    }
    return passed;
}

void ExtractSubStringByDelim(const std::string& text, const std::string& separator, int n, std::string& out)
{
    int pos = 0, length = 0;
    const int passed = FindNthSubStringPos(text, separator, n, pos, length);
    out = passed == n ? text.substr(size_t(pos), size_t(length)) : std::string();
}

bool ReplaceSubStringByDelim(std::string& text, const std::string& separator, int n, const std::string& piece,
                             int maxLength)
{
    if (n < 0) {
        if (int(piece.size()) > maxLength)
            return false;
        text = piece;
        return true;
    }
    int pos = 0, length = 0;
    const int passed = FindNthSubStringPos(text, separator, n, pos, length);
    std::string result = text;
    if (passed < n) {
        for (int i = passed; i < n; ++i)
            result += separator;
        pos = int(result.size());
        length = 0;
    }
    result.replace(size_t(pos), size_t(length), piece);
    if (int(result.size()) > maxLength)
        return false;
    text = std::move(result);
    return true;
}

bool IsBlankString(const std::string& text)
{
    for (char c : text)
        if (c != ' ' && c != '\t')
            return false;
    return true;
}

void ReplaceChar(std::string& text, char from, char to)
{
    if (from == to)
        return;
    for (char& c : text)
        if (c == from)
            c = to;
}

void ReplaceAllSubStrings(std::string& text, const std::string& find, const std::string& replacement)
{
    if (find.empty() || find.size() > text.size())
        return;
    std::string out;
    size_t at = 0;
    for (;;) {
        const size_t hit = text.find(find, at);
        if (hit == std::string::npos)
            break;
        out.append(text, at, hit - at);
        out += replacement;
        at = hit + find.size();
    }
    out.append(text, at, std::string::npos);
    text = std::move(out);
}

bool ConsistsOfSubString(const std::string& text, const std::string& sub)
{
    if (text.empty())
        return true;
    if (sub.empty() || text.size() % sub.size())
        return false;
    for (size_t i = 0; i < text.size(); i += sub.size())
        if (text.compare(i, sub.size(), sub) != 0)
            return false;
    return true;
}

void IncrementTrailingNumber(std::string& name, char separator)
{
    if (name.empty()) {
        name = "1";
        return;
    }
    size_t digits = name.size();
    while (digits > 0 && std::isdigit(static_cast<unsigned char>(name[digits - 1])))
        --digits;
    auto next = [](const std::string& run) {
        errno = 0;
        long long v = std::strtoll(run.c_str(), nullptr, 10);
        // A number that no longer counts up stays where it is.
        if (errno == ERANGE || v >= INT32_MAX)
            v = INT32_MAX - 1;
        char buf[24];
        std::snprintf(buf, sizeof buf, "%ld", long(v + 1));
        return std::string(buf);
    };
    if (digits == 0) {
        name = next(name);
        return;
    }
    if (digits < name.size() && name[digits - 1] == separator) {
        name = name.substr(0, digits) + next(name.substr(digits));
        return;
    }
    name += separator;
    name += '1';
}

namespace {

// The characters of the text state with escapes resolved; hard breaks as
// hardBreak, soft breaks dropped.
std::string VisibleText(const std::string& text, const char* hardBreak)
{
    std::string out;
    MarkupWalker w(text);
    while (w.Step()) {
        if (!w.visible)
            continue;
        if (w.kind == Mk::Char)
            out += w.ch;
        else if (w.kind == Mk::Line)
            out += hardBreak;
    }
    return out;
}

// Replaces every token of kind `from` by `replacement`; a blank directly
// before it is taken into the match when withBlank is set.
std::string ReplaceWordTokens(const std::string& text, int from, const std::string& replacement, bool withBlank)
{
    std::string out;
    const char* p = text.c_str();
    size_t offset = 0;
    char ch;
    int param, len;
    int kind;
    bool prevBlank = false;   // the previous token is a blank character of its own
    while ((kind = NextMarkupToken(p + offset, ch, param, len)) != Mk::End) {
        if (kind == from) {
            if (withBlank && prevBlank)
                out.pop_back();
            out += replacement;
            out += p[offset + size_t(len) - 1] == ' ' ? " " : "";
        } else {
            out.append(p + offset, size_t(len));
        }
        prevBlank = kind == Mk::Char && len == 1 && ch == ' ';
        offset += size_t(len);
    }
    return out;
}

} // namespace

void MarkupToPlainText(std::string& text)
{
    text = VisibleText(text, "\r\n");
}

void PlainTextToMarkup(std::string& text)
{
    ReplaceAllSubStrings(text, "\\", "\\\\");
    ReplaceAllSubStrings(text, "\r\n", "\\line ");
    // Qt's edits end their lines with a bare line feed, which the markup
    // would otherwise keep as a character that lays out on one line.
    ReplaceAllSubStrings(text, "\n", "\\line ");
    ReplaceAllSubStrings(text, "{", "\\{");
    ReplaceAllSubStrings(text, "}", "\\}");
}

bool PlainTextToMarkupForPaste(std::string& text)
{
    ReplaceAllSubStrings(text, "\\", "\\\\");
    ReplaceAllSubStrings(text, "{", "\\{");
    ReplaceAllSubStrings(text, "}", "\\}");
    ReplaceAllSubStrings(text, "\r\n", "\\line ");
    const size_t before = text.size();
    std::string out;
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 32)
            out += c;
    text = std::move(out);
    return text.size() != before;
}

void MarkupToClipboardText(std::string& text)
{
    text = VisibleText(text, "\r\n");
}

void ConvertSoftBreaksToLines(std::string& text)
{
    // " \softline" and a bare "\softline" both become "\line"; the token walk
    // leaves escaped backslashes alone.
    text = ReplaceWordTokens(text, Mk::SoftLine, "\\line", true);
}

void ConvertLineBreaksToSoft(std::string& text)
{
    text = ReplaceWordTokens(text, Mk::Line, " \\softline", false);
}

bool IsRelativePathWithDir(const std::string& path)
{
    return !path.empty() && path.find(':') == std::string::npos && path[0] != '\\' &&
           path.find('\\') != std::string::npos;
}

namespace {

bool StartsWithNoCase(const std::string& text, const char* prefix)
{
    const size_t n = std::strlen(prefix);
    if (text.size() < n)
        return false;
    for (size_t i = 0; i < n; ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i])
            return false;
    return true;
}

} // namespace

bool LooksLikeWebHost(const std::string& text)
{
    return text.size() >= 4 && (StartsWithNoCase(text, "www.") || StartsWithNoCase(text, "ftp."));
}

bool LooksLikeUrl(const std::string& text)
{
    if (text.size() < 4)
        return false;
    for (const char* scheme : {"ftp:", "http:", "file:", "https:"})
        if (StartsWithNoCase(text, scheme))
            return true;
    return LooksLikeWebHost(text);
}
