#include "controls/DlgControls.h"

#include "core/FieldText.h"
#include "core/MsgBox.h"
#include "core/Settings.h"
#include "core/TextMeasure.h"
#include "core/Units.h"
#include "controls/CDlgCommandEvent.h"
#include "controls/EnterKeyState.h"
#include "controls/DdxFields.h"
#include "platform/Ansi.h"
#include "platform/NumText.h"
#include "platform/Prompt.h"
#include "platform/ui/DlgItems.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QLayout>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>

namespace {
constexpr size_t kEditTextMax = 255;
constexpr int kGridDecimals = 3;
constexpr int kMetricGridSteps[] = {10, 20, 50, 100, 200};
constexpr int kInchGridSteps[] = {8, 16, 32, 64, 128, 256};
constexpr int kMetricGridDefault = 50;
constexpr int kInchGridDefault = 64;

using FormatFn = std::function<std::string(int)>;
using ReadFn = std::function<bool(const std::string&, int&)>;

bool HasFocusIn(const QWidget* control)
{
    const QWidget* focus = QApplication::focusWidget();
    return focus && (focus == control || control->isAncestorOf(focus) ||
                     focus == control->parentWidget());
}

// The exchange protocol every field of the settings dialogs follows.
bool ExchangeField(const CDataExchange& dx, int id, int& value, bool blankWhenInvalid,
                   bool* dirty, bool* valid, const FormatFn& format, const ReadFn& read,
                   bool negateOnEnter)
{
    InstallEnterKeyTracker();
    QWidget* control = GetDlgItem(dx.dialog, id);
    if (!control)
        return true;
    if (!dx.saving) {
        bool blank = blankWhenInvalid && valid && !*valid;
        SetDlgItemTextIfDifferent(dx.dialog, id, blank ? std::string() : format(value));
        if (dirty)
            *dirty = false;
        return true;
    }
    if (!dirty || *dirty) {
        if (valid && !control->isEnabledTo(dx.dialog)) {
            *valid = false;
        } else {
            std::string text = GetWindowText(control);
            if (text.size() > kEditTextMax)
                text.resize(kEditTextMax);
            int v = value;
            if (!read(text, v)) {
                control->setFocus();
                return false;
            }
            value = v;
            SetDlgItemTextIfDifferent(dx.dialog, id, format(value));
            if (valid)
                *valid = true;
        }
    }
    if (!dirty)
        return true;
    bool wasDirty = *dirty;
    *dirty = false;
    if (!wasDirty || !HasFocusIn(control) || !IsEnterKeyDown())
        return true;
    if (negateOnEnter && value > 0) {
        value = -value;
        if (valid)
            *valid = true;
    }
    QCoreApplication::postEvent(dx.dialog, new CDlgCommandEvent(MAKELONG(WORD(id), kFieldEnterNotify)));
    return false;
}

// Checks that a printf/scanf format holds exactly one conversion, of one of the
// given kinds, with no '*' and no length modifier ('l' only for reals, where
// "%lf" prints a double).
bool IsSingleConversion(const char* format, const char* kinds)
{
    if (!format)
        return false;
    int conversions = 0;
    for (const char* p = format; *p; ++p) {
        if (*p != '%')
            continue;
        ++p;
        if (*p == '%')
            continue;
        while (*p && std::strchr("-+ #0123456789.", *p))
            ++p;
        if (*p == 'l' && std::strchr(kinds, 'f'))
            ++p;
        if (!*p || !std::strchr(kinds, *p))
            return false;
        ++conversions;
    }
    return conversions == 1;
}

constexpr const char* kIntKinds = "diouxXc";
constexpr const char* kRealKinds = "fFeEgG";

// Prints one value with a caller's format, which must convert a value of its
// kind exactly once, into at most 255 characters.
template <typename T>
void SetFormattedText(QWidget* window, int id, const char* format, const char* kinds, T value)
{
    if (!IsSingleConversion(format, kinds))
        return;
    char text[256];
    SafeSnprintf(text, sizeof text, format, value);
    SetDlgItemTextIfDifferent(window, id, text);
}

int TextWidth(const QWidget* window, std::string_view text)
{
    return QFontMetrics(window->font()).horizontalAdvance(AnsiToQString(text));
}

// The dialog's base units: the average width of the letters and the height of
// its font.
QSize DialogBaseUnits(const QWidget* dialog)
{
    QFontMetrics fm(dialog ? dialog->font() : QApplication::font());
    static const QString letters =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    int avg = (fm.horizontalAdvance(letters) / 26 + 1) / 2;
    return {std::max(avg, 1), std::max(fm.height(), 1)};
}

int RoundedPoints(int code)
{
    return int(std::floor(SizeCodeToValue(code) + 0.5));
}
} // namespace

