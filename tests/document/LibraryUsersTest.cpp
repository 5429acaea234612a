// The libraries of a real document: removing styles, purging and merging
// symbols and end shapes, and reconciling a merged file, with every index the
// document holds (objects and its current-style copies) counted and shifted.
#include "DocTestSupport.h"
#include "common/TestSupport.h"
#include "core/ProgramFolders.h"
#include "core/Trace.h"
#include "shapes/SymbolTestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {
CFigSymbol Symbol(const std::string& name, float size = 2048)
{
    return SquareSymbol(name, size);
}

std::vector<std::string> Names(const SymbolLibrary& lib)
{
    return SymbolNames(lib);
}

class LibraryUsersTest : public DocTest {
protected:
    // Style libraries of the test's own entries only (a new document has a
    // default label style).
    void SetUp() override
    {
        DocTest::SetUp();
        doc.m_figStyles.RemoveAll();
        doc.m_conStyles.RemoveAll();
    }
    CFigure* Fig(int symbol, int icon = -1, int style = -1)
    {
        CFigure* f = NewFig(doc, 0, 0, "f");
        f->m_props.Symbol = symbol;
        f->m_props.Icon = icon;
        f->m_nStyle = style;
        doc.AddFigWithId(f);
        return f;
    }
    CConnector* Con(int end1, int end2, int style = -1)
    {
        CConProps props;
        props.End1 = end1;
        props.End2 = end2;
        CConnector* c = doc.CreateCon(nullptr, nullptr, -1, -1, CPoint(0, 0), CPoint(100, 0), style, props);
        EXPECT_TRUE(c);
        return c;
    }
    int AddFigStyle(const std::string& name, const std::string& textInits = "", int label = 0)
    {
        CFigProps p;
        doc.m_figStyles.AddFigStyle(&p, name, 0, 1, label, "", "", 256, 172, "", textInits, nullptr, 0, "");
        return doc.m_figStyles.GetCount() - 1;
    }
    int AddConStyle(const std::string& name, int end1 = 0, int end2 = 0)
    {
        CConProps p;
        p.End1 = end1;
        p.End2 = end2;
        doc.m_conStyles.AddConStyle(&p, name, 1, 1, "", "", 0, "", 1, 0, 0, 90);
        return doc.m_conStyles.GetCount() - 1;
    }
    // The document's symbols: its built-ins, then these.
    void AddSymbols(const std::vector<CFigSymbol>& symbols)
    {
        for (const CFigSymbol& s : symbols)
            doc.m_figSymbols.AddOrReplace(&s);
    }
    void Purge() { PurgeUnusedLibraryEntries(doc, doc.m_figSymbols, doc.m_endSymbols); }
};
} // namespace

