#include "richtext/MarkupWalker.h"

#include <cstring>

MarkupWalker::MarkupWalker(const char* t, const TextFormatRec* format, bool readOnly)
    : text(t ? t : "")
{
    scanner.Init(format);
    if (readOnly)
        scanner.SetReadOnly();
}

bool MarkupWalker::Step()
{
    start = next;
    preState = scanner.state;
    kind = NextMarkupToken(text + start, ch, param, length);
    visible = false;
    if (kind == Mk::End) {
        length = 0;
        return false;
    }
    scanner.ApplyToken(kind, ch, param);
    next = start + length;
    visible = Mk::IsVisible(kind) && scanner.InText();
    if (visible)
        index = count++;
    return true;
}

std::vector<VisibleToken> VisibleTokens(const std::string& text)
{
    std::vector<VisibleToken> out;
    MarkupWalker w(text);
    while (w.Step())
        if (w.visible)
            out.push_back(VisibleToken{w.kind, w.ch, w.start});
    return out;
}

int MarkupLength(const std::string& text)
{
    return int(std::strlen(text.c_str()));
}
