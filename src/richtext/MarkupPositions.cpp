#include "richtext/MarkupPositions.h"

#include "richtext/MarkupWalker.h"

#include <vector>

namespace {

int CountOr(const std::vector<VisibleToken>& vis, int count)
{
    return count < 0 ? int(vis.size()) : count;
}

int KindAt(const std::vector<VisibleToken>& vis, int i)
{
    return i >= 0 && i < int(vis.size()) ? vis[size_t(i)].kind : Mk::End;
}

bool IsBlankAt(const std::vector<VisibleToken>& vis, int i)
{
    return KindAt(vis, i) == Mk::Char && vis[size_t(i)].ch == ' ';
}

bool WordClass(char ch) { return IsWordChar(ch); }

bool BoundaryAt(const std::vector<VisibleToken>& vis, int index, int count)
{
    if (index <= 0 || index >= count)
        return true;
    const int k = KindAt(vis, index), p = KindAt(vis, index - 1);
    if ((k != Mk::Char && k != Mk::SoftLine) || (p != Mk::Char && p != Mk::SoftLine))
        return true;
    if (k == Mk::SoftLine || IsBlankAt(vis, index))
        return false;
    if (p == Mk::Char) {
        if (vis[size_t(index - 1)].ch == ' ')
            return true;
        return WordClass(vis[size_t(index)].ch) != WordClass(vis[size_t(index - 1)].ch);
    }
    // After a soft break: a boundary when a blank stands before the break.
    return IsBlankAt(vis, index - 2);
}

int NextBoundary(const std::vector<VisibleToken>& vis, int index, int count)
{
    if (index >= count || index < 0)
        return count;
    int i = index + 1;
    while (i < count && !BoundaryAt(vis, i, count))
        ++i;
    return i;
}

int PrevBoundary(const std::vector<VisibleToken>& vis, int index, int count)
{
    if (index <= 0 || index > count)
        return 0;
    int i = index - 1;
    while (i > 0 && !BoundaryAt(vis, i, count))
        --i;
    return i;
}

bool WrapPointAt(const std::vector<VisibleToken>& vis, int index)
{
    if (KindAt(vis, index) != Mk::Char || vis[size_t(index)].ch == ' ')
        return false;
    int p = index - 1;
    while (KindAt(vis, p) == Mk::SoftLine)
        --p;
    return IsBlankAt(vis, p);
}

} // namespace

int CountMarkupChars(const std::string& text)
{
    MarkupWalker w(text);
    while (w.Step()) {
    }
    return w.count;
}

int CountMarkupLines(const std::string& text)
{
    if (text.empty())
        return 0;
    int lines = 1;
    MarkupWalker w(text);
    while (w.Step())
        if (w.visible && (w.kind == Mk::Line || w.kind == Mk::SoftLine))
            ++lines;
    return lines;
}

int CharIndexToOffset(const std::string& text, int index, bool beforeCodes)
{
    if (index < 0)
        return -1;
    MarkupWalker w(text);
    int boundary = 0;   // after the last visible token or the last table token
    while (w.Step()) {
        if (w.visible && w.index == index)
            return beforeCodes ? boundary : w.start;
        if (w.visible || w.preState != kScanText || !w.scanner.InText())
            boundary = w.next;
    }
    return index == w.count ? w.next : -1;
}

int OffsetToCharIndex(const std::string& text, int offset)
{
    MarkupWalker w(text);
    while (w.Step()) {
        if (w.start == offset)
            return w.visible ? w.index : -1;
        if (w.start > offset)
            return -1;
    }
    return offset == w.next ? w.count : -1;
}

int TokenAtCharIndex(const std::string& text, int index, char& ch)
{
    ch = 0;
    if (index < 0)
        return Mk::End;
    MarkupWalker w(text);
    while (w.Step())
        if (w.visible && w.index == index) {
            ch = w.ch;
            return w.kind;
        }
    return Mk::End;
}

int LineOfCharIndex(const std::string& text, int index)
{
    const std::vector<VisibleToken> vis = VisibleTokens(text);
    if (index < 0 || index > int(vis.size()))
        return 0;
    int line = 0;
    for (int i = 0; i < index; ++i)
        if (vis[size_t(i)].kind != Mk::Char)
            ++line;
    return line;
}

int SkipLeadingGroups(const std::string& text)
{
    const char* p = text.c_str();
    int offset = 0;
    char ch;
    int param, length;
    while (NextMarkupToken(p + offset, ch, param, length) == Mk::GroupOpen) {
        int depth = 0;
        int kind;
        do {
            kind = NextMarkupToken(p + offset, ch, param, length);
            if (kind == Mk::End)
                return -1;
            depth += kind == Mk::GroupOpen ? 1 : kind == Mk::GroupClose ? -1 : 0;
            offset += length;
        } while (depth > 0);
    }
    return offset;
}

