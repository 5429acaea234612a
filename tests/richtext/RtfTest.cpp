// RTF out (the clipboard wrapper) and in (documents from other programs), and
// the clipboard's three formats.
#include "richtext/MarkupBuilder.h"
#include "richtext/MarkupPositions.h"
#include "richtext/MarkupQueries.h"
#include "richtext/MarkupScanner.h"
#include "richtext/RichTextClipboard.h"
#include "richtext/RtfReader.h"
#include "richtext/TextUtils.h"

#include <QMimeData>
#include <gtest/gtest.h>

namespace {

TextFormatRec Format()
{
    return MakeTextFormat("Arial", 10, 0x44, 0);
}

std::string Plain(std::string markup)
{
    MarkupToPlainText(markup);
    return markup;
}

// The format of every visible character, as one line per character.
std::string Formats(const std::string& markup)
{
    const TextFormatRec f = Format();
    std::string out;
    const int count = CountMarkupChars(markup);
    for (int i = 0; i < count; ++i) {
        char ch;
        if (TokenAtCharIndex(markup, i, ch) != Mk::Char)
            continue;
        RangeFormat r;
        GetRangeFormat(markup, i, i + 1, &f, r);
        out += ch;
        out += " b" + std::to_string(r.bold) + " i" + std::to_string(r.italic) + " u" +
               std::to_string(r.underline) + " s" + std::to_string(r.size) + " c" + std::to_string(r.color) +
               " " + r.face + " sub" + std::to_string(r.sub) + " sup" + std::to_string(r.super) + "\n";
    }
    return out;
}

TEST(Rtf, RoundTripsSmallDocuments)
{
    const std::string tables = "{\\colortbl \\red0\\green0\\blue0;\\red255\\green0\\blue0;\\red0\\green128\\blue0;}"
                               "{\\fonttbl {\\f0 Arial;}{\\f1 Courier New;}}";
    const char* bodies[] = {
        "\\b1 bold\\b0  plain",
        "\\i1 it\\i0 \\ul1 under\\ul0 x",
        "\\cf1 red \\cf2 green\\cf0  black",
        "\\fs40 big \\fs16 small",
        "one\\line two\\line three",
        "\\f1 mono \\f0 sans",
        "H\\sub 2\\nosupersub O x\\super 2",
        "a\\\\b\\{c\\}",
    };
    for (const char* body : bodies) {
        std::string markup = tables + body;
        const std::string rtf = BuildRtfDocument(markup, true);
        std::string back;
        ASSERT_TRUE(RtfToMarkup(rtf, back)) << body;
        EXPECT_EQ(Plain(back), Plain(markup)) << body;
        EXPECT_EQ(Formats(back), Formats(markup)) << body << "\n" << back;
    }
    // Alignment survives as the text's first alignment words.
    std::string back;
    ASSERT_TRUE(RtfToMarkup(BuildRtfDocument(tables + "\\qc x", false), back));
    uint16_t align = 0x44;
    ASSERT_TRUE(GetAlignFromMarkup(back, align));
    EXPECT_EQ(align & 7, 2);
}

TEST(Rtf, ReadsDocumentsOfOtherPrograms)
{
    const std::string rtf =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\froman Times New Roman;}}"
        "{\\colortbl ;\\red255\\green0\\blue0;}"
        "{\\*\\generator Some Writer 1.0;}{\\stylesheet{\\s0 Normal;}}{\\info{\\title Secret}}"
        "\\viewkind4\\uc1\\pard\\qr\\f0\\fs20 Caf\\'e9 \\b bold\\b0  \\cf1 red\\cf0\\par\n"
        "\\f1 serif\\tab x \\u8364? euro \\u1234? none\\par\n"
        "{\\pict\\wmetafile8 0102030405}}";
    std::string markup;
    ASSERT_TRUE(RtfToMarkup(rtf, markup));
    EXPECT_EQ(Plain(markup), "Caf\xE9 bold red\r\nserif x \x80 euro ? none");
    const TextFormatRec f = Format();
    RangeFormat r;
    ASSERT_TRUE(GetRangeFormat(markup, 5, 9, &f, r));   // "bold"
    EXPECT_EQ(r.bold, 1);
    EXPECT_EQ(r.size, 10);
    ASSERT_TRUE(GetRangeFormat(markup, 10, 13, &f, r));   // "red"
    EXPECT_EQ(r.color, RGB(255, 0, 0));
    ASSERT_TRUE(GetRangeFormat(markup, 14, 19, &f, r));   // "serif"
    EXPECT_EQ(r.face, "Times New Roman");
    uint16_t align = 0;
    ASSERT_TRUE(GetAlignFromMarkup(markup, align));
    EXPECT_EQ(align & 7, 1);
}

