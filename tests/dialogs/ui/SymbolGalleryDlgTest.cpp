// The symbol galleries as the user works them: the categories are the
// program's symbol-library files, a click on a cell and OK inserts that
// symbol into the diagram (one undo step), a start name selects its file and
// cell, an unknown one opens on the remembered category without a cell, and
// Reload reads a changed file again.
#include "common/TestSupport.h"
#include "dialogs/ui/ModalDriver.h"
#include "controls/CRightClickListBox.h"
#include "controls/ui/CommandRecorder.h"
#include "core/HelpRequest.h"
#include "core/ProgramFolders.h"
#include "dialogs/symbols/SymbolGalleryDlg.h"
#include "dialogs/symbols/SymbolGalleryGrids.h"
#include "editing/ui/CKavoView.h"
#include "editing/ui/ViewEvents.h"
#include "frame/ui/CMainFrame.h"
#include "keyword/CKeywordWriter.h"
#include "keyword/KeywordStreams.h"
#include "platform/ui/CPropertySheet.h"
#include "platform/ui/DlgItems.h"
#include "shapes/ShapeLibrary.h"
#include "shapes/SymbolRecordWriter.h"
#include "shapes/SymbolTestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <vector>

namespace {
CFigSymbol Circle(const std::string& name)
{
    SymbolBuilder b;
    b.Fill([](COutlineWriter& w) { w.Circle({1024, 1024}, 1000); });
    b.Outline([](COutlineWriter& w) { w.Circle({1024, 1024}, 1000); });
    b.TextBoxes({CFltRect(300, 700, 1748, 1348)});
    b.sym.SetName(name);
    return b.sym;
}

CFigSymbol Oval(const std::string& name)
{
    SymbolBuilder b;
    b.Fill([](COutlineWriter& w) { w.Rect(kOpEllipse, CFltRect(0, 400, 2048, 1648)); });
    b.Outline([](COutlineWriter& w) { w.Rect(kOpEllipse, CFltRect(0, 400, 2048, 1648)); });
    b.sym.SetName(name);
    return b.sym;
}

// A program folder whose "Symbols" folder holds two figure-symbol libraries
// and one end-symbol library; the galleries read it afresh.
class GalleryFolder {
public:
    GalleryFolder()
    {
        QDir(m_dir.path()).mkpath("Symbols");
        WriteFigures("Basic", {Circle("circle"), SquareSymbol("square"), Oval("zoval")});
        std::vector<CFigSymbol> many;
        for (int i = 0; i < 20; ++i)
            many.push_back(i % 2 ? Circle("flow" + std::to_string(10 + i)) : Oval("flow" + std::to_string(10 + i)));
        WriteFigures("Flow", many);
        ShapeLibrary ends;
        ends.BuildLineEnds();
        CStringKeywordSink sink;
        CKeywordWriter w(sink);
        w.WriteHeader();
        for (int i = 1; i < 4; ++i) {
            CShapeDef shape = *ends.GetAt(i);
            shape.m_strName = "Arrow " + std::to_string(i);
            WriteEndSymbolRecord(w, shape);
        }
        Write("Arrows.kvn", sink.text);
        SetProgramFolderForTest(m_dir.path());
        ResetSymbolGalleries();
    }
    ~GalleryFolder()
    {
        SetProgramFolderForTest(QString());
        ResetSymbolGalleries();
    }
    void WriteFigures(const std::string& title, const std::vector<CFigSymbol>& symbols)
    {
        CStringKeywordSink sink;
        CKeywordWriter w(sink);
        w.WriteHeader();
        for (const CFigSymbol& s : symbols)
            WriteFigureSymbolRecord(w, s);
        Write(QString::fromStdString(title) + ".kvf", sink.text);
    }

private:
    void Write(const QString& name, const std::string& text)
    {
        QFile f(m_dir.path() + "/Symbols/" + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text.data(), qint64(text.size()));
    }
    QTemporaryDir m_dir;
};

QListWidget* Categories(CSymbolGalleryDlg& dlg)
{
    return static_cast<QListWidget*>(GetDlgItem(&dlg, CSymbolGalleryDlg::kCategoryListId));
}

std::set<std::string> CategoryNames(CSymbolGalleryDlg& dlg)
{
    std::set<std::string> names;
    for (int i = 0; i < Categories(dlg)->count(); ++i)
        names.insert(Categories(dlg)->item(i)->text().toStdString());
    return names;
}

void ClickCategory(CSymbolGalleryDlg& dlg, const char* name)
{
    QListWidget* list = Categories(dlg);
    const auto found = list->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found[0]).center());
}

QPoint CellCentre(CSymbolGalleryDlg& dlg, int index)
{
    CRect cell;
    EXPECT_TRUE(dlg.Grid()->GetCellRect(index, cell));
    return QPoint(cell.CenterPoint().x, cell.CenterPoint().y);
}

