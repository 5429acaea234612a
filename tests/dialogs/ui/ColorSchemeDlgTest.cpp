// Apply Color Scheme: the schemes listed with the chosen one current, the
// boxes as the command set them, "&Selection" only with a selection and
// "&Diagram" clear, and the answer given back on OK.
#include "dialogs/CColorSchemeDlg.h"
#include "platform/Prompt.h"
#include "platform/ui/DlgItems.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

TEST(ColorSchemeDlg, BoxesFollowTheSelectionRuleAndOkGivesTheChoice)
{
    ColorSchemeChoice choice;
    choice.schemes = {"Warm", "Cold", "Grey"};
    choice.scheme = 1;
    choice.hasSelection = true;
    choice.applyToDiagram = false;
    choice.applyToSelection = true;
    CColorSchemeDlg dlg(choice);
    bool checked = false;
    QTimer::singleShot(0, &dlg, [&] {
        auto* list = qobject_cast<QListWidget*>(GetDlgItem(&dlg, CColorSchemeDlg::kSchemeListId));
        auto* diagram = qobject_cast<QCheckBox*>(GetDlgItem(&dlg, CColorSchemeDlg::kDiagramBoxId));
        auto* selection = qobject_cast<QCheckBox*>(GetDlgItem(&dlg, CColorSchemeDlg::kSelectionBoxId));
        ASSERT_TRUE(list && diagram && selection);
        EXPECT_EQ(dlg.windowTitle(), "Apply Color Scheme");
        EXPECT_EQ(list->count(), 3);
        EXPECT_EQ(list->currentRow(), 1);
        EXPECT_TRUE(selection->isEnabled());
        EXPECT_TRUE(selection->isChecked());
        diagram->setChecked(true);
        EXPECT_FALSE(selection->isEnabled());
        list->setCurrentRow(2);
        checked = true;
        qobject_cast<QPushButton*>(GetDlgItem(&dlg, IDOK))->click();
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(checked);
    EXPECT_EQ(choice.scheme, 2);
    EXPECT_TRUE(choice.applyToDiagram);
    EXPECT_FALSE(choice.applyToSelection);

    // Without a selection the box stays off whatever "&Diagram" says.
    ColorSchemeChoice none;
    none.schemes = {"Warm"};
    none.applyToDiagram = false;
    none.applyToSelection = false;
    CColorSchemeDlg empty(none);
    QTimer::singleShot(0, &empty, [&] {
        EXPECT_FALSE(GetDlgItem(&empty, CColorSchemeDlg::kSelectionBoxId)->isEnabled());
        empty.reject();
    });
    EXPECT_EQ(empty.DoModal(), IDCANCEL);
}
