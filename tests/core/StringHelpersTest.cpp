#include "core/MsgBox.h"
#include "core/StringHelpers.h"

#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <climits>

TEST(ColonSuffix, RecognisesOnlyDigitSuffixes)
{
    size_t pos = 99;
    EXPECT_TRUE(HasColonNumberSuffix("Box:12", &pos));
    EXPECT_EQ(pos, 3u);
    EXPECT_TRUE(HasColonNumberSuffix("a:b:7"));
    for (const char* no : {"Box:", "Box:1a", "Box", ":", "", "Box:-1"})
        EXPECT_FALSE(HasColonNumberSuffix(no)) << no;
    EXPECT_EQ(GetColonSuffixNumber("Box:12"), 12);
    EXPECT_EQ(GetColonSuffixNumber("Box"), 0);
    EXPECT_EQ(GetColonSuffixNumber("Box:99999999999999"), INT_MAX);
    EXPECT_EQ(StripColonSuffix("a:b:7"), "a:b");
    EXPECT_EQ(StripColonSuffix("Box:"), "Box:");
}

TEST(ColonSuffix, SetReplacesRemovesAndRefusesNegatives)
{
    std::string t = "Box:12";
    SetColonSuffixNumber(t, 3);
    EXPECT_EQ(t, "Box:3");
    SetColonSuffixNumber(t, 0);
    EXPECT_EQ(t, "Box");
    SetColonSuffixNumber(t, 5);
    EXPECT_EQ(t, "Box:5");
    SetColonSuffixNumber(t, 5);
    EXPECT_EQ(t, "Box:5");
    t = "Box:007";
    SetColonSuffixNumber(t, 7); // same number: the text is kept
    EXPECT_EQ(t, "Box:007");
    SetColonSuffixNumber(t, -3);
    EXPECT_EQ(t, "Box:007");
}

TEST(BreakIntoLines, PiecesJoinedAndZeroWidthGuarded)
{
    std::string t = "abcdefghij";
    BreakIntoLines(t, 4);
    EXPECT_EQ(t, "abcd-\r\nefgh-\r\nij");
    t = "abcdefgh";
    BreakIntoLines(t, 4);
    EXPECT_EQ(t, "abcd-\r\nefgh");
    t = "abc";
    BreakIntoLines(t, 4);
    EXPECT_EQ(t, "abc");
    for (int width : {0, -5}) {
        t = "abcdef";
        BreakIntoLines(t, width);
        EXPECT_EQ(t, "abcdef");
    }
}

TEST(StripMenuText, CutsAtTabAndDropsAmpersands)
{
    std::string t = "&Save && Close\tCtrl+S";
    StripMenuText(t);
    EXPECT_EQ(t, "Save  Close");
}

TEST(ResStrings, LoadedTruncatedOrEmpty)
{
    char buffer[kResStringMax + 1] = "stale";
    EXPECT_STREQ(LoadResString(buffer, sizeof buffer, 811), "<As Is>");
    EXPECT_EQ(LoadResString(buffer, sizeof buffer, 65001), nullptr);
    EXPECT_STREQ(buffer, "");
    char small[4];
    EXPECT_STREQ(LoadResString(small, sizeof small, 811), "<As");
    std::string s = "stale";
    EXPECT_EQ(LoadCStringRes(s, 477), "pt");
    EXPECT_EQ(LoadCStringRes(s, 65001), "");
    EXPECT_EQ(s, "");
}

TEST(MsgBox, FormatsBoundedThroughThePrompt)
{
    CRecordingPrompt prompt;
    prompt.QueueAnswer(IDNO);
    EXPECT_EQ(MsgBoxPrintf(MB_YESNO, "File %s has %d pages", "a.kvd", 3), IDNO);
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text, "File a.kvd has 3 pages");
    EXPECT_EQ(prompt.shown[0].type, UINT(MB_YESNO));

    // A path far longer than any message buffer is cut, never overrun.
    std::string longPath(5000, 'x');
    MsgBoxPrintf(MB_OK, "Cannot open %s.", longPath.c_str());
    EXPECT_EQ(prompt.shown.back().text.size(), kMsgBoxMaxText);

    MsgBoxResPrintf(MB_ICONEXCLAMATION, 477);
    EXPECT_EQ(prompt.shown.back().text, "pt");
    MsgBoxResPrintf(MB_OK, 65001);
    EXPECT_EQ(prompt.shown.back().text, "");
}

TEST(MsgBox, TableFormatsAreFilledWithTextsWhateverTheirConversions)
{
    EXPECT_EQ(FormatWithTexts("a %s b %d c %.2f %% %s", {"1", "2", "3"}), "a 1 b 2 c 3 % ");
    EXPECT_EQ(FormatWithTexts("trailing %", {"x"}), "trailing %");
    CRecordingPrompt prompt;
    MsgBoxResTexts(MB_ICONEXCLAMATION, 484, {".08", "25.6"});
    EXPECT_EQ(prompt.shown.back().text, "Enter a grid spacing between .08 and 25.6");
}
