// The figure styles sheet: the panel lists the styles of the kind and
// "<All>", opens on the first style when none is current, commits with its
// Apply-captioned OK, asks about pending changes, and drops silently only a
// style New made in this sheet that still has no shape.
#include "FigSheetFixture.h"

#include "controls/CRightClickListBox.h"
#include "dialogs/CStyleNameDlg.h"
#include "dialogs/sheets/CFTabAutoLabel.h"
#include "dialogs/sheets/CFTabGeneral.h"
#include "dialogs/sheets/CStylesPanel.h"
#include "dialogs/sheets/StyleNames.h"
#include "shapes/CFigStyle.h"
#include "shapes/CFigStylesLibrary.h"

#include <QApplication>
#include <QLineEdit>

namespace {
struct FigStyleSheetTest : FigSheetTest {
    int boxStyle = -1, bareStyle = -1;

    FigStyleSheetTest()
    {
        boxStyle = AddStyle("Box Style", fx.boxSymbol);
        bareStyle = AddStyle("Bare Style", 0);
        fx.doc.m_nCurFigStyle = -1;
    }
    int AddStyle(const std::string& name, int symbol)
    {
        CFigStyle s;
        s.m_strName = name;
        s.m_props.Symbol = symbol;
        EXPECT_TRUE(fx.doc.AddNewFigStyle(s));
        return fx.doc.m_figStyles.FindByName(name);
    }
    int RunStyles(int start, const std::function<void(CFSTabSheet&)>& body)
    {
        CFSTabSheet sheet(false, fx.doc, start, nullptr);
        return RunOpen(sheet, [&](CFTabSheet& s) { body(static_cast<CFSTabSheet&>(s)); });
    }
    static void SelectRow(CFSTabSheet& s, const QString& name)
    {
        CRightClickListBox* list = s.Panel()->List();
        const auto items = list->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << name.toStdString();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(items[0]).center());
    }
    // The name prompt that opens next is answered with OK.
    static void AcceptNextNamePrompt()
    {
        QTimer::singleShot(0, [] {
            if (auto* dlg = qobject_cast<CStyleNameDlg*>(QApplication::activeModalWidget()))
                QTest::mouseClick(GetDlgItem(dlg, IDOK), Qt::LeftButton);
        });
    }
};
} // namespace

// No current style: the sheet opens on the first style of the kind instead
// of doing nothing; "<All>" leaves Copy, Rename and Delete off.
TEST_F(FigStyleSheetTest, OpensOnTheFirstStyleAndAllDisablesEntryButtons)
{
    RunStyles(-1, [&](CFSTabSheet& s) {
        EXPECT_EQ(s.ShownStyle(), boxStyle);
        CRightClickListBox* list = s.Panel()->List();
        ASSERT_EQ(list->count(), 3);
        EXPECT_EQ(list->item(2)->text(), "<All>");
        EXPECT_EQ(list->currentRow(), 0);
        EXPECT_EQ(s.Button(IDCANCEL)->text(), "Close");
        EXPECT_FALSE(s.Button(ID_APPLY_NOW)->isVisible());
        EXPECT_TRUE(s.Panel()->Button(IDC_STYLE_DELETE)->isEnabled());
        ShootPages(s, "FigStyles");
        SelectRow(s, "<All>");
        EXPECT_EQ(s.ShownStyle(), kAllStylesIndex);
        for (int id : {IDC_STYLE_COPY, IDC_STYLE_RENAME, IDC_STYLE_DELETE})
            EXPECT_FALSE(s.Panel()->Button(id)->isEnabled());
        EXPECT_TRUE(s.Panel()->Button(IDC_STYLE_NEW)->isEnabled());
        ClickButton(s, IDCANCEL);
    });
    EXPECT_EQ(fx.doc.m_nCurFigStyle, boxStyle);
}

// OK, shown as Apply, writes the change into the style and keeps the sheet.
TEST_F(FigStyleSheetTest, ApplyWritesTheStyleAndKeepsTheSheetOpen)
{
    RunStyles(boxStyle, [&](CFSTabSheet& s) {
        ShowPage(s, "General");
        EXPECT_FALSE(s.Button(IDOK)->isEnabled());
        TypeInto(Item(s, CFTabGeneral::IDC_DESCRIPTION), "Plain box");
        EXPECT_TRUE(s.Button(IDOK)->isEnabled());
        ClickButton(s, IDOK);
        EXPECT_TRUE(s.isVisible());
        EXPECT_FALSE(s.Button(IDOK)->isEnabled());
        ClickButton(s, IDCANCEL);
    });
    EXPECT_EQ(fx.doc.m_figStyles.GetAt(boxStyle)->Description, "Plain box");
}