TEST_F(LibraryUsersTest, SymbolMergeAndPurgeScenarios)
{
    struct FigRow {
        int symbol, icon;
    };
    struct Case {
        const char* what;
        std::vector<CFigSymbol> symbols;   // from index 2
        std::vector<FigRow> figures;
        std::vector<std::string> namesAfter;
        std::vector<FigRow> figuresAfter;
    };
    CFigSymbol internal = Symbol("Kept");
    internal.InternalIcon = 1;
    const Case cases[] = {
        {"Box:2 merged into Box:1", {Symbol("Box:1"), Symbol("Box:2"), Symbol("Other")},
         {{3, -1}, {4, -1}}, {"null", "lbl", "Box:1", "Other"}, {{2, -1}, {3, -1}}},
        {"different shapes stay apart", {Symbol("Box:1"), Symbol("Box:2", 10)},
         {{3, -1}}, {"null", "lbl", "Box:2"}, {{2, -1}}},
        {"icon-only use survives and is not remapped", {Symbol("Box:1"), Symbol("Box:2")},
         {{2, 3}}, {"null", "lbl", "Box:1", "Box:2"}, {{2, 3}}},
        {"InternalIcon survives unused", {Symbol("Junk"), internal}, {}, {"null", "lbl", "Kept"}, {}},
        {"odd names do not stop the pass", {Symbol(":5"), Symbol(":6"), Symbol("Box:0"), Symbol("A:1"), Symbol("A:2")},
         {{2, -1}, {3, -1}, {4, -1}, {6, -1}}, {"null", "lbl", ":5", ":6", "Box:0", "A:1"},
         {{2, -1}, {3, -1}, {4, -1}, {5, -1}}},
        {"built-ins always stay", {}, {}, {"null", "lbl"}, {}},
    };
    for (const Case& c : cases) {
        CKavoDoc d;
        ASSERT_TRUE(d.OnNewDocument());
        for (const CFigSymbol& s : c.symbols)
            d.m_figSymbols.AddOrReplace(&s);
        std::vector<CFigure*> figs;
        for (const FigRow& r : c.figures) {
            CFigure* f = NewFig(d, 0, 0, "f");
            f->m_props.Symbol = r.symbol;
            f->m_props.Icon = r.icon;
            d.AddFigWithId(f);
            figs.push_back(f);
        }
        PurgeUnusedLibraryEntries(d, d.m_figSymbols, d.m_endSymbols);
        EXPECT_EQ(Names(d.m_figSymbols), c.namesAfter) << c.what;
        for (size_t i = 0; i < figs.size(); ++i) {
            EXPECT_EQ(figs[i]->m_props.Symbol, c.figuresAfter[i].symbol) << c.what << " figure " << i;
            EXPECT_EQ(figs[i]->m_props.Icon, c.figuresAfter[i].icon) << c.what << " figure " << i;
        }
    }
}

// The working copies of the current styles hold symbol and end-shape
// indexes too: what they hold survives a purge and shifts with it.
TEST_F(LibraryUsersTest, PurgeCountsAndShiftsTheCurrentStyleCopies)
{
    AddSymbols({Symbol("Unused"), Symbol("ForFigures"), Symbol("ForLabels"), Symbol("Icon")});
    doc.m_curFigStyle.m_props.Symbol = 3;
    doc.m_curFigStyle.m_props.Icon = 5;
    doc.m_curLblStyle.m_props.Symbol = 4;
    const int ends = doc.m_endSymbols.GetCount();
    for (const char* name : {"unused end", "current end"}) {
        CShapeDef s;
        s.SetName(name);
        doc.m_endSymbols.AddOrReplace(&s);
    }
    doc.m_curConStyle.m_props.End2 = ends + 1;
    Purge();
    EXPECT_EQ(Names(doc.m_figSymbols), (std::vector<std::string>{"null", "lbl", "ForFigures", "ForLabels", "Icon"}));
    EXPECT_EQ(doc.m_curFigStyle.m_props.Symbol, 2);
    EXPECT_EQ(doc.m_curFigStyle.m_props.Icon, 4);
    EXPECT_EQ(doc.m_curLblStyle.m_props.Symbol, 3);
    ASSERT_EQ(doc.m_endSymbols.GetCount(), ends + 1);
    EXPECT_EQ(doc.m_endSymbols.GetAt(ends)->m_strName, "current end");
    EXPECT_EQ(doc.m_curConStyle.m_props.End2, ends);
}

