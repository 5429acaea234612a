// The galleries over the program's own symbols folder: Insert Symbol offers
// every library of the folder with its symbols (each page of each category
// is written to KAVO_SHOTS to be looked at), and a user picks a UML class,
// swim lanes and a box with rows from them, each a special shape with its
// dividers, as one undo step.
#include "common/DiagramFixture.h"
#include "common/DocText.h"
#include "common/TestSupport.h"
#include "controls/ui/CommandRecorder.h"
#include "core/ProgramFolders.h"
#include "dialogs/symbols/SymbolGalleryDlg.h"
#include "dialogs/symbols/SymbolGalleryGrids.h"
#include "dialogs/ui/WhenModalShows.h"
#include "editing/ui/CKavoView.h"
#include "frame/ui/CMainFrame.h"
#include "platform/ui/DlgItems.h"
#include "shapes/CFigSymbol.h"

#include <QAbstractButton>
#include <QListWidget>
#include <QScrollBar>
#include <QStyle>
#include <QTest>
#include <gtest/gtest.h>

namespace {
// The shipped folder for the time of a test.
class ShippedFolder {
public:
    ShippedFolder()
    {
        SetProgramFolderForTest(QStringLiteral(KAVO_RESOURCE_DIR));
        ResetSymbolGalleries();
    }
    ~ShippedFolder()
    {
        SetProgramFolderForTest(QString());
        ResetSymbolGalleries();
    }
};

QListWidget* Categories(CSymbolGalleryDlg& dlg)
{
    return static_cast<QListWidget*>(GetDlgItem(&dlg, CSymbolGalleryDlg::kCategoryListId));
}

void ClickRow(CSymbolGalleryDlg& dlg, int row)
{
    QListWidget* list = Categories(dlg);
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

void ClickCategory(CSymbolGalleryDlg& dlg, const char* name)
{
    const auto found = Categories(dlg)->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << name;
    ClickRow(dlg, Categories(dlg)->row(found[0]));
}

// Clicks the cells one by one until the name under the grid is `name`.
bool ClickSymbol(CSymbolGalleryDlg& dlg, const std::string& name)
{
    for (int i = 0; i < dlg.Grid()->GetCount(); ++i) {
        dlg.Grid()->verticalScrollBar()->setValue(i / dlg.Grid()->GetColumns());
        CRect cell;
        if (!dlg.Grid()->GetCellRect(i, cell))
            continue;
        QTest::mouseClick(dlg.Grid()->viewport(), Qt::LeftButton, {}, QPoint(cell.CenterPoint().x, cell.CenterPoint().y));
        if (GetDlgItemText(&dlg, CFigureSymbolGalleryDlg::kNameId) == name)
            return true;
    }
    return false;
}

std::string Shot(const std::string& title, int page)
{
    std::string name = "Gallery " + title + " " + std::to_string(page + 1);
    for (char& c : name)
        if (c == ' ' || c == '/')
            c = '_';
    return name;
}
} // namespace

TEST(ShippedGalleriesTest, InsertSymbolOffersEveryLibraryOfTheFolder)
{
    CTempProfile profile;
    ShippedFolder folder;
    DiagramFixture fx;
    CMainFrame frame;
    frame.AddViewFrame(new CKavoView(&fx.doc), "d");
    WhenModalShows<CSymbolGalleryDlg>(
        [](CSymbolGalleryDlg& dlg) {
            QListWidget* list = Categories(dlg);
            QStringList titles;
            for (int i = 0; i < list->count(); ++i)
                titles << list->item(i)->text();
            for (const char* wanted : {"Basic Shapes", "Flowchart", "Arrows", "Boxes and Compartments", "UML Class",
                                       "UML Packages and Components", "UML Behaviour", "UML Interaction",
                                       "Swim Lanes and Partitions"})
                EXPECT_TRUE(titles.contains(wanted)) << wanted;
            // "Show text areas" on: the pictures show where each symbol's
            // text goes.
            QWidget* showText = GetDlgItem(&dlg, CFigureSymbolGalleryDlg::kShowTextId);
            QTest::mouseClick(showText, Qt::LeftButton, {}, QPoint(8, showText->height() / 2));
            for (int row = 0; row < list->count(); ++row) {
                ClickRow(dlg, row);
                CSymbolGalleryGrid* grid = dlg.Grid();
                EXPECT_GE(grid->GetCount(), 8) << list->item(row)->text().toStdString();
                const int rows = (grid->GetCount() + grid->GetColumns() - 1) / grid->GetColumns();
                const int pages = (rows + grid->GetRows() - 1) / grid->GetRows();
                for (int page = 0; page < pages; ++page) {
                    grid->verticalScrollBar()->setValue(page * grid->GetRows());
                    SaveShot(&dlg, Shot(list->item(row)->text().toStdString(), page).c_str());
                }
            }
        },
        IDCANCEL);
    frame.OnCommand(32791);
}

// Every category name shows whole beside the grid: each item is wider than
// its text with the margins the list draws it in, and no scroll bar covers
// the items.
TEST(ShippedGalleriesTest, TheCategoryListShowsEveryNameWhole)
{
    CTempProfile profile;
    ShippedFolder folder;
    DiagramFixture fx;
    CMainFrame frame;
    frame.AddViewFrame(new CKavoView(&fx.doc), "d");
    bool shown = false;
    WhenModalShows<CSymbolGalleryDlg>(
        [&shown](CSymbolGalleryDlg& dlg) {
            shown = true;
            QListWidget* list = Categories(dlg);
            ASSERT_GE(list->count(), 9);
            const QFontMetrics metrics(list->font());
            const int margin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
            EXPECT_FALSE(list->horizontalScrollBar()->isVisible());
            for (int row = 0; row < list->count(); ++row) {
                QListWidgetItem* item = list->item(row);
                list->scrollToItem(item);
                const QRect rect = list->visualItemRect(item);
                SCOPED_TRACE(item->text().toStdString());
                EXPECT_GE(rect.width() - 2 * margin, metrics.horizontalAdvance(item->text()));
                EXPECT_GE(rect.left(), 0);
                EXPECT_LE(rect.right(), list->viewport()->rect().right());
            }
        },
        IDCANCEL);
    frame.OnCommand(32791);
    EXPECT_TRUE(shown);
}

TEST(ShippedGalleriesTest, AUserInsertsAClassLanesAndARowBox)
{
    struct Case {
        const char* category;
        const char* symbol;
        int kind;
        int dividers;
    };
    const Case cases[] = {{"UML Class", "class/object r3", 2, 2},
                          {"Swim Lanes and Partitions", "[partition 3x1]", 148, 2},
                          {"Boxes and Compartments", "box r3", 2, 2},
                          {"UML Packages and Components", "package c2", 9, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.symbol);
        CTempProfile profile;
        ShippedFolder folder;
        DiagramFixture fx;
        CMainFrame frame;
        frame.AddViewFrame(new CKavoView(&fx.doc), "d");
        fx.doc.ResetUndoLog();
        const std::string before = DocText(fx.doc);
        const int objects = fx.doc.GetObjCount();
        WhenModalShows<CSymbolGalleryDlg>(
            [&c](CSymbolGalleryDlg& dlg) {
                ClickCategory(dlg, c.category);
                EXPECT_TRUE(ClickSymbol(dlg, c.symbol));
            },
            IDOK);
        frame.OnCommand(32791);
        ASSERT_EQ(fx.doc.GetObjCount(), objects + 1);
        const auto* fig = static_cast<CFigure*>(fx.doc.m_pObjList->GetAt(fx.doc.GetObjCount() - 1));
        const CFigSymbol* sym = fx.doc.m_figSymbols.GetAt(fig->m_props.Symbol);
        ASSERT_NE(sym, nullptr);
        // The figure's own copy of the symbol, which its dividers reshape.
        EXPECT_EQ(sym->m_strName.substr(0, sym->m_strName.find(':')), c.symbol);
        EXPECT_EQ(sym->Reshape, c.kind);
        ASSERT_EQ(sym->GetDividerCount(), c.dividers);
        // Its own default size, and a handle on every divider inside it.
        EXPECT_EQ(fig->m_rect.Width(), sym->Width);
        EXPECT_EQ(fig->m_rect.Height(), sym->Height);
        for (int d = 0; d < c.dividers; ++d) {
            CPoint at;
            EXPECT_TRUE(sym->GetDividerHandle(d, at, fig->m_rect)) << d;
            EXPECT_TRUE(CRect(fig->m_rect).PtInRect(at)) << d;
        }
        fx.doc.UndoLastStep();
        EXPECT_EQ(fx.doc.GetObjCount(), objects);
        EXPECT_EQ(DocText(fx.doc).substr(DocText(fx.doc).find("## Figures")), before.substr(before.find("## Figures")));
    }
}