// A style New made that still has no shape goes on No without a question;
// a style that came with the document is only reloaded.
TEST_F(FigStyleSheetTest, NoDropsOnlyAShapelessStyleMadeByNew)
{
    RunStyles(boxStyle, [&](CFSTabSheet& s) {
        AcceptNextNamePrompt();
        QTest::mouseClick(s.Panel()->Button(IDC_STYLE_NEW), Qt::LeftButton);
        const int made = fx.doc.m_figStyles.FindByName("Figure Style 3");
        ASSERT_GE(made, 0);
        EXPECT_EQ(s.ShownStyle(), made);
        ShowPage(s, "General");
        TypeInto(Item(s, CFTabGeneral::IDC_DESCRIPTION), "Scratch");
        prompt.QueueAnswer(IDNO);
        SelectRow(s, "Bare Style");
        ASSERT_FALSE(prompt.shown.empty());
        EXPECT_EQ(prompt.shown.back().text, "Would you like to apply your changes to\nstyle \"Figure Style 3\" first?");
        EXPECT_LT(fx.doc.m_figStyles.FindByName("Figure Style 3"), 0);
        EXPECT_EQ(s.Panel()->List()->count(), 3);

        SelectRow(s, "Bare Style");
        TypeInto(Item(s, CFTabGeneral::IDC_DESCRIPTION), "Kept");
        prompt.QueueAnswer(IDNO);
        SelectRow(s, "Box Style");
        EXPECT_GE(fx.doc.m_figStyles.FindByName("Bare Style"), 0);
        EXPECT_EQ(fx.doc.m_figStyles.GetAt(fx.doc.m_figStyles.FindByName("Bare Style"))->Description, "");
        ClickButton(s, IDCANCEL);
    });
}

// New and Copy of a figure style show the General page, where its shape is
// chosen, whatever page was showing.
TEST_F(FigStyleSheetTest, NewAndCopyShowTheGeneralPage)
{
    RunStyles(boxStyle, [&](CFSTabSheet& s) {
        for (int button : {IDC_STYLE_NEW, IDC_STYLE_COPY}) {
            SCOPED_TRACE(button);
            ShowPage(s, "Behaviors");
            AcceptNextNamePrompt();
            QTest::mouseClick(s.Panel()->Button(button), Qt::LeftButton);
            EXPECT_EQ(s.GetTabControl()->tabText(s.GetTabControl()->currentIndex()), "General");
        }
        EXPECT_EQ(s.Panel()->List()->count(), 5);
        ClickButton(s, IDCANCEL);
    });
}

// The label text waits for its check box; both reach the style.
TEST_F(FigStyleSheetTest, AutoLabelTextFollowsItsCheckBox)
{
    RunStyles(boxStyle, [&](CFSTabSheet& s) {
        ShowPage(s, "Auto-Label");
        QWidget* text = Item(s, CFTabAutoLabel::IDC_TEXT);
        EXPECT_FALSE(text->isEnabled());
        Click(Item(s, CFTabAutoLabel::IDC_AUTO));
        EXPECT_TRUE(text->isEnabled());
        TypeInto(text, "Tag");
        ClickButton(s, IDOK);
        ClickButton(s, IDCANCEL);
    });
    const CFigStyle* style = fx.doc.m_figStyles.GetAt(boxStyle);
    EXPECT_EQ(style->AutoLabel, 1);
    EXPECT_EQ(style->AutoLabelText, "Tag");
}

// Cancel to the pending question keeps the entry and its changes.
TEST_F(FigStyleSheetTest, CancelToThePendingQuestionStaysOnTheEntry)
{
    RunStyles(boxStyle, [&](CFSTabSheet& s) {
        ShowPage(s, "General");
        TypeInto(Item(s, CFTabGeneral::IDC_DESCRIPTION), "Draft");
        prompt.QueueAnswer(IDCANCEL);
        SelectRow(s, "Bare Style");
        EXPECT_EQ(s.ShownStyle(), boxStyle);
        EXPECT_EQ(s.Panel()->List()->currentRow(), 0);
        EXPECT_TRUE(s.Button(IDOK)->isEnabled());
        prompt.QueueAnswer(IDYES);
        ClickButton(s, IDCANCEL);
    });
    EXPECT_EQ(fx.doc.m_figStyles.GetAt(boxStyle)->Description, "Draft");
}

// Proposals stay within the 30 characters a style name may have, keep
// their number and are new.
TEST(StyleNames, ProposalsAreCutKeepingTheirNumberAndUnique)
{
    const std::string thirty = "ABCDEFGHIJKLMNOPQRSTUVWXYZab 9";
    ASSERT_EQ(thirty.size(), 30u);
    auto taken = [&](const std::string& n) { return n == thirty; };
    EXPECT_EQ(ProposeUniqueStyleName(thirty, taken), "ABCDEFGHIJKLMNOPQRSTUVWXYZa 10");
    EXPECT_EQ(CutStyleName(std::string(40, 'x') + " 12"), std::string(27, 'x') + " 12");
    EXPECT_EQ(CutStyleName("short 3"), "short 3");
    const std::string filled = "Figure Style 1";
    auto two = [&](const std::string& n) { return n == filled || n == "Figure Style 2"; };
    EXPECT_EQ(ProposeUniqueStyleName(filled, two), "Figure Style 3");
}