int LineStartOffset(const std::string& text, int line, bool zeroForFirst)
{
    if (line < 0)
        return -1;
    const int lead = SkipLeadingGroups(text);
    if (line == 0)
        return zeroForFirst ? 0 : (lead < 0 ? 0 : lead);
    MarkupWalker w(text);
    int breaks = 0;
    while (w.Step())
        if (w.visible && w.kind != Mk::Char && w.start >= lead && ++breaks == line)
            return w.next;
    return -1;
}

int LineStartCharIndex(const std::string& text, int line)
{
    const int offset = LineStartOffset(text, line, false);
    if (offset < 0)
        return -1;
    MarkupWalker w(text);
    while (w.Step())
        if (w.visible && w.start >= offset)
            return w.index;
    return w.count;
}

bool GetLineCharRange(const std::string& text, int line, int& first, int& last)
{
    first = LineStartCharIndex(text, line);
    last = LineEndCharIndex(text, line);
    return first >= 0 && last >= 0;
}

int LineEndCharIndex(const std::string& text, int line)
{
    if (line < 0)
        return -1;
    const std::vector<VisibleToken> vis = VisibleTokens(text);
    int current = 0;
    for (size_t i = 0; i < vis.size(); ++i)
        if (vis[i].kind != Mk::Char && current++ == line)
            return int(i);
    return current == line ? int(vis.size()) : -1;
}

int NextCaretPos(const std::string& text, int index, int count)
{
    const std::vector<VisibleToken> vis = VisibleTokens(text);
    count = CountOr(vis, count);
    if (index >= count || index < 0)
        return count;
    int i = index + 1;
    while (i < count && KindAt(vis, i) == Mk::SoftLine)
        ++i;
    return i;
}

int PrevCaretPos(const std::string& text, int index)
{
    if (index <= 0)
        return 0;
    const std::vector<VisibleToken> vis = VisibleTokens(text);
    int i = std::min(index, int(vis.size())) - 1;
    while (i > 0 && KindAt(vis, i) == Mk::SoftLine)
        --i;
    return i < 0 ? 0 : i;
}

bool IsWordChar(char ch)
{
    return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9');
}

bool IsWordBoundary(const std::string& text, int index, int count)
{
    const std::vector<VisibleToken> vis = VisibleTokens(text);
    return BoundaryAt(vis, index, CountOr(vis, count));
}

int NextWordBoundary(const std::string& text, int index, int count)
{
    const std::vector<VisibleToken> vis = VisibleTokens(text);
    return NextBoundary(vis, index, CountOr(vis, count));
}

int PrevWordBoundary(const std::string& text, int index, int count)
{
    const std::vector<VisibleToken> vis = VisibleTokens(text);
    return PrevBoundary(vis, index, CountOr(vis, count));
}

void GetWordRange(const std::string& text, int index, int& start, int& end, bool trimEnd, int count)
{
    const std::vector<VisibleToken> vis = VisibleTokens(text);
    count = CountOr(vis, count);
    const bool lineEnd = index >= count || KindAt(vis, index) == Mk::Line;
    if (BoundaryAt(vis, index, count) && !lineEnd) {
        end = NextBoundary(vis, index, count);
        start = PrevBoundary(vis, end, count);
    } else {
        start = PrevBoundary(vis, index, count);
        end = NextBoundary(vis, start, count);
    }
    if (trimEnd)
        while (end > start && (IsBlankAt(vis, end - 1) || KindAt(vis, end - 1) == Mk::SoftLine))
            --end;
}

bool IsInsideWord(const std::string& text, int index, int count)
{
    const std::vector<VisibleToken> vis = VisibleTokens(text);
    count = CountOr(vis, count);
    if (index <= 0 || index >= count)
        return false;
    int after = index;
    while (KindAt(vis, after) == Mk::SoftLine)
        ++after;
    int before = index - 1;
    while (KindAt(vis, before) == Mk::SoftLine)
        --before;
    auto wordChar = [&](int i) {
        return KindAt(vis, i) == Mk::Char && vis[size_t(i)].ch != ' ' && IsWordChar(vis[size_t(i)].ch);
    };
    return wordChar(after) && wordChar(before);
}

bool IsWrapPoint(const std::string& text, int index)
{
    return WrapPointAt(VisibleTokens(text), index);
}

void FindWrapPointBefore(const std::string& text, int& index)
{
    const std::vector<VisibleToken> vis = VisibleTokens(text);
    for (int i = index; i >= 1; --i)
        if (WrapPointAt(vis, i)) {
            index = i;
            return;
        }
}
