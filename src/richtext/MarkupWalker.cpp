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

bool ScanTokenAt(const char* text, int offset, MarkupScanner& scanner, ScannedToken& t)
{
    t.kind = NextMarkupToken(text + offset, t.ch, t.param, t.length);
    if (t.kind == Mk::End) {
        t.length = 0;
        return false;
    }
    const int pre = scanner.state;
    scanner.ApplyToken(t.kind, t.ch, t.param, t.anyChange, t.redundant);
    t.inText = pre == kScanText && scanner.InText();
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
