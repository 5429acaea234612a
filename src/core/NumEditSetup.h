#pragma once
// What a numeric field holds: the kind of number, its range, display format,
// spin step, range message and the caller's variable it exchanges with. The
// field widget (CNumEdit) shows and edits it; the parsing, formatting, range
// checks and spin steps live here so that they work without a window.
#include <optional>
#include <string>

class QWidget;

enum NumEditKind {
    NUM_NONE = 0,
    NUM_INT = 1,
    NUM_MEASURE = 3,   // logical units (1/256 inch), shown in inches or centimetres
    NUM_PERCENT = 4,
    NUM_REAL = 5,      // a plain real, shown as it is stored (centimetres when metric)
    NUM_SIZE_CODE = 6, // a line-size code, shown in points
    NUM_POINTS = 7,
};

constexpr int IDS_NUM_RANGE = 891;
constexpr int IDS_PERCENT_RANGE = 886;

struct CNumEditSpec {
    int kind = NUM_NONE;
    int selectAll = 1;
    int enterCommits = 1;
    int spin = 0;
    QWidget* owner = nullptr;
    int decimals = 2;
    std::string format = "%d";
    int* setFlag = nullptr;
    int blankWhileUnset = 0;
    double realMin = -999999.0, realMax = 999999.0;
    double* realMinSource = &realMin;
    double* realMaxSource = &realMax;
    double realStep = 1.0;
    double* realValue = nullptr;
    int intMin = -2147483647 - 1, intMax = 2147483647;
    int* intMinSource = &intMin;
    int* intMaxSource = &intMax;
    int intStep = 1;
    int* intValue = nullptr;
    int metric = 0;
    int compact = 1;
    int errorId = 0;

    CNumEditSpec() = default;
    // A source that pointed at the copied spec's own limit points at ours.
    CNumEditSpec(const CNumEditSpec& other);
    CNumEditSpec& operator=(const CNumEditSpec& other);

    void Reset();
    void SetInt(QWidget* dlg, int min, int max, int* value, int error = 0, bool spinOn = false, int step = 1,
                int* minSource = nullptr, int* maxSource = nullptr);
    void SetPercent(QWidget* dlg, int min, int max, int* value, int error = 0, bool spinOn = false, int step = 1,
                    int* minSource = nullptr, int* maxSource = nullptr);
    void SetPoints(QWidget* dlg, int min, int max, int* value, int error = 0, bool spinOn = false, int step = 1,
                   int* minSource = nullptr, int* maxSource = nullptr);
    void SetReal(QWidget* dlg, double min, double max, int* sizeCode, int error = 0, bool spinOn = false,
                 double step = 1.0, double* minSource = nullptr, double* maxSource = nullptr);
    void SetMeasure(QWidget* dlg, double min, double max, double* value, bool metricOn, bool compactOn = true,
                    int decimalCount = 2, int error = 0, bool spinOn = false, double step = 1.0,
                    double* minSource = nullptr, double* maxSource = nullptr);
    void SetRealValue(QWidget* dlg, double min, double max, double* value, bool metricOn, bool compactOn = true,
                      int decimalCount = 2, int error = 0, bool spinOn = false, double step = 1.0,
                      double* minSource = nullptr, double* maxSource = nullptr);
    // The field stays empty until the user gives it a value; clears *flag.
    void BindResult(int* flag, bool blank);

    bool IsIntegerKind() const { return kind == NUM_INT || kind == NUM_PERCENT || kind == NUM_POINTS; }
    bool IsRealKind() const { return kind == NUM_MEASURE || kind == NUM_REAL || kind == NUM_SIZE_CODE; }
    bool HasValue() const { return IsIntegerKind() || kind == NUM_SIZE_CODE ? intValue != nullptr : realValue != nullptr; }

private:
    void SetIntKind(int k, const char* fmt, int defaultError, QWidget* dlg, int min, int max, int* value,
                    int error, bool spinOn, int step, int* minSource, int* maxSource);
    void SetRealKind(int k, QWidget* dlg, double min, double max, double* value, bool metricOn, bool compactOn,
                     int decimalCount, int error, bool spinOn, double step, double* minSource, double* maxSource);
};

// The compact text of a real: trailing fractional zeros and a bare point
// removed, no zero before the point (".5", "10", "-.25").
std::string FormatCompactReal(double value, int decimals);
// The text of the bound value in the field's form ("" when nothing is bound).
std::string FormatNumValue(const CNumEditSpec& spec);
// Empty for 0, else the size's magnitude.
std::string FormatFontSizeText(int size);

// A typed text checked against the field: the value in stored units, or
// nothing when the text is not a number of the field's kind or lies outside
// the range. A real may be written "a/b" or "w n/d"; a zero divisor and
// values that are not finite are refused.
struct NumValue {
    int intValue = 0;
    double realValue = 0.0;
};
std::optional<NumValue> ParseNumText(const CNumEditSpec& spec, const std::string& text);
// The range message with the limits filled in (empty when the field has none).
std::string NumRangeMessage(const CNumEditSpec& spec);
// Stores a parsed value into the bound variable.
void StoreNumValue(const CNumEditSpec& spec, const NumValue& value);
// One spin click on the bound value: to the next multiple of the step in
// that direction, limited to the range; nothing at the limit.
void StepNumValue(const CNumEditSpec& spec, bool up);