TEST_F(LibraryUsersTest, PurgeKeepsWhatStylesAndConnectorsUse)
{
    AddSymbols({Symbol("Unused"), Symbol("ByStyle"), Symbol("ByLabelStyle"), Symbol("ByFigure")});
    CFigProps p;
    p.Symbol = 3;
    doc.m_figStyles.AddFigStyle(&p, "fig", 0, 1, 0, "", "", 10, 10, "", "", nullptr, 0, "");
    p.Symbol = 4;
    doc.m_figStyles.AddFigStyle(&p, "label", 0, 1, 1, "", "", 10, 10, "", "", nullptr, 0, "");
    Fig(5);
    const int ends = doc.m_endSymbols.GetCount();   // the built-in line ends stay
    for (const char* name : {"a", "b", "c", "d"}) {
        CShapeDef s;
        s.SetName(name);
        doc.m_endSymbols.AddOrReplace(&s);
    }
    // a unused, b used by a connector, c unused, d by a connector style.
    CConnector* con = Con(ends + 1, 3);
    AddConStyle("s", ends + 3, 5);
    Purge();
    // Label styles keep their symbols too: new labels are drawn with them.
    EXPECT_EQ(Names(doc.m_figSymbols), (std::vector<std::string>{"null", "lbl", "ByStyle", "ByLabelStyle", "ByFigure"}));
    EXPECT_EQ(doc.m_figStyles.GetProps(0)->Symbol, 2);
    EXPECT_EQ(doc.m_figStyles.GetProps(1)->Symbol, 3);
    ASSERT_EQ(doc.m_endSymbols.GetCount(), ends + 2);
    EXPECT_EQ(doc.m_endSymbols.GetAt(ends)->m_strName, "b");
    EXPECT_EQ(doc.m_endSymbols.GetAt(ends + 1)->m_strName, "d");
    EXPECT_EQ(con->m_props.End1, ends);
    EXPECT_EQ(con->m_props.End2, 3);
    EXPECT_EQ(doc.m_conStyles.GetProps(0)->End1, ends + 1);
}

// Removing a style: its objects lose it (figures keep its initial texts as
// their own), greater indexes go down, and the stock kind cached from the
// style's name is forgotten.
TEST_F(LibraryUsersTest, RemovingAStyleShiftsIndexesAndForgetsItsKind)
{
    for (const char* n : {"a", "Lifeline", "c", "d"})
        AddFigStyle(n, n == std::string("Lifeline") ? "B" : "");
    CFigure* lifeline = Fig(0, -1, 1);
    CFigure* third = Fig(0, -1, 2);
    CFigure* none = Fig(0, -1, -1);
    CFigure* first = Fig(0, -1, 0);
    CFigure* last = Fig(0, -1, 3);
    ASSERT_EQ(lifeline->GetStockKind(), 29);
    doc.m_nCurFigStyle = 3;
    doc.m_nCurLblStyle = 1;
    ASSERT_EQ(doc.m_figStyles.RemoveWithUsers(1), 1);
    EXPECT_EQ(lifeline->m_nStyle, -1);
    EXPECT_EQ(lifeline->m_strSecondText, "B") << "its own copy of the removed style's texts";
    EXPECT_EQ(lifeline->m_props.BindToStyle, 0);
    EXPECT_EQ(lifeline->GetStockKind(), -1);
    EXPECT_EQ(third->m_nStyle, 1);
    EXPECT_EQ(third->GetStyle()->m_strName, "c") << "still shares the texts of its style";
    EXPECT_EQ(none->m_nStyle, -1);
    EXPECT_EQ(first->m_nStyle, 0);
    EXPECT_EQ(last->m_nStyle, 2);
    EXPECT_EQ(doc.m_nCurFigStyle, 2);
    EXPECT_EQ(doc.m_nCurLblStyle, -1);

    for (const char* n : {"x", "To Interface", "z"})
        AddConStyle(n);
    CConnector* plain = Con(0, 0, 0);
    CConnector* iface = Con(0, 0, 1);
    CConnector* after = Con(0, 0, 2);
    CConnector* free = Con(0, 0, -1);
    ASSERT_TRUE(iface->IsStockKind(16));
    doc.m_nCurConStyle = 2;
    ASSERT_EQ(doc.m_conStyles.RemoveWithUsers(1), 1);
    EXPECT_EQ(plain->m_nStyle, 0);
    EXPECT_EQ(iface->m_nStyle, -1);
    EXPECT_EQ(iface->m_props.BindToStyle, 0);
    EXPECT_FALSE(iface->IsStockKind(16)) << "no longer a \"To Interface\" connector";
    EXPECT_EQ(after->m_nStyle, 1);
    EXPECT_EQ(free->m_nStyle, -1);
    EXPECT_EQ(doc.m_nCurConStyle, 1);
    EXPECT_EQ(doc.m_conStyles.RemoveWithUsers(5), 0);
}

