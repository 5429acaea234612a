#include "core/TextMeasure.h"

#include <gtest/gtest.h>

#include <array>

namespace {
// Every character a=1, b=10, c=2, except 'j' (a=-3) and 'f' (c=-4).
std::array<ABC, kAbcTableSize> MakeTable()
{
    std::array<ABC, kAbcTableSize> t;
    for (ABC& e : t)
        e = {1, 10, 2};
    t['j'] = {-3, 10, 2};
    t['f'] = {1, 10, -4};
    return t;
}

// Ten pixels per character.
int TenEach(std::string_view s)
{
    return int(s.size()) * 10;
}
} // namespace

TEST(TextMeasure, WholeMeasureCoversOverhangs)
{
    auto t = MakeTable();
    int w = -1;
    EXPECT_EQ(MeasureTextWidth(t.data(), w, "abc", 0, 0, false), 0);
    EXPECT_EQ(w, 39);
    // A negative a of the first and c of the last character are added back.
    EXPECT_EQ(MeasureTextWidth(t.data(), w, "jaf", 3, 0, false), 3);
    EXPECT_EQ(w, (-3 + 12) + 13 + 7 + 3 + 4);
    EXPECT_EQ(GetTextWidthFromTable(t.data(), "abc", 3), 39);
    EXPECT_EQ(GetTextWidthFromTable(nullptr, "abc", 3), 0);
    EXPECT_EQ(GetTextWidthFromTable(t.data(), nullptr, 3), 0);
    EXPECT_EQ(GetTextWidthFromTable(t.data(), "abc", 0), 0);
    // Bytes above 127 index the table as unsigned.
    EXPECT_EQ(GetTextWidthFromTable(t.data(), "\xe9", 1), 13);
}

TEST(TextMeasure, PartialMeasureRules)
{
    auto t = MakeTable();
    int w = -1;
    MeasureTextWidth(t.data(), w, "abc", 3, 2, true);
    EXPECT_EQ(w, 26);
    MeasureTextWidth(t.data(), w, "abc", 3, 3, true); // reaches the end: no c
    EXPECT_EQ(w, 37);
    MeasureTextWidth(t.data(), w, "abc", 3, 0, true); // nothing: the first a
    EXPECT_EQ(w, 1);
    MeasureTextWidth(t.data(), w, "abc", 3, 99, true); // cut to the text
    EXPECT_EQ(w, 37);
    MeasureTextWidth(t.data(), w, "f", 1, 1, true); // one character to the end: its c too
    EXPECT_EQ(w, 11);
}

TEST(FitText, ShortensByWordsAndAppendsDots)
{
    struct Case {
        const char* text;
        int width;
        const char* out;
    };
    const Case cases[] = {
        {"one two three four", 180, "one two three four"},
        {"one two three four", 170, "one two three..."},
        {"one, two: three/four", 150, "one, two..."},
        {"one   two", 80, "one..."},
        {"abcdefghij", 80, "abcde..."},
        {"abcdefghij", 30, "..."},
        {"abcdefghij", 29, ""},
        {"", 5, ""},
    };
    for (const Case& c : cases) {
        std::string text = c.text;
        FitTextToWidth(text, c.width, TenEach);
        EXPECT_EQ(text, c.out) << c.text << " in " << c.width;
    }
}

TEST(FitText, SplitsOverTwoWidths)
{
    std::string first, second;
    SplitTextOverTwoWidths("one two three four five six", first, second, 140, TenEach);
    EXPECT_EQ(first, "one two");
    EXPECT_EQ(second, "three four...");
    SplitTextOverTwoWidths("short", first, second, 140, TenEach);
    EXPECT_EQ(first, "short");
    EXPECT_EQ(second, "");
    // A text that ends in dots of its own and fits is not split.
    SplitTextOverTwoWidths("wait...", first, second, 140, TenEach);
    EXPECT_EQ(first, "wait...");
    EXPECT_EQ(second, "");
}
