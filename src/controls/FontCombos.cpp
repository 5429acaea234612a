#include "controls/FontCombos.h"

#include "controls/WindowHelpers.h"
#include "core/FontHelpers.h"
#include "platform/Ansi.h"
#include "platform/ui/DlgItems.h"

#include <QApplication>
#include <QComboBox>
#include <QMainWindow>

namespace {
void AddOnce(QComboBox* combo, const QString& text)
{
    if (combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0)
        combo->addItem(text);
}
} // namespace

QComboBox* FindMainFontCombo()
{
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (!qobject_cast<QMainWindow*>(top))
            continue;
        if (auto* combo = qobject_cast<QComboBox*>(GetDlgItem(top, ID_FONT_NAME_COMBO)))
            return combo;
    }
    return nullptr;
}

void CopyFontComboItems(QComboBox* combo, bool useMainList)
{
    if (!combo)
        return;
    if (useMainList) {
        QComboBox* main = FindMainFontCombo();
        if (main && main != combo && main->count() > 1) {
            for (int i = 1; i < main->count(); ++i)
                combo->addItem(main->itemText(i));
            FitDroppedListToEntries(combo);
            return;
        }
    }
    for (const std::string& face : GetDisplayFontFamilies())
        AddOnce(combo, AnsiToQString(face));
    FitDroppedListToEntries(combo);
}

void FillFontSizeCombo(QComboBox* combo)
{
    if (!combo)
        return;
    for (const char* size : {"6", "8", "10", "12", "14", "18", "24", "36"})
        combo->addItem(QString::fromLatin1(size));
}