void ClickCell(CSymbolGalleryDlg& dlg, int index)
{
    QTest::mouseClick(dlg.Grid()->viewport(), Qt::LeftButton, {}, CellCentre(dlg, index));
}

void Press(CSymbolGalleryDlg& dlg, int id)
{
    QTest::mouseClick(static_cast<QAbstractButton*>(GetDlgItem(&dlg, id)), Qt::LeftButton);
}

void WhenGalleryShows(std::function<void(CSymbolGalleryDlg&)> work)
{
    WhenModalShows<CSymbolGalleryDlg>(std::move(work));
}

// The diagram text from its figures on.
std::string ObjectsText(const std::string& text)
{
    return text.substr(text.find("## Figures"));
}
std::string ObjectsText(CKavoDoc& doc)
{
    return ObjectsText(DocText(doc));
}

std::string NameShown(CSymbolGalleryDlg& dlg, int id)
{
    return GetDlgItemText(&dlg, id);
}
} // namespace

TEST(SymbolGalleryDlgTest, InsertSymbolPicksFromTheProgramsLibrariesAsOneUndoStep)
{
    CTempProfile profile;
    GalleryFolder folder;
    DiagramFixture fx;
    CMainFrame frame;
    frame.AddViewFrame(new CKavoView(&fx.doc), "d");
    fx.doc.ResetUndoLog();
    const std::string before = DocText(fx.doc);
    const int objects = fx.doc.GetObjCount();

    WhenGalleryShows([](CSymbolGalleryDlg& dlg) {
        EXPECT_EQ(CategoryNames(dlg), (std::set<std::string>{"Basic", "Flow"}));
        ClickCategory(dlg, "Basic");
        EXPECT_EQ(dlg.Grid()->GetCount(), 3);
        ClickCell(dlg, 1);
        EXPECT_EQ(NameShown(dlg, CFigureSymbolGalleryDlg::kNameId), "square");
        ClickCell(dlg, 0);
        QWidget* showText = GetDlgItem(&dlg, CFigureSymbolGalleryDlg::kShowTextId);
        QTest::mouseClick(showText, Qt::LeftButton, {}, QPoint(8, showText->height() / 2));
        SaveShot(&dlg, "FigureSymbolGallery");
        Press(dlg, IDOK);
    });
    frame.OnCommand(32791);
    ASSERT_EQ(fx.doc.GetObjCount(), objects + 1);
    const auto* fig = static_cast<CFigure*>(fx.doc.m_pObjList->GetAt(fx.doc.GetObjCount() - 1));
    EXPECT_EQ(fx.doc.m_figSymbols.GetAt(fig->m_props.Symbol)->m_strName, "circle");
    EXPECT_NE(DocText(fx.doc), before);
    // Undo takes the figure back; the symbol stays in the library unused
    // (a save purges unused symbols).
    fx.doc.UndoLastStep();
    EXPECT_EQ(fx.doc.GetObjCount(), objects);
    EXPECT_EQ(ObjectsText(fx.doc), ObjectsText(before));

    // The next opening starts on the remembered category with no cell;
    // Cancel inserts nothing.
    WhenGalleryShows([](CSymbolGalleryDlg& dlg) {
        EXPECT_EQ(Categories(dlg)->currentItem()->text(), "Basic");
        EXPECT_EQ(dlg.GetSel(), -1);
        ClickCell(dlg, 2);
        Press(dlg, IDCANCEL);
    });
    const std::string undone = DocText(fx.doc);
    frame.OnCommand(32791);
    EXPECT_EQ(DocText(fx.doc), undone);
}

TEST(SymbolGalleryDlgTest, StartNameSelectsItsFileAndCellUnknownNameNone)
{
    CTempProfile profile;
    GalleryFolder folder;
    CFigSymbol chosen;
    // By name in the second library: its category and cell, scrolled to.
    WhenGalleryShows([](CSymbolGalleryDlg& dlg) {
        EXPECT_EQ(Categories(dlg)->currentItem()->text(), "Flow");
        EXPECT_EQ(dlg.GetSel(), 17);
        EXPECT_EQ(dlg.Grid()->GetFirstVisible(), 8);   // the last rows, as far as it scrolls
        EXPECT_EQ(NameShown(dlg, CFigureSymbolGalleryDlg::kNameId), "flow27");
        SaveShot(&dlg, "FigureSymbolGalleryScrolled");
        // A double click on a cell ends the gallery as OK.
        ClickCell(dlg, 18);
        QTest::mouseDClick(dlg.Grid()->viewport(), Qt::LeftButton, {}, CellCentre(dlg, 18));
    });
    ASSERT_TRUE(RunFigureSymbolGallery(nullptr, "flow27", chosen));
    EXPECT_EQ(chosen.m_strName, "flow28");

    WhenGalleryShows([](CSymbolGalleryDlg& dlg) {
        EXPECT_EQ(Categories(dlg)->currentItem()->text(), "Flow");   // remembered
        EXPECT_EQ(dlg.GetSel(), -1);
        EXPECT_EQ(NameShown(dlg, CFigureSymbolGalleryDlg::kNameId), "");
        Press(dlg, IDOK);
    });
    EXPECT_FALSE(RunFigureSymbolGallery(nullptr, "no such symbol", chosen));   // OK without a cell
}

