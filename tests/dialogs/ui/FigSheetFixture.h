#pragma once
// The figure sheets over a small diagram: two boxes, the saved text of the
// diagram and the undo steps recorded since, the sheet run modally with the
// test's steps sent through Qt's own events while it is open, and each
// page's picture saved to KAVO_SHOTS.
#include "common/DiagramFixture.h"
#include "common/TestSupport.h"
#include "core/Settings.h"
#include "controls/CColorDropButton.h"
#include "controls/CNumEdit.h"
#include "controls/PaletteLayout.h"
#include "dialogs/sheets/CFTabSheet.h"
#include "dialogs/sheets/CFigPage.h"
#include "dialogs/ui/PickColor.h"
#include "fileformat/DiagramRecordWriter.h"
#include "keyword/KeywordStreams.h"
#include "platform/ui/DlgItems.h"

#include <QCoreApplication>
#include <QDir>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

inline std::string SheetDocText(CKavoDoc& doc)
{
    CStringKeywordSink sink;
    CKeywordWriter w(sink);
    EXPECT_TRUE(WriteDiagramText(w, doc, {}));
    return sink.text;
}

// The lines of `after` that `before` does not have.
inline std::vector<std::string> NewLines(const std::string& before, const std::string& after)
{
    std::vector<std::string> old, out;
    std::istringstream b(before), a(after);
    for (std::string line; std::getline(b, line);)
        old.push_back(line);
    for (std::string line; std::getline(a, line);) {
        auto it = std::find(old.begin(), old.end(), line);
        if (it == old.end())
            out.push_back(line);
        else
            old.erase(it);
    }
    return out;
}

struct FigSheetTest : testing::Test {
    DiagramFixture fx;
    CRecordingPrompt prompt;
    CFigure* a = nullptr;
    CFigure* b = nullptr;
    std::string saved;
    uint32_t stepBase = 0;

    int metric = Metric;

    FigSheetTest()
    {
        // Sizes are typed and shown in inches.
        Metric = 0;
        a = fx.AddBox(256, 256, 512, 256, "Alpha");
        b = fx.AddBox(1024, 256, 512, 256, "Beta", 0x00FF00);
    }
    ~FigSheetTest() override { Metric = metric; }
    void Save()
    {
        // As a loaded diagram has them: the style menus in line with the
        // libraries (a style picker on a page would build a missing one).
        fx.doc.InitStyleMenus();
        fx.doc.ResetUndoLog();
        fx.doc.SetModifiedFlag(false);
        saved = SheetDocText(fx.doc);
        stepBase = fx.doc.UndoLogRef().m_nStepsRecorded;
    }
    int Steps() { return int(fx.doc.UndoLogRef().m_nStepsRecorded - stepBase); }
    std::string Text() { return SheetDocText(fx.doc); }

    // Runs the sheet; the body acts while it is open and should close it
    // (the sheet is cancelled when it does not).
    static int RunOpen(CFTabSheet& sheet, const std::function<void(CFTabSheet&)>& body)
    {
        bool ran = false;
        QTimer::singleShot(0, &sheet, [&] {
            body(sheet);
            ran = true;
            if (sheet.isVisible())
                sheet.reject();
        });
        const int result = sheet.DoModal();
        EXPECT_TRUE(ran);
        return result;
    }
    int RunProps(bool labels, const std::function<void(CFTabSheet&)>& body)
    {
        FigSheetData data;
        EXPECT_TRUE(LoadSheetFromSelection(data, fx.doc, labels));
        CFPTabSheet sheet(data, nullptr);
        return RunOpen(sheet, body);
    }

    static void ShowPage(CFTabSheet& sheet, const char* caption)
    {
        QTabWidget* tabs = sheet.GetTabControl();
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->tabText(i) == caption)
                QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(i).center());
        ASSERT_EQ(tabs->tabText(tabs->currentIndex()), QString(caption));
    }
    template <class T = QWidget>
    static T* Item(CFTabSheet& sheet, int id)
    {
        auto* w = qobject_cast<T*>(GetDlgItem(sheet.ActivePage(), id));
        EXPECT_NE(w, nullptr) << "control " << id;
        return w;
    }
    static void TypeInto(QWidget* field, const QString& text)
    {
        field->setFocus();
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(field, text);
    }
    // Drops the colour button's palette and clicks the colour's cell.
    static void PickColor(CFTabSheet& sheet, int id, COLORREF color)
    {
        ::PickColor(Item<CColorDropButton>(sheet, id), color);
    }
    static void Click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(6, w->height() / 2)); }
    static void ClickButton(CFTabSheet& sheet, int id) { QTest::mouseClick(sheet.Button(id), Qt::LeftButton); }
    // Every page's picture, named after the test.
    static void ShootPages(CFTabSheet& sheet, const char* name)
    {
        const QString folder = qEnvironmentVariable("KAVO_SHOTS");
        if (folder.isEmpty())
            return;
        QTabWidget* tabs = sheet.GetTabControl();
        const int was = tabs->currentIndex();
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            // Shown and hidden controls lay the page out again first.
            QCoreApplication::processEvents();
            sheet.grab().save(QDir(folder).filePath(QString("%1_%2.png").arg(name).arg(tabs->tabText(i))));
        }
        tabs->setCurrentIndex(was);
    }
};
