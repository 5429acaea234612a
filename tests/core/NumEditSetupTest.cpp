#include "core/Units.h"
#include "core/NumEditSetup.h"

#include <gtest/gtest.h>

class QWidget;

#include <cmath>
#include <string>

namespace {
// Setters stop at a null dialog; the field's owner is never used here.
QWidget* const kDlg = reinterpret_cast<QWidget*>(0x10);

std::string Parsed(const CNumEditSpec& spec, const std::string& text)
{
    auto v = ParseNumText(spec, text);
    if (!v)
        return "refused";
    if (spec.IsIntegerKind() || spec.kind == NUM_SIZE_CODE)
        return std::to_string(v->intValue);
    return FormatCompactReal(v->realValue, 3);
}
} // namespace

TEST(NumEditSetupTest, SettersStopAtNullDialogOrValue)
{
    int value = 5;
    CNumEditSpec spec;
    spec.SetPercent(nullptr, 1, 2, &value);
    EXPECT_EQ(spec.kind, NUM_NONE);
    EXPECT_EQ(spec.intValue, nullptr);
    spec.SetPercent(kDlg, 1, 2, nullptr);
    EXPECT_EQ(spec.owner, kDlg);
    EXPECT_EQ(spec.kind, NUM_NONE);
    spec.SetPercent(kDlg, 10, 400, &value);
    EXPECT_EQ(spec.kind, NUM_PERCENT);
    EXPECT_EQ(spec.format, "%d%%");
    EXPECT_EQ(spec.errorId, IDS_PERCENT_RANGE);
    spec.SetPoints(kDlg, 0, 36, &value, 483);
    EXPECT_EQ(spec.errorId, 483);
    EXPECT_EQ(spec.format, "%d pts");

    // A copy's own limits are its own, a caller's source stays the caller's.
    double callerMax = 9.0;
    double real = 0;
    CNumEditSpec a;
    a.SetRealValue(kDlg, 1.0, 5.0, &real, false, true, 2, 0, false, 1.0, nullptr, &callerMax);
    CNumEditSpec b = a;
    EXPECT_EQ(b.realMinSource, &b.realMin);
    EXPECT_EQ(b.realMaxSource, &callerMax);
    CNumEditSpec c;
    c = a;
    EXPECT_EQ(c.realMinSource, &c.realMin);
}

