// Keeping a text free of unused table entries, duplicate entries, repeated,
// unknown, dangling and redundant control words.
#include "richtext/MarkupBuilder.h"

#include "richtext/MarkupTables.h"
#include "richtext/MarkupWalker.h"

namespace {

// The slot of a control word that a later one of the same slot overrides.
int RepeatSlot(int kind)
{
    switch (kind) {
    case Mk::Bold: return 0;
    case Mk::Italic: return 1;
    case Mk::Underline: return 2;
    case Mk::Font: return 3;
    case Mk::FontSize: return 4;
    case Mk::ColorIndex: return 5;
    default:
        if (Mk::IsHorizontalAlign(kind))
            return 6;
        if (Mk::IsVerticalAlign(kind))
            return 7;
        return -1;
    }
}

constexpr int kSlots = 8;

// One pass of step 3; deletes one token and returns true, or returns false
// when nothing is left to delete.
bool DeleteOneRepeatedWord(std::string& text)
{
    int last[kSlots];
    for (int& v : last)
        v = -1;
    MarkupWalker w(text);
    while (w.Step()) {
        if (w.preState != kScanText || !w.scanner.InText())
            continue;
        if (w.kind == Mk::Char || w.kind == Mk::Line) {
            for (int& v : last)
                v = -1;
            continue;
        }
        if (w.kind == Mk::Unrecognised) {
            DeleteTokenAt(text, w.start);
            return true;
        }
        const int slot = RepeatSlot(w.kind);
        if (slot < 0)
            continue;
        if (last[slot] >= 0) {
            DeleteTokenAt(text, last[slot]);
            return true;
        }
        last[slot] = w.start;
    }
    // Formatting that no character follows, from the back so that the
    // earlier offsets stay valid.
    int latest = -1;
    for (int v : last)
        latest = std::max(latest, v);
    if (latest < 0)
        return false;
    return DeleteTokenAt(text, latest) > 0;
}

void RemoveRepeatedWords(std::string& text)
{
    // Every round deletes one token, so the loop ends.
    while (DeleteOneRepeatedWord(text)) {
    }
}

void RemoveRedundantWords(std::string& text, const TextFormatRec* format, bool keepLeading)
{
    MarkupScanner s;
    s.Init(format);
    bool seenVisible = false;
    int offset = 0;
    ScannedToken t;
    while (ScanTokenAt(text.c_str(), offset, s, t)) {
        if (t.inText && Mk::IsVisible(t.kind))
            seenVisible = true;
        if (t.inText && t.redundant && !(keepLeading && !seenVisible)) {
            // A word that changes nothing leaves the scanner as it was.
            const int removed = DeleteTokenAt(text, offset);
            if (removed > 0) {
                offset += removed < t.length ? t.length - removed : 0;
                continue;
            }
        }
        offset += t.length;
    }
    // A trailing soft break or size word serves nothing.
    MarkupWalker w(text);
    int lastStart = -1, lastKind = Mk::End;
    while (w.Step()) {
        lastStart = w.start;
        lastKind = w.kind;
    }
    if (lastKind == Mk::SoftLine || lastKind == Mk::FontSize)
        DeleteTokenAt(text, lastStart);
}

} // namespace

bool NormalizeMarkup(std::string& text, const TextFormatRec* format, int limit, bool keepLeading)
{
    const std::string saved = text;
    CompactMarkupColorTable(text, limit, !keepLeading);
    CompactMarkupFontTable(text, limit, !keepLeading);
    if (!MergeDuplicateTableEntries(text, limit) && text.size() > size_t(limit) && limit > 0) {
        text = saved;
        return false;
    }
    RemoveRepeatedWords(text);
    RemoveRedundantWords(text, format, keepLeading);
    return true;
}