void DlgItemShow(const CDataExchange& dx, int id, bool show)
{
    if (dx.saving)
        return;
    if (QWidget* control = GetDlgItem(dx.dialog, id))
        control->setHidden(!show);
}

void DlgItemEnable(const CDataExchange& dx, int id, bool enable)
{
    if (dx.saving)
        return;
    QWidget* control = GetDlgItem(dx.dialog, id);
    if (control && control->testAttribute(Qt::WA_Disabled) == enable)
        control->setEnabled(enable);
}

bool DlgExchangeInt(const CDataExchange& dx, int id, int& value, int min, int max, UINT msgId,
                    bool blankWhenInvalid, bool* dirty, bool* valid)
{
    auto format = [](int v) { return StrPrintf("%d", v); };
    auto read = [&](const std::string& text, int& v) {
        std::optional<int> n = ScanInt(text);
        if (!n || *n < min || *n > max) {
            if (msgId)
                MsgBoxResTexts(MB_ICONEXCLAMATION, msgId, {StrPrintf("%d", min), StrPrintf("%d", max)});
            return false;
        }
        v = *n;
        return true;
    };
    return ExchangeField(dx, id, value, blankWhenInvalid, dirty, valid, format, read,
                         id == kNegateOnEnterId);
}

bool DlgExchangeSizeCode(const CDataExchange& dx, int id, int& code, int minimum, int maximum,
                         int mode, bool blankWhenInvalid, bool* dirty, bool* valid, UINT msgId)
{
    auto format = [&](int c) { return FormatSizeCodeField(c, mode, true, false); };
    auto read = [&](const std::string& text, int& c) {
        return ReadSizeCodeText(text, c, SizeCodeToValue(minimum), SizeCodeToValue(maximum), mode,
                                msgId);
    };
    return ExchangeField(dx, id, code, blankWhenInvalid, dirty, valid, format, read, false);
}

bool DlgExchangeAsIsPoints(const CDataExchange& dx, int id, int& points, int minimum,
                           int maximum, int /*mode*/, bool blankWhenInvalid, bool* dirty,
                           bool* valid, UINT msgId)
{
    auto format = [](int p) { return FormatPointsField(p); };
    auto read = [&](const std::string& text, int& p) {
        return ReadIntOrAsIsText(text, p, minimum, maximum, msgId);
    };
    return ExchangeField(dx, id, points, blankWhenInvalid, dirty, valid, format, read, false);
}

bool DlgGridComboExchange(const CDataExchange& dx, int id, int& value, int min, int max,
                          bool* dirty, bool* changed, UINT msgId)
{
    auto* combo = qobject_cast<QComboBox*>(GetDlgItem(dx.dialog, id));
    if (changed)
        *changed = false;
    if (!combo)
        return true;
    // Inch steps read best as fractions ("1/8 in"); centimetre steps as decimals.
    auto stepText = [](int units) {
        return FormatLengthField(units, kGridDecimals, true, !Metric);
    };
    if (!dx.saving) {
        if (combo->count() == 0) {
            auto add = [&](const auto& steps) {
                for (int s : steps)
                    combo->addItem(AnsiToQString(stepText(s)));
            };
            if (Metric)
                add(kMetricGridSteps);
            else
                add(kInchGridSteps);
            combo->view()->setMinimumWidth(combo->view()->sizeHintForColumn(0) + 8);
        }
        int index = combo->findText(AnsiToQString(stepText(value)), Qt::MatchExactly);
        if (index < 0)
            index = combo->findText(
                AnsiToQString(stepText(Metric ? kMetricGridDefault : kInchGridDefault)),
                Qt::MatchExactly);
        combo->setCurrentIndex(index);
        if (dirty)
            *dirty = false;
        return true;
    }
    if (dirty && !*dirty)
        return true;
    int units = value;
    if (!DdxReadLength(dx.dialog, id, units, min, max, kGridDecimals, msgId)) {
        combo->setFocus();
        return false;
    }
    if (changed)
        *changed = units != value;
    value = units;
    if (dirty)
        *dirty = false;
    return true;
}