TEST(NumEditSetupTest, TypedTextsAgainstKindsAndRanges)
{
    int i = 0, code = 0;
    double d = 0;
    CNumEditSpec percent, points, plain, inch, cm, real, size;
    percent.SetPercent(kDlg, 10, 400, &i);
    points.SetPoints(kDlg, 0, 36, &i);
    plain.SetInt(kDlg, -5, 5, &i);
    inch.SetMeasure(kDlg, 0, 2560, &d, false);
    cm.SetMeasure(kDlg, 0, 2560, &d, true);
    real.SetRealValue(kDlg, 0, 10, &d, false);
    size.SetReal(kDlg, 0.25, 12, &code);
    const std::string halfPoint = std::to_string(SizeValueToCode(0.5));
    struct Case {
        const CNumEditSpec* spec;
        const char* text;
        const char* result;
    };
    const Case cases[] = {
        {&percent, "250", "250"},     {&percent, "250%", "250"},   {&percent, " 250 % ", "250"},
        {&percent, "5%", "refused"},  {&percent, "401", "refused"}, {&percent, "abc", "refused"},
        {&percent, "", "refused"},    {&percent, "25 pts", "refused"},
        {&points, "12 pts", "12"},    {&points, "12", "12"},        {&points, "37", "refused"},
        {&plain, "-5", "-5"},         {&plain, "99999999999", "refused"}, {&plain, "3x", "refused"},
        // 1 inch is 256 logical units; the program's centimetre is 1/2.56 inch.
        {&inch, "1/2", "128"},        {&inch, "1 in", "256"},       {&inch, "1 1/2", "384"},
        {&inch, "10", "2560"},        {&inch, "10.01", "refused"},  {&inch, "1/0", "refused"},
        {&inch, "0/0", "refused"},    {&inch, "1/x", "refused"},    {&inch, "1 cm", "refused"},
        {&inch, "nan", "refused"},    {&inch, "inf", "refused"},
        {&cm, "2.56 cm", "256"},      {&cm, "25.6", "2560"},        {&cm, "25.61", "refused"},
        {&real, "3/4", ".75"},        {&real, "-1", "refused"},
        {&size, "1/2", halfPoint.c_str()},
        {&size, "13 pt", "refused"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Parsed(*c.spec, c.text), c.result) << c.text;
}

TEST(NumEditSetupTest, DisplayForms)
{
    int i = 100, code = 2;
    double d = 256;
    CNumEditSpec spec;
    spec.SetPercent(kDlg, 10, 400, &i);
    EXPECT_EQ(FormatNumValue(spec), "100%");
    spec.SetMeasure(kDlg, 0, 2560, &d, false);
    EXPECT_EQ(FormatNumValue(spec), "1 in");
    spec.SetMeasure(kDlg, 0, 2560, &d, true);
    EXPECT_EQ(FormatNumValue(spec), "2.56 cm");
    d = 128;
    spec.SetMeasure(kDlg, 0, 2560, &d, false, false);
    EXPECT_EQ(FormatNumValue(spec), "0.50 in");
    spec.SetReal(kDlg, 0, 12, &code);
    EXPECT_EQ(FormatNumValue(spec), "1/2 pt");
    code = 3;
    EXPECT_EQ(FormatNumValue(spec), "3/4 pt");
    code = SizeValueToCode(2.5);
    EXPECT_EQ(FormatNumValue(spec), "2.5 pt");
    EXPECT_EQ(FormatCompactReal(0.5, 2), ".5");
    EXPECT_EQ(FormatCompactReal(10.0, 2), "10");
    EXPECT_EQ(FormatCompactReal(-0.25, 2), "-.25");
    EXPECT_EQ(FormatCompactReal(-0.001, 2), "0");
    EXPECT_EQ(FormatFontSizeText(0), "");
    EXPECT_EQ(FormatFontSizeText(-12), "12");
}

TEST(NumEditSetupTest, RangeMessagesFillTheirLimitsWhateverTheConversion)
{
    int i = 0;
    double d = 0;
    CNumEditSpec spec;
    spec.SetPercent(kDlg, 10, 400, &i);
    EXPECT_EQ(NumRangeMessage(spec), "Enter a valid percentage between 10% and 400%");
    spec.SetInt(kDlg, 1, 432, &i, 485); // an integer field with a "%s" message
    EXPECT_EQ(NumRangeMessage(spec), "Enter a valid corner radius between 1 and 432");
    spec.SetMeasure(kDlg, 64, 2560, &d, false, true, 2, 484);
    EXPECT_EQ(NumRangeMessage(spec), "Enter a grid spacing between .25 and 10");
    spec.SetMeasure(kDlg, 64, 2560, &d, false);
    EXPECT_EQ(NumRangeMessage(spec), ""); // measures have no default message
}

TEST(NumEditSetupTest, SpinStepsToTheNextMultiple)
{
    struct Case {
        int value, step, min, max;
        bool up;
        int result;
    };
    const Case cases[] = {
        {7, 5, 0, 100, true, 10},  {10, 5, 0, 100, true, 15}, {7, 5, 0, 100, false, 5},
        {10, 5, 0, 100, false, 5}, {-7, 5, -100, 100, true, -5}, {-7, 5, -100, 100, false, -10},
        {100, 5, 0, 100, true, 100}, {98, 5, 0, 100, true, 100}, {0, 5, 0, 100, false, 0},
        {2147483647, 1, 0, 2147483647, true, 2147483647},
    };
    for (const Case& c : cases) {
        int v = c.value;
        CNumEditSpec spec;
        spec.SetInt(kDlg, c.min, c.max, &v, 0, true, c.step);
        StepNumValue(spec, c.up);
        EXPECT_EQ(v, c.result) << c.value << (c.up ? " up" : " down");
    }
    double d = 0.3;
    CNumEditSpec real;
    real.SetRealValue(kDlg, 0, 1, &d, false, true, 2, 0, true, 0.25);
    StepNumValue(real, true);
    EXPECT_DOUBLE_EQ(d, 0.5);
    StepNumValue(real, true);
    StepNumValue(real, true);
    StepNumValue(real, true);
    EXPECT_DOUBLE_EQ(d, 1.0);
    // Line sizes: whole points above 3/4 pt, code by code below.
    int code = 2;
    CNumEditSpec size;
    size.SetReal(kDlg, 0.25, 12, &code);
    StepNumValue(size, true);
    EXPECT_EQ(code, 3);
    StepNumValue(size, true);
    EXPECT_EQ(code, 4);
    StepNumValue(size, true);
    EXPECT_EQ(SizeCodeToValue(code), 2.0);
}