TEST(Rtf, HostileInputIsReadSafely)
{
    std::string out;
    EXPECT_FALSE(RtfToMarkup("plain text", out));
    EXPECT_FALSE(RtfToMarkup(std::string(kRtfReadLimit + 1, '{'), out));
    const char* inputs[] = {
        "{\\rtf1 unbalanced {{{{ x",
        "{\\rtf1 }}}}}} y",
        "{\\rtf1 \\fs999999999999999 huge \\fs-40 negative}",
        "{\\rtf1 \\u-1? \\u99999999? \\uc99 \\u65 abc}",
        "{\\rtf1 \\'zz \\'4 \\' end\\",
        "{\\rtf1{\\fonttbl{\\f0 AVeryLongFontNameThatGoesOnAndOnAndOnForeverAndEver;}}\\f0 x}",
        "{\\rtf1{\\colortbl;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;}\\cf30 x}",
    };
    for (const char* in : inputs) {
        ASSERT_TRUE(RtfToMarkup(in, out)) << in;
        EXPECT_LE(CountMarkupChars(out), 20) << in;
        MarkupScanner s;
        ReadMarkupTables(out, s);
        EXPECT_LE(s.colorCount, 20);
    }
    std::string deep = "{\\rtf1 ";
    for (int i = 0; i < 100000; ++i)
        deep += '{';
    deep += "x";
    ASSERT_TRUE(RtfToMarkup(deep, out));
    ASSERT_TRUE(RtfToMarkup("{\\rtf1 \\fs999999999999999 huge}", out));
    EXPECT_EQ(Plain(out), "huge");
    EXPECT_NE(out.find("\\fs3276 "), std::string::npos);
}

TEST(RichTextClipboard, CopyAndPasteEachFormat)
{
    const TextFormatRec f = Format();
    const std::string text = "{\\colortbl \\red0\\green0\\blue0;\\red255\\green0\\blue0;}{\\fonttbl {\\f0 Arial;}}"
                             "one \\cf1 two \\softline three\\cf0  four";
    QMimeData data;
    PutRichTextOnClipboard(data, text, f, 4, 14);
    EXPECT_TRUE(data.hasFormat(kMimeKrtf));
    EXPECT_EQ(data.text(), "two three");
    const std::string krtf = data.data(kMimeKrtf).toStdString();
    EXPECT_EQ(krtf.find("softline"), std::string::npos);
    EXPECT_TRUE(data.data(kMimeRtf).startsWith("{\\rtf1\\ansi\\deff0\\deftab720"));

    // Own format first.
    std::string target = "{\\colortbl \\red0\\green0\\blue0;}{\\fonttbl {\\f0 Arial;}}xy";
    int pasted = 0;
    ASSERT_TRUE(PasteRichTextFromClipboard(data, target, f, 1, pasted));
    EXPECT_EQ(pasted, 9);
    EXPECT_EQ(Plain(target), "xtwo threey");
    RangeFormat r;
    ASSERT_TRUE(GetRangeFormat(target, 1, 4, &f, r));
    EXPECT_EQ(r.color, RGB(255, 0, 0));

    // RTF alone.
    QMimeData rtfOnly;
    rtfOnly.setData(kMimeRtf, "{\\rtf1{\\colortbl;\\red0\\green0\\blue255;}\\cf1 blue}");
    std::string t2 = "ab";
    ASSERT_TRUE(PasteRichTextFromClipboard(rtfOnly, t2, f, 1, pasted));
    EXPECT_EQ(Plain(t2), "ablueb");
    ASSERT_TRUE(GetRangeFormat(t2, 1, 5, &f, r));
    EXPECT_EQ(r.color, RGB(0, 0, 255));

    // Plain text: braces escaped, tabs dropped.
    QMimeData plain;
    plain.setText("{x}\ty");
    std::string t3 = "ab";
    ASSERT_TRUE(PasteRichTextFromClipboard(plain, t3, f, 2, pasted));
    EXPECT_EQ(Plain(t3), "ab{x}y");
    EXPECT_EQ(pasted, 4);

    QMimeData empty;
    std::string t4 = "ab";
    EXPECT_FALSE(PasteRichTextFromClipboard(empty, t4, f, 1, pasted));
    EXPECT_EQ(t4, "ab");

    // Own markup of a table alone (a face with an escaped brace) adds no
    // character: it changes nothing, and the plain text beside it is pasted.
    QMimeData tableOnly;
    tableOnly.setData(kMimeKrtf, "{\\f\\};}");
    std::string t5 = "{\\colortbl \\red0\\green0\\blue0;}{\\fonttbl {\\f0 Arial;}}Start";
    const std::string before = t5;
    EXPECT_FALSE(PasteRichTextFromClipboard(tableOnly, t5, f, 0, pasted));
    EXPECT_EQ(pasted, 0);
    EXPECT_EQ(t5, before);
    tableOnly.setText("x");
    ASSERT_TRUE(PasteRichTextFromClipboard(tableOnly, t5, f, 0, pasted));
    EXPECT_EQ(pasted, 1);
    EXPECT_EQ(Plain(t5), "xStart");
}

} // namespace