TEST_F(LibraryUsersTest, ReconcileAfterMergeKeepsOldAndUsedEntries)
{
    AddConStyle("old1");
    AddConStyle("old2");
    doc.m_conStyles.SetKeepFlag(1);
    for (const char* n : {"new unused", "new used", "new unused 2", "new unused 3"})
        AddConStyle(n);
    CConnector* usesNew = Con(0, 0, 3);
    CConnector* usesOld = Con(0, 0, 1);
    doc.m_conStyles.ReconcileMergedEntries();
    doc.m_conStyles.SetKeepFlag(0);
    ASSERT_EQ(doc.m_conStyles.GetCount(), 3);
    EXPECT_EQ(doc.m_conStyles.GetAt(2)->m_strName, "new used");
    EXPECT_EQ(doc.m_conStyles.GetAt(2)->HasButton, 0);
    EXPECT_EQ(doc.m_conStyles.GetAt(0)->HasButton, 1);
    EXPECT_EQ(usesNew->m_nStyle, 2);
    EXPECT_EQ(usesOld->m_nStyle, 1);

    // Figure styles go by the two-phase rule.
    AddFigStyle("old");
    doc.m_figStyles.SetKeepFlag(1);
    AddFigStyle("new unused", "U");
    AddFigStyle("new used", "T");
    doc.m_figStyles.GetAt(2)->HasButton = 1;
    CFigure* onNew = Fig(0, -1, 2);
    CFigure* onOld = Fig(0, -1, 0);
    doc.m_figStyles.ReconcileMergedEntries();
    ASSERT_EQ(doc.m_figStyles.GetCount(), 2);
    EXPECT_EQ(doc.m_figStyles.GetAt(1)->m_strName, "new used");
    EXPECT_EQ(doc.m_figStyles.GetAt(1)->HasButton, 0);
    EXPECT_EQ(onNew->m_nStyle, 1);
    EXPECT_EQ(onNew->m_strSecondText, "") << "shares its style's texts";
    EXPECT_EQ(onOld->m_nStyle, 0);
}

TEST_F(LibraryUsersTest, DeletingAPictureStyleTracesAndReleasesItsUse)
{
    QTemporaryDir dir;
    SetProgramFolderForTest(dir.path());
    g_bDiagnostics = true;
    InitDiagnostics();
    AddFigStyle("first");
    AddFigStyle("pic");
    HGLOBAL h1 = GlobalAlloc(GHND, 4);
    HGLOBAL h2 = GlobalAlloc(GHND, 4);
    ASSERT_TRUE(doc.m_graphics.AddUse(2, h1));
    ASSERT_TRUE(doc.m_graphics.AddUse(3, h2));
    ASSERT_TRUE(doc.m_graphics.AddUse(3, h2));   // a figure shows it too
    doc.m_figStyles.GetProps(0)->m_nGraphicType = 2;
    doc.m_figStyles.GetProps(0)->Graphic = h1;
    doc.m_figStyles.GetProps(1)->m_nGraphicType = 3;
    doc.m_figStyles.GetProps(1)->Graphic = h2;
    EXPECT_EQ(doc.m_figStyles.Delete(1), 1);
    EXPECT_EQ(doc.m_graphics.GetUses(h2), 1);
    EXPECT_EQ(doc.m_graphics.GetUses(h1), 1);
    QFile trace(QDir(dir.path()).filePath("Diags.log"));
    ASSERT_TRUE(trace.open(QIODevice::ReadOnly));
    const QByteArray text = trace.readAll();
    char line[128];
    snprintf(line, sizeof line, "GMEM  WMF Handle %04X freed in CFigStylesLibrary::Delete\n",
             static_cast<unsigned>(reinterpret_cast<uintptr_t>(h2)));
    EXPECT_TRUE(text.contains(line)) << text.constData();
    EXPECT_TRUE(text.contains("SMEM            From CFigStylesLibrary::Delete()\n"));
    // Emptying the library releases the first entry's picture as well: its
    // last use frees the block.
    doc.m_figStyles.RemoveAll();
    EXPECT_EQ(doc.m_graphics.GetUses(h1), 0);
    EXPECT_EQ(doc.m_figStyles.GetCount(), 0);
    g_bDiagnostics = false;
}