int DlgStepSizeCode(QWidget* window, int spin, int id, bool* empty, int minimum, int maximum)
{
    std::string text = GetDlgItemText(window, id);
    bool isEmpty = text.find_first_not_of(" \t") == std::string::npos;
    if (empty)
        *empty = isEmpty;
    int code = minimum;
    double points = 0;
    if (!isEmpty && ParseFieldNumber(text, points))
        code = SizeValueToCode(points);
    if (spin > 0) {
        if (code >= maximum)
            return maximum;
        if (code > 3)
            return std::min(SizeValueToCode(RoundedPoints(code) + 1), maximum);
        return code + 1;
    }
    if (code <= minimum)
        return minimum;
    if (code > 4)
        return std::max(SizeValueToCode(RoundedPoints(code) - 1), minimum);
    return code - 1;
}

void SetDlgItemTextIfChanged(QWidget* window, int id, const char* format, int value)
{
    SetFormattedText(window, id, format, kIntKinds, value);
}

void SetDlgItemTextIfChanged(QWidget* window, int id, const char* format, double value)
{
    SetFormattedText(window, id, format, kRealKinds, value);
}

bool GetDlgItemIntInRange(QWidget* window, int id, int& value, int min, int max, UINT msgId,
                          const char* format)
{
    std::string text = GetDlgItemText(window, id);
    if (text.size() > kEditTextMax)
        text.resize(kEditTextMax);
    int v = 0;
    // 'c' would store one byte only; integer scanning does not depend on locale.
    bool scanned = IsSingleConversion(format, "diouxX") &&
                   std::sscanf(text.c_str(), format, &v) == 1;
    if (scanned && v >= min && v <= max) {
        value = v;
        return true;
    }
    if (msgId)
        MsgBoxResTexts(MB_ICONEXCLAMATION, msgId, {StrPrintf("%d", min), StrPrintf("%d", max)});
    return false;
}

int DlgUnitsToPixelsX(const QWidget* dialog, int units)
{
    return MulDiv(units, DialogBaseUnits(dialog).width(), 4);
}

int DlgUnitsToPixelsY(const QWidget* dialog, int units)
{
    return MulDiv(units, DialogBaseUnits(dialog).height(), 8);
}

void FitTextToControl(std::string& text, const QWidget* window, int width)
{
    if (text.empty() || !window)
        return;
    if (width == -1)
        width = window->width();
    FitTextToWidth(text, width, [window](std::string_view s) { return TextWidth(window, s); });
}

void SplitTextOverTwoControls(const std::string& text, std::string& first, std::string& second,
                              const QWidget* window, int width)
{
    first = text;
    second.clear();
    if (text.empty() || !window)
        return;
    if (width == -1)
        width = window->width();
    SplitTextOverTwoWidths(text, first, second, width,
                           [window](std::string_view s) { return TextWidth(window, s); });
}

void LayoutPropSheetTabs(QWidget* sheet, int dx, int dy)
{
    if (!sheet)
        return;
    static constexpr int kIds[] = {12320, 1, 2, 12321, 9};
    for (int id : kIds) {
        QWidget* control = GetDlgItem(sheet, id);
        QWidget* parent = control ? control->parentWidget() : nullptr;
        if (control && !(parent && parent->layout()))
            control->move(control->pos() + QPoint(dx, dy));
    }
    sheet->resize(sheet->width() + dx, sheet->height() + dy);
}
