#include "core/TextStrings.h"

#include <gtest/gtest.h>

TEST(TextStrings, SectionBreaksAreFoundAsMarkupNotAsLetters)
{
    struct Case { const char* text; size_t from; size_t at; };
    const Case cases[] = {
        {"one\\sect two", 0, 3},
        {"one\\sect two\\sect three", 4, 12},
        {"C:\\\\sect one", 0, std::string_view::npos},      // an escaped backslash, then text
        {"C:\\\\\\sect one", 0, 4},                          // escaped backslash, then a break
        {"\\{\\sect }", 0, 2},
        {"no break", 0, std::string_view::npos},
        {"trailing \\", 0, std::string_view::npos},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindSectionBreak(c.text, c.from), c.at) << c.text;
}
