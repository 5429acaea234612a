#pragma once
// Drives the connector styles sheet: runs it over a document with the
// test's steps while it is open (closing it after them when they did not),
// and clicks a style's name in its list as a user does.
#include "dialogs/sheets/CConSheetCommands.h"
#include "dialogs/sheets/CConStylesSheet.h"
#include "platform/Prompt.h"
#include "platform/ui/DlgItems.h"

#include <QApplication>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

inline void RunConStylesSheet(CKavoDoc& doc, int style, const std::function<void(CCSTabSheet&)>& steps)
{
    QTimer::singleShot(0, [steps] {
        auto* sheet = qobject_cast<CCSTabSheet*>(QApplication::activeModalWidget());
        ASSERT_NE(sheet, nullptr);
        steps(*sheet);
        if (QApplication::activeModalWidget() == sheet)
            sheet->EndDialog(IDCANCEL);
    });
    OnEditConStyles(doc, nullptr, style);
}

inline void ClickConStyle(CCSTabSheet& sheet, const char* name)
{
    auto* list = qobject_cast<QListWidget*>(GetDlgItem(&sheet, CCSTabSheet::kList));
    const auto found = list->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found[0]).center());
}
