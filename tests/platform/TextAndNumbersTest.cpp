#include "common/TestEnvironment.h"
#include "platform/Ansi.h"
#include "platform/NumText.h"
#include "platform/StringTable.h"
#include "platform/TextCase.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

TEST(Ansi, EveryByteSurvivesARoundTrip)
{
    std::string all;
    for (int i = 1; i < 256; ++i)
        all.push_back(char(i));
    bool ok = false;
    EXPECT_EQ(QStringToAnsi(AnsiToQString(all), &ok), all);
    EXPECT_TRUE(ok);
    EXPECT_EQ(AnsiToQString("\x80\x93\x94"), QString::fromUtf8("\u20ac\u201c\u201d"));
}

TEST(Ansi, UnencodableCharactersAreReported)
{
    bool ok = true;
    EXPECT_EQ(QStringToAnsi(QString::fromUtf8("a\u4e2db"), &ok), "a?b");
    EXPECT_FALSE(ok);
}

TEST(NumText, FormattingIgnoresTheUserLocale)
{
    const CCommaDecimalLocale german;
    ASSERT_TRUE(german.Active());
    EXPECT_EQ(StrPrintf("%.3f", 1.25), "1.250");
    EXPECT_EQ(FormatFixed(-0.5, 1), "-0.5");
    EXPECT_DOUBLE_EQ(*ScanDouble("1.5"), 1.5);
}

TEST(NumText, ScanDoubleReadsLikePercentF)
{
    struct Case {
        const char* text;
        bool ok;
        double value;
        size_t used;
    } cases[] = {
        {"3/4", true, 3, 1},   {"  -2.5x", true, -2.5, 6}, {".25", true, 0.25, 3},
        {"1e3", true, 1000, 3}, {"1e", true, 1, 1},        {"+7.", true, 7, 3},
        {"abc", false, 0, 0},  {".", false, 0, 0},         {"", false, 0, 0},
        {"-", false, 0, 0},
    };
    for (const auto& c : cases) {
        size_t used = 0;
        auto v = ScanDouble(c.text, &used);
        ASSERT_EQ(v.has_value(), c.ok) << c.text;
        if (c.ok) {
            EXPECT_DOUBLE_EQ(*v, c.value) << c.text;
            EXPECT_EQ(used, c.used) << c.text;
        }
    }
    EXPECT_TRUE(std::isinf(*ScanDouble("1e999")));
}

TEST(NumText, ScanIntClampsAndStopsAtTheFirstNonDigit)
{
    size_t used = 0;
    EXPECT_EQ(*ScanInt(" 12abc", &used), 12);
    EXPECT_EQ(used, 3u);
    EXPECT_EQ(*ScanInt("99999999999"), 2147483647);
    EXPECT_EQ(*ScanInt("-99999999999"), -2147483647 - 1);
    EXPECT_FALSE(ScanInt("x1").has_value());
}

TEST(NumText, BoundedFormattingTruncates)
{
    char buf[8];
    int n = SafeSnprintf(buf, sizeof buf, "%s", "a long text");
    EXPECT_EQ(n, 11);
    EXPECT_STREQ(buf, "a long ");
    EXPECT_EQ(StrPrintf("%s", std::string(1000, 'x').c_str()).size(), 1000u);
}

TEST(StringTable, FindsEntriesById)
{
    ASSERT_NE(FindResString(0xE000), nullptr);
    EXPECT_STREQ(FindResString(0xE000), "KAVO Diagrammer");
    EXPECT_STREQ(FindResString(811), "<As Is>");
    EXPECT_EQ(FindResString(1), nullptr);
}

TEST(TextCase, OnlyAsciiLettersFoldWhateverTheLocale)
{
    EXPECT_TRUE(EqualNoCase("Options", "OPTIONS"));
    EXPECT_FALSE(EqualNoCase("Option", "Options"));
    EXPECT_FALSE(EqualNoCase("\xc9", "\xe9")); // É and é are different bytes
    EXPECT_EQ(ToLowerAscii("[Arrow UMLSolid]"), "[arrow umlsolid]");
}