TEST(SymbolGalleryDlgTest, RememberedCategoryPastTheEndStartsAtTheFirst)
{
    CTempProfile profile;
    auto folder = std::make_unique<GalleryFolder>();
    CFigSymbol chosen;
    WhenGalleryShows([](CSymbolGalleryDlg& dlg) {
        ClickCategory(dlg, Categories(dlg)->item(1)->text().toStdString().c_str());
        Press(dlg, IDCANCEL);
    });
    RunFigureSymbolGallery(nullptr, "", chosen);
    // One library fewer: the remembered second category is past the end.
    folder.reset();
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("Symbols");
    QFile::copy(TestDataPath("symbols/lib/shapes.kvf"), dir.path() + "/Symbols/shapes.kvf");
    SetProgramFolderForTest(dir.path());
    ResetSymbolGalleries(false);
    WhenGalleryShows([](CSymbolGalleryDlg& dlg) {
        EXPECT_EQ(Categories(dlg)->count(), 1);
        EXPECT_EQ(dlg.GetCategory(), 0);
        EXPECT_EQ(dlg.Grid()->GetCount(), 3);   // "box" and "Box" are one name
        Press(dlg, IDCANCEL);
    });
    RunFigureSymbolGallery(nullptr, "", chosen);
    SetProgramFolderForTest(QString());
    ResetSymbolGalleries();
}

// Reload reads the changed file and keeps the chosen symbol by its name,
// or selects the first cell when the symbol left the library.
TEST(SymbolGalleryDlgTest, ReloadReadsTheChangedFileAndKeepsTheSymbolByName)
{
    const struct {
        std::vector<CFigSymbol> symbols;
        int count, sel;
        const char* chosen;
    } cases[] = {
        // The library gains a symbol that sorts first; "zoval" moves on.
        {{Circle("arc"), Circle("circle"), SquareSymbol("square"), Oval("zoval")}, 4, 3, "zoval"},
        {{Circle("arc"), SquareSymbol("square")}, 2, 0, "arc"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chosen);
        CTempProfile profile;
        GalleryFolder folder;
        CFigSymbol chosen;
        WhenGalleryShows([&folder, &c](CSymbolGalleryDlg& dlg) {
            ClickCategory(dlg, "Basic");
            ClickCell(dlg, 2);
            folder.WriteFigures("Basic", c.symbols);
            QListWidget* list = Categories(dlg);
            emit static_cast<CMenuListBox*>(list)->commandSent(CSymbolGalleryDlg::kRefreshCommand);
            EXPECT_EQ(dlg.Grid()->GetCount(), c.count);
            EXPECT_EQ(dlg.GetSel(), c.sel);
            EXPECT_EQ(NameShown(dlg, CFigureSymbolGalleryDlg::kNameId), c.chosen);
            Press(dlg, IDOK);
        });
        ASSERT_TRUE(RunFigureSymbolGallery(nullptr, "", chosen));
        EXPECT_EQ(chosen.m_strName, c.chosen);
    }
}

// A cell draws its symbol in the cell less an eighth of its width on either
// side, a sixth of its height above and two sixths below (the name's room);
// a symbol marked filled is drawn black, any other white.
TEST(SymbolGalleryDlgTest, CellsDrawTheSymbolInItsAreaFilledSymbolsBlack)
{
    const struct {
        CRect cell, area;
    } areas[] = {
        {CRect(0, 0, 80, 60), CRect(10, 10, 70, 40)},
        {CRect(100, 50, 184, 134), CRect(110, 64, 174, 106)},
    };
    for (const auto& a : areas)
        EXPECT_EQ(GallerySymbolArea(a.cell), a.area) << a.cell.left;

    CTempProfile profile;
    GalleryFolder folder;
    CFigSymbol dot = Circle("dot");
    dot.Silhouette = 1;
    folder.WriteFigures("Solid", {dot, Circle("ring")});
    CFigSymbol chosen;
    WhenGalleryShows([](CSymbolGalleryDlg& dlg) {
        EXPECT_EQ(Categories(dlg)->currentItem()->text(), "Solid");
        dlg.Grid()->SetSel(-1);
        QApplication::processEvents();
        const QImage img = dlg.Grid()->viewport()->grab().toImage();
        SaveShot(dlg.Grid()->viewport(), "FigureSymbolGalleryFilled");
        for (int index : {0, 1}) {
            CRect cell;
            ASSERT_TRUE(dlg.Grid()->GetCellRect(index, cell));
            const CPoint mid = GallerySymbolArea(cell).CenterPoint();
            const int grey = qGray(img.pixel(QPoint(mid.x, mid.y) * img.devicePixelRatio()));
            if (index == 0)
                EXPECT_LT(grey, 64);
            else
                EXPECT_GT(grey, 192);
        }
        Press(dlg, IDCANCEL);
    });
    RunFigureSymbolGallery(nullptr, "dot", chosen);
}

