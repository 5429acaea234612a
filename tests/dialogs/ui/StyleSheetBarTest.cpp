// The style sheets keep the style bar in step: ticking "Style bar button"
// and applying puts the style's button on the bar at once (clearing it takes
// the button away), a new connector style (which has a button) shows at
// once, and a deleted style's button goes, all while the sheet is open.
#include "common/DiagramFixture.h"
#include "common/TestSupport.h"
#include "controls/CRightClickListBox.h"
#include "controls/ui/CommandRecorder.h"
#include "core/Settings.h"
#include "core/UIMode.h"
#include "dialogs/CStyleNameDlg.h"
#include "dialogs/sheets/CConStylesSheet.h"
#include "dialogs/sheets/CConTabGeneral.h"
#include "dialogs/sheets/CFTabGeneral.h"
#include "dialogs/sheets/CFTabSheet.h"
#include "dialogs/sheets/CStylesPanel.h"
#include "document/ConStyleEdits.h"
#include "editing/ui/CKavoView.h"
#include "frame/ui/CMainFrame.h"
#include "frame/ui/CStyleBar.h"
#include "frame/ui/CStyleBarRows.h"
#include "platform/ui/DlgItems.h"
#include "shapes/CConStylesLibrary.h"
#include "shapes/CFigStyle.h"
#include "shapes/CFigStylesLibrary.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace {
struct StyleSheetBarTest : testing::Test {
    CRecordingPrompt prompt;
    DiagramFixture fx;
    CMainFrame frame;
    CKavoView* view = nullptr;
    int box = -1, note = -1;

    void SetUp() override
    {
        g_nUIMode = 0;
        CollapsedStyleBar = 0;
        RemindStyles = 0;
        box = AddStyle("Box", fx.boxSymbol, false);
        note = AddStyle("Note", 1, true);
        ConStyleValues line;
        line.name = "Line";
        line.hasButton = 0;
        ASSERT_TRUE(AddConStyle(fx.doc, line));
        fx.doc.InitStyleMenus();
        frame.resize(1000, 700);
        view = new CKavoView(&fx.doc);
        frame.AddViewFrame(view, "d");
        frame.show();
        QApplication::processEvents();
        ASSERT_NE(frame.StyleBar(), nullptr);
        ASSERT_EQ(frame.StyleBar()->Document(), &fx.doc);
    }
    int AddStyle(const std::string& name, int symbol, bool label)
    {
        CFigStyle s;
        s.m_strName = name;
        s.Label = label;
        s.HasButton = 0;
        s.m_props.Symbol = symbol;
        EXPECT_TRUE(fx.doc.AddNewFigStyle(s));
        return fx.doc.m_figStyles.FindByName(name);
    }
    // Whether the bar's row shows a button for the style.
    bool OnBar(StyleBarRowKind kind, int style) { return frame.StyleBar()->Row(kind).FindButton(style) >= 0; }

    template <class Sheet>
    static void Run(Sheet& sheet, const std::function<void(Sheet&)>& body)
    {
        QTimer::singleShot(0, &sheet, [&] {
            body(sheet);
            if (sheet.isVisible())
                sheet.reject();
        });
        sheet.DoModal();
    }
    static void ShowTab(CPropertySheet& sheet, const QString& caption)
    {
        QTabBar* bar = sheet.GetTabControl()->tabBar();
        for (int i = 0; i < bar->count(); ++i)
            if (bar->tabText(i) == caption)
                QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(i).center());
    }
    static void ClickBox(QWidget* page, int id)
    {
        auto* box = qobject_cast<QCheckBox*>(GetDlgItem(page, id));
        ASSERT_NE(box, nullptr) << id;
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2));
    }
};
} // namespace

// Figure and label styles: the tick and Apply put the button on the bar;
// clearing it and Apply take it off; the sheet stays open throughout.
TEST_F(StyleSheetBarTest, StyleBarButtonFlagShowsAtOnce)
{
    const struct {
        bool label;
        int style;
        StyleBarRowKind row;
    } cases[] = {{false, box, kFigureRow}, {true, note, kLabelRow}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label ? "label styles" : "figure styles");
        ASSERT_FALSE(OnBar(c.row, c.style));
        CFSTabSheet sheet(c.label, fx.doc, c.style, &frame);
        Run<CFSTabSheet>(sheet, [&](CFSTabSheet& s) {
            ShowTab(s, "General");
            ClickBox(s.GetActivePage(), CFTabGeneral::IDC_STYLE_BAR);
            QTest::mouseClick(s.Button(IDOK), Qt::LeftButton);
            EXPECT_TRUE(fx.doc.m_figStyles.GetAt(c.style)->HasButton);
            EXPECT_TRUE(OnBar(c.row, c.style));
            SaveShot(&frame, c.label ? "stylebar_label_button" : "stylebar_figure_button");
            ClickBox(s.GetActivePage(), CFTabGeneral::IDC_STYLE_BAR);
            QTest::mouseClick(s.Button(IDOK), Qt::LeftButton);
            EXPECT_FALSE(OnBar(c.row, c.style));
            EXPECT_TRUE(s.isVisible());
        });
    }
}

// Connector styles: the tick shows at once, and a new style, which comes
// with a button, is on the bar as soon as it is made; deleting it takes
// its button away.
TEST_F(StyleSheetBarTest, ConnectorStylesShowAtOnce)
{
    const int line = fx.doc.m_conStyles.FindByName("Line");
    ASSERT_FALSE(OnBar(kConnectorRow, line));
    CCSTabSheet sheet(&frame, &fx.doc, line);
    Run<CCSTabSheet>(sheet, [&](CCSTabSheet& s) {
        ShowTab(s, "General");
        ClickBox(s.GetActivePage(), CCTabGeneral::kStyleBar);
        QTest::mouseClick(s.Button(IDOK), Qt::LeftButton);
        EXPECT_TRUE(OnBar(kConnectorRow, line));

        QTimer::singleShot(0, [] {
            if (auto* dlg = qobject_cast<CConStyleNameDlg*>(QApplication::activeModalWidget()))
                QTest::mouseClick(GetDlgItem(dlg, IDOK), Qt::LeftButton);
        });
        auto* newButton = qobject_cast<QPushButton*>(GetDlgItem(&s, IDC_STYLE_NEW));
        ASSERT_NE(newButton, nullptr);
        QTest::mouseClick(newButton, Qt::LeftButton);
        const int made = fx.doc.m_conStyles.GetCount() - 1;
        ASSERT_GT(made, line);
        EXPECT_TRUE(OnBar(kConnectorRow, made));

        prompt.QueueAnswer(IDYES);
        QTest::mouseClick(GetDlgItem(&s, IDC_STYLE_DELETE), Qt::LeftButton);
        EXPECT_EQ(fx.doc.m_conStyles.GetCount(), made);
        EXPECT_FALSE(OnBar(kConnectorRow, made));
        EXPECT_TRUE(OnBar(kConnectorRow, line));
    });
}
