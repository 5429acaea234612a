#include "controls/DdxFields.h"

#include "core/FieldText.h"
#include "platform/Ansi.h"
#include "platform/ui/DlgItems.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>

#include <algorithm>

namespace {
constexpr size_t kFieldTextMax = 255;

std::string FieldText(QWidget* dialog, int id)
{
    std::string text = GetDlgItemText(dialog, id);
    if (text.size() > kFieldTextMax)
        text.resize(kFieldTextMax);
    return text;
}
} // namespace

bool DdxReadSizeCode(QWidget* dialog, int id, int& code, double min, double max, int decimals,
                     UINT msgId)
{
    return ReadSizeCodeText(FieldText(dialog, id), code, min, max, decimals, msgId);
}

bool DdxReadIntOrAsIs(QWidget* dialog, int id, int& value, int min, int max, UINT msgId)
{
    return ReadIntOrAsIsText(FieldText(dialog, id), value, min, max, msgId);
}

bool DdxReadFloat(QWidget* dialog, int id, float& value, double min, double max, int decimals,
                  UINT msgId)
{
    double v = 0;
    if (!ReadFieldNumber(FieldText(dialog, id), v, min, max, decimals, msgId))
        return false;
    value = float(v);
    return true;
}

bool DdxReadDouble(QWidget* dialog, int id, double& value, double min, double max,
                   int decimals, UINT msgId)
{
    return ReadFieldNumber(FieldText(dialog, id), value, min, max, decimals, msgId);
}

bool DdxReadLength(QWidget* dialog, int id, int& units, int min, int max, int decimals,
                   UINT msgId)
{
    return ReadLengthText(FieldText(dialog, id), units, min, max, decimals, msgId);
}

void SetDlgItemTextIfDifferent(QWidget* dialog, int id, const std::string& text)
{
    QWidget* control = GetDlgItem(dialog, id);
    if (control && GetWindowText(control) != text)
        SetWindowText(control, text);
}

void DdxWriteDouble(QWidget* dialog, int id, double value, int decimals, bool decimalFlag,
                    bool fractionFlag)
{
    SetDlgItemTextIfDifferent(dialog, id,
                              FormatDoubleField(value, decimals, decimalFlag, fractionFlag));
}

void DdxWriteSizeCode(QWidget* dialog, int id, int code, int decimals, bool decimalFlag,
                      bool fractionFlag)
{
    SetDlgItemTextIfDifferent(dialog, id,
                              FormatSizeCodeField(code, decimals, decimalFlag, fractionFlag));
}

void DdxWritePoints(QWidget* dialog, int id, int points)
{
    SetDlgItemTextIfDifferent(dialog, id, FormatPointsField(points));
}

int FindMenuItemByText(const QMenu* menu, const std::string& text)
{
    if (!menu)
        return -1;
    const QList<QAction*> actions = menu->actions();
    for (int i = 0; i < actions.size(); ++i)
        if (QStringToAnsi(actions[i]->text()) == text)
            return i;
    return -1;
}

void SetComboDropHeight(QComboBox* combo, int items)
{
    if (!combo || combo->count() == 0)
        return;
    combo->setMaxVisibleItems(std::max(1, std::min(items, combo->count())));
}