TEST(SymbolGalleryDlgTest, EndGalleryListsTheBuiltInEndsAndTheLibraries)
{
    CTempProfile profile;
    GalleryFolder folder;
    CShapeDef chosen;
    WhenGalleryShows([](CSymbolGalleryDlg& dlg) {
        EXPECT_EQ(CategoryNames(dlg), (std::set<std::string>{"Arrows", "Built-in"}));
        ClickCategory(dlg, "Built-in");
        EXPECT_EQ(dlg.Grid()->GetCount(), ShapeLibrary::kLineEndCount);
        EXPECT_EQ(dlg.Grid()->GetRows(), 4);
        ClickCategory(dlg, "Arrows");
        ClickCell(dlg, 1);
        EXPECT_EQ(NameShown(dlg, CEndSymbolGalleryDlg::kNameId), "Arrow 2");
        SaveShot(&dlg, "EndSymbolGallery");
        Press(dlg, IDOK);
    });
    ASSERT_TRUE(RunEndSymbolGallery(nullptr, "", chosen));
    EXPECT_EQ(chosen.m_strName, "Arrow 2");
}

TEST(SymbolGalleryDlgTest, HelpButtonAndF1OpenEachGallerysTopic)
{
    CTempProfile profile;
    GalleryFolder folder;
    std::vector<uint32_t> topics;
    SetHelpHandler([&](uint32_t context) { topics.push_back(context); });
    const auto pressHelp = [](CSymbolGalleryDlg& dlg) {
        Press(dlg, IDHELP);
        // Help leaves the gallery open; F1 asks for the same page.
        EXPECT_EQ(QApplication::activeModalWidget(), &dlg);
        QTest::keyClick(Categories(dlg), Qt::Key_F1);
        Press(dlg, IDCANCEL);
    };
    CFigSymbol figure;
    WhenGalleryShows(pressHelp);
    EXPECT_FALSE(RunFigureSymbolGallery(nullptr, "", figure));
    CShapeDef end;
    WhenGalleryShows(pressHelp);
    EXPECT_FALSE(RunEndSymbolGallery(nullptr, "", end));
    SetHelpHandler(nullptr);
    EXPECT_EQ(topics, (std::vector<uint32_t>{313, 313, 314, 314}));
}

TEST(SymbolGalleryDlgTest, OkWaitsForAChosenSymbolAndAnEmptyFolderOffersNone)
{
    CTempProfile profile;
    {
        GalleryFolder folder;
        WhenGalleryShows([](CSymbolGalleryDlg& dlg) {
            QWidget* ok = GetDlgItem(&dlg, IDOK);
            EXPECT_FALSE(ok->isEnabled());
            ClickCategory(dlg, "Basic");
            ClickCell(dlg, 1);
            EXPECT_TRUE(ok->isEnabled());
            Press(dlg, IDOK);
        });
        CFigSymbol chosen;
        ASSERT_TRUE(RunFigureSymbolGallery(nullptr, "", chosen));
        EXPECT_EQ(chosen.m_strName, "square");
    }
    QTemporaryDir empty;
    QDir(empty.path()).mkpath("Symbols");
    SetProgramFolderForTest(empty.path());
    ResetSymbolGalleries();
    WhenGalleryShows([](CSymbolGalleryDlg& dlg) {
        EXPECT_EQ(Categories(dlg)->count(), 0);
        EXPECT_FALSE(GetDlgItem(&dlg, IDOK)->isEnabled());
        SaveShot(&dlg, "EmptySymbolGallery");
        // Enter does not end it with nothing chosen.
        QTest::keyClick(&dlg, Qt::Key_Return);
        EXPECT_EQ(QApplication::activeModalWidget(), &dlg);
        Press(dlg, IDCANCEL);
    });
    CFigSymbol none;
    EXPECT_FALSE(RunFigureSymbolGallery(nullptr, "", none));
    SetProgramFolderForTest(QString());
    ResetSymbolGalleries();
}
