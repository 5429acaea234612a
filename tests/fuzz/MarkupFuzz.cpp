// Drives the rich-text markup (tokenizer, scanner, positions, builder,
// normalisation, text utilities) and the RTF reader with arbitrary bytes.
// Nothing may crash, hang or read outside the strings; texts that go in
// within the limit must come out within it.
#include "richtext/MarkupBuilder.h"
#include "richtext/MarkupPositions.h"
#include "richtext/MarkupQueries.h"
#include "richtext/RtfReader.h"
#include "richtext/TextUtils.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

TextFormatRec Format()
{
    return MakeTextFormat("Arial", 10, 0x44, 0);
}

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

void DriveMarkup(const std::string& text)
{
    const TextFormatRec f = Format();
    const int count = CountMarkupChars(text);
    CountMarkupLines(text);
    for (int i : {0, count / 2, count, count + 1, -1}) {
        const int off = CharIndexToOffset(text, i, true);
        Check(off <= int(text.size()));
        OffsetToCharIndex(text, off);
        NextCaretPos(text, i, -1);
        PrevCaretPos(text, i);
        IsWordBoundary(text, i, -1);
        int s = 0, e = 0;
        GetWordRange(text, i, s, e, true, -1);
        int w = i;
        FindWrapPointBefore(text, w);
        LineStartCharIndex(text, i);
        LineEndCharIndex(text, i);
    }
    int s = 0, e = 0;
    FindInMarkup(text, "ab", false, true, 0, s, e);
    RangeFormat r;
    GetRangeFormat(text, 0, count, &f, r);
    uint16_t align = 0;
    GetAlignFromMarkup(text, align);
    LOGFONT lf = f.font;
    GetCharFormatFromMarkup(text, lf);
    SmallestFontSizeInUse(text, lf);
    IsLongText(text);

    std::string copy = text;
    const bool fits = copy.size() <= size_t(kMarkupTextLimit);
    NormalizeMarkup(copy, &f, kMarkupTextLimit, false);
    FormatRequest req;
    req.bold = 1;
    req.color = RGB(1, 2, 3);
    req.face = "Courier New";
    req.size = 14;
    std::string formatted = text;
    ApplyFormatToRange(formatted, count / 3, count / 2, &f, req, kMarkupTextLimit, false);
    if (fits)
        Check(formatted.size() <= size_t(kMarkupTextLimit));
    std::string piece;
    ExtractRangeAsMarkup(text, piece, &f, 0, count);
    std::string target = "{\\colortbl \\red0\\green0\\blue0;}{\\fonttbl {\\f0 Arial;}}xy";
    InsertMarkupAt(target, &f, text, 1, kMarkupTextLimit);
    Check(target.size() <= size_t(kMarkupTextLimit));
    std::string replaced = text;
    ReplaceCharRange(replaced, count / 4, count / 2, &f, "XYZ");
    std::string deleted = text;
    DeleteRangeKeepFormat(deleted, 0, count / 2, &f);
    std::string scaled = text;
    ScaleFontSizes(scaled, 3, 7, kMarkupTextLimit);
    std::string compact = text;
    CompactMarkupColorTable(compact, kMarkupTextLimit, true);
    CompactMarkupFontTable(compact, kMarkupTextLimit, false);

    std::string t = text;
    ConvertLineBreaksToSoft(t);
    ConvertSoftBreaksToLines(t);
    MarkupToPlainText(t);
    PlainTextToMarkupForPaste(t);
    std::string out;
    ExtractSubStringByDelim(text, "\\sect ", 1, out);
    std::string sections = text;
    ReplaceSubStringByDelim(sections, "\\sect ", 2, "x", kMarkupTextLimit);
    std::string name = text.substr(0, 40);
    IncrementTrailingNumber(name, ' ');
    LooksLikeUrl(text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Texts are at most a few thousand characters; the fuzz input is cut to
    // keep every round quick.
    const std::string text(reinterpret_cast<const char*>(data), std::min<size_t>(size, 6000));
    DriveMarkup(text);
    std::string markup;
    RtfToMarkup(text, markup);
    RtfToMarkup("{\\rtf1 " + text, markup);
    DriveMarkup(markup);
    return 0;
}
