// Symbol-library files: acceptance, name order and conflicts, folder scans,
// the built-in end-symbol file, and template variants.
#include "common/TestSupport.h"
#include "core/CAppProfile.h"
#include "core/ProgramFolders.h"
#include "keyword/KeywordStreams.h"
#include "platform/NumText.h"
#include "shapes/ShapeLibrary.h"
#include "shapes/SymbolFiles.h"
#include "shapes/TemplateVariants.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {
struct Collect : SymbolFileSink {
    std::vector<std::string> names;
    void TakeFigureSymbol(const CFigSymbol& s) override { names.push_back(s.m_strName); }
};

// A program folder whose "Symbols" folder holds the fixture libraries.
class SymbolsFolder {
public:
    SymbolsFolder()
    {
        QDir(m_dir.path()).mkpath("Symbols");
        QDir(m_dir.path()).mkpath("Template/Variants");
        const QDir src(TestDataPath("symbols/lib"));
        for (const QString& f : src.entryList(QDir::Files | QDir::Hidden))
            QFile::copy(src.filePath(f), m_dir.path() + "/Symbols/" + f);
        SetProgramFolderForTest(m_dir.path());
    }
    ~SymbolsFolder() { SetProgramFolderForTest(QString()); }
    QString Path() const { return m_dir.path(); }
    void AddVariant(const QString& name, const char* text)
    {
        QFile f(m_dir.path() + "/Template/Variants/" + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }

private:
    QTemporaryDir m_dir;
};
} // namespace

TEST(SymbolFiles, AcceptanceOfHeaderAndKeywords)
{
    struct Case {
        const char* text;
        SymbolFileReadResult result;
        int line;
    };
    const Case cases[] = {
        {"KAVO\nVersion 5.08\nFigureSymbol \"a\"\n{\n}\n", SymbolFileReadResult::Ok, 0},
        {"KAVO\nVersion 5.09\nFigureSymbol \"a\"\n{\n}\n", SymbolFileReadResult::TooNew, 0},
        {"KAVX\nVersion 5\n", SymbolFileReadResult::Unrecognized, 0},
        {"KAVO\nVersion 101\n", SymbolFileReadResult::LineError, 2},
        {"KAVO\nVersion 5\nComment \"fine\"\nStyle \"x\"\n", SymbolFileReadResult::LineError, 4},
        // The wrong kind of block for the file.
        {"KAVO\nVersion 5\nEndSymbol \"x\"\n{\n}\n", SymbolFileReadResult::LineError, 3},
        {"KAVO\nVersion 5\nComment \"a\"\nFigureSymbol \"\"\n{\n}\n", SymbolFileReadResult::LineError, 4},
        {"KAVO\nVersion 5\nFigureSymbol \"0123456789012345678901234567890123\"\n{\n}\n",
         SymbolFileReadResult::Ok, 0},
    };
    for (const Case& c : cases) {
        Collect sink;
        CMemoryKeywordSource src(c.text);
        int line = -1;
        EXPECT_EQ(ReadSymbolFile(src, false, sink, &line), c.result) << c.text;
        if (c.result == SymbolFileReadResult::LineError) {
            EXPECT_EQ(line, c.line) << c.text;
        }
    }
}

TEST(SymbolFiles, EntriesAreSortedAndConflictsDropped)
{
    SymbolsFolder folder;
    CRecordingPrompt prompt;
    SymbolFileList list(false);
    ASSERT_EQ(list.Scan(true, kFigureSymbolFileExt), 4); // not the hidden file
    auto* file = static_cast<FigureSymbolFile*>(list.FindFile("shapes"));
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->Load(false, kFigureSymbolFileExt), 1);
    ASSERT_EQ(file->GetCount(), 3);
    EXPECT_EQ(file->GetAt(0)->Name(), "Alpha");
    EXPECT_EQ(file->GetAt(1)->Name(), "box");
    EXPECT_EQ(file->GetAt(2)->Name(), "Zeta");
    EXPECT_EQ(file->GetAt(1)->symbol.Height, 100); // the first of Box and box stays
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text, "Unable to load 'Box' from file shapes.kvf.\nName conflict.");
    std::string title;
    EXPECT_EQ(list.FindSymbol("Zeta", title), 2);
    EXPECT_EQ(title, "shapes");
    EXPECT_EQ(list.FindSymbol("nowhere", title), -1);
}

TEST(SymbolFiles, FailedFilesKeepWhatWasReadAndReportFailure)
{
    SymbolsFolder folder;
    SymbolFileList list(false);
    list.Scan(true, kFigureSymbolFileExt);
    const std::string symbols = QDir::toNativeSeparators(folder.Path() + "/Symbols/").toStdString();
    struct Case {
        const char* title;
        std::string message;
        int count;
    };
    const Case cases[] = {
        {"broken", "Unable to load symbol from " + symbols + "broken.kvf.\nError line 8.", 1},
        {"newer", "Cannot load symbols from " + symbols + "newer.kvf\nRequires newer version", 0},
        {"alien", "Cannot load symbols from " + symbols + "alien.kvf\nUnrecognized file", 0},
    };
    for (const Case& c : cases) {
        CRecordingPrompt prompt;
        SymbolFile* file = list.FindFile(c.title);
        ASSERT_NE(file, nullptr) << c.title;
        EXPECT_EQ(file->Load(false, kFigureSymbolFileExt), 0) << c.title;
        EXPECT_TRUE(file->IsPartial());
        EXPECT_EQ(file->GetCount(), c.count) << c.title;
        ASSERT_EQ(prompt.shown.size(), 1u) << c.title;
        EXPECT_EQ(prompt.shown[0].text, c.message);
        // Asked again, the file is not read twice but still reports failure.
        EXPECT_EQ(file->Load(false, kFigureSymbolFileExt), 0);
        EXPECT_EQ(prompt.shown.size(), 1u);
    }
}

TEST(SymbolFiles, ScanKeepsAFilledListUnlessForced)
{
    SymbolsFolder folder;
    SymbolFileList list(false);
    EXPECT_EQ(list.Scan(false, kFigureSymbolFileExt), 4);
    QFile::copy(folder.Path() + "/Symbols/shapes.kvf", folder.Path() + "/Symbols/more.kvf");
    EXPECT_EQ(list.Scan(false, kFigureSymbolFileExt), 4);
    EXPECT_EQ(list.Scan(true, kFigureSymbolFileExt), 5);
    std::set<std::string> titles;
    for (int i = 0; i < list.GetCount(); ++i)
        titles.insert(list.GetAt(i)->GetName());
    EXPECT_EQ(titles, (std::set<std::string>{"shapes", "newer", "broken", "alien", "more"}));
}

TEST(SymbolFiles, EndSymbolListOffersTheBuiltInLineEnds)
{
    SymbolsFolder folder;
    ShapeLibrary library;
    library.BuildLineEnds();
    SymbolFileList list(true);
    EXPECT_EQ(list.LoadEndSymbols(true, library), 2);
    auto* builtin = static_cast<EndSymbolFile*>(list.FindFile("Built-in"));
    ASSERT_NE(builtin, nullptr);
    ASSERT_EQ(builtin->GetCount(), ShapeLibrary::kLineEndCount);
    for (int i = 0; i < builtin->GetCount(); ++i)
        EXPECT_EQ(builtin->GetAt(i)->Name(), library.GetAt(i)->m_strName);
}

// A name conflict in an end-symbol file is silent for the first 20 entries.
TEST(SymbolFiles, EndSymbolConflictsBeyondTheFirstTwentyAreReported)
{
    EndSymbolFile file("ends");
    CShapeDef shape;
    for (int i = 0; i < 21; ++i) {
        shape.SetName(StrPrintf("a%02d", i));
        ASSERT_TRUE(file.Insert(shape, "ends.kvn"));
    }
    CRecordingPrompt prompt;
    shape.SetName("A03");
    EXPECT_FALSE(file.Insert(shape, "ends.kvn"));
    shape.SetName("A19");   // the twentieth entry, the last one passed over silently
    EXPECT_FALSE(file.Insert(shape, "ends.kvn"));
    EXPECT_TRUE(prompt.shown.empty());
    shape.SetName("A20");
    EXPECT_FALSE(file.Insert(shape, "ends.kvn"));
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text, "Unable to load 'A20' from file ends.kvn.\nName conflict.");
    EXPECT_EQ(file.GetCount(), 21);
}

TEST(TemplateVariants, TitleParsing)
{
    struct Case {
        const char* title;
        bool ok;
        const char* group;
        const char* item;
        int number;
        bool isDefault;
    };
    const Case cases[] = {
        {"Flow (Color=Blue,2)", true, "Color", "Blue", 2, false},
        {"Flow (Color=Blue,2,default)", true, "Color", "Blue", 2, true},
        {"Flow (Size=Big (A4),1)", true, "Size", "Big (A4)", 1, false},
        {"Flow", false, "", "", 0, false},
        {"Flow (Color)", false, "", "", 0, false},
        {"Flow (Color=Blue,x)", false, "", "", 0, false},
        {"Flow Color=Blue,2)", false, "", "", 0, false},
    };
    for (const Case& c : cases) {
        VariantTitleParts parts;
        ASSERT_EQ(ParseVariantTitle(c.title, parts), c.ok) << c.title;
        if (!c.ok)
            continue;
        EXPECT_EQ(parts.group, c.group);
        EXPECT_EQ(parts.item, c.item);
        EXPECT_EQ(parts.number, c.number);
        EXPECT_EQ(parts.isDefault, c.isDefault);
    }
}

TEST(TemplateVariants, GroupsAndItemsStayInsideTheirTables)
{
    TemplateVariants v;
    EXPECT_TRUE(v.AddVariantFile("T (Color=Blue,1)", "a.kvv"));
    EXPECT_TRUE(v.AddVariantFile("T (Color=Red,3,d)", "b.kvv"));
    // Numbers outside 1..200 and a second file for a taken slot are ignored.
    EXPECT_FALSE(v.AddVariantFile("T (Color=Green,0)", "c.kvv"));
    EXPECT_FALSE(v.AddVariantFile("T (Color=Green,500)", "d.kvv"));
    EXPECT_FALSE(v.AddVariantFile("T (Color=Again,3)", "e.kvv"));
    EXPECT_TRUE(v.AddVariantFile("T (Size=Big,1)", "f.kvv"));
    EXPECT_TRUE(v.AddVariantFile("T (Detail=Low,1)", "g.kvv"));
    EXPECT_FALSE(v.AddVariantFile("T (Fourth=X,1)", "h.kvv"));
    EXPECT_FALSE(v.AddVariantFile("T (Size=Other,2)", "i.kvv", "Color"));
    ASSERT_EQ(v.GetGroupCount(), 3);
    const TemplateVariants::Group* color = v.GetGroup(0);
    EXPECT_EQ(color->count, 2);
    EXPECT_EQ(color->defaultItem, 2);
    EXPECT_EQ(color->itemNames[2], "Red");
    // Positions without a file have no data.
    EXPECT_EQ(v.GetItemData(0, 1), nullptr);
    EXPECT_EQ(v.GetItemData(0, 200), nullptr);
    EXPECT_EQ(v.GetItemData(5, 0), nullptr);
}

TEST(TemplateVariants, BuildSwapsSizeFirstAndLoadsChoices)
{
    CTempProfile profile;
    SymbolsFolder folder;
    folder.AddVariant("Org (Color=Blue,1).kvv", "blue");
    folder.AddVariant("Org (Color=Red,2,d).kvv", "red");
    folder.AddVariant("Org (Size=Small,1).kvv", "small");
    folder.AddVariant("Other (Color=Green,1).kvv", "green");
    TemplateVariants v;
    v.BuildTemplateVariants(folder.Path() + "/Template/Org.kvt");
    ASSERT_EQ(v.GetGroupCount(), 2);
    // Whatever order the folder gives, the Size group ends up first.
    EXPECT_EQ(v.GetGroup(0)->name, "Size");
    v.Load();
    const int colorGroup = 1;
    EXPECT_EQ(v.GetGroup(colorGroup)->chosen, 1); // the default item
    ASSERT_NE(v.GetItemData(colorGroup, 1), nullptr);
    EXPECT_EQ(*v.GetItemData(colorGroup, 1), "red");
    v.GetGroup(colorGroup)->chosen = 0;
    v.Save();
    EXPECT_EQ(int(AfxGetAppProfile().GetProfileInt("Variants", "Org Color", -1)), 0);
    TemplateVariants again;
    again.BuildTemplateVariants(folder.Path() + "/Template/Org.kvt");
    again.Load();
    EXPECT_EQ(again.GetGroup(1)->chosen, 0);
}

TEST(TemplateVariants, SecondGroupNamedSizeOrDetailComesFirst)
{
    for (const char* second : {"Size", "Detail", "Shade"}) {
        TemplateVariants v;
        v.AddVariantFile("T (Color=Blue,1)", "a.kvv");
        v.AddVariantFile(std::string("T (") + second + "=X,1)", "b.kvv");
        v.PutSizeGroupFirst();
        EXPECT_EQ(v.GetGroup(0)->name, std::string(second) == "Shade" ? "Color" : second);
    }
}

namespace {
struct FakeTarget : IVariantTarget {
    std::vector<QString> merged;
    int margins = 0;
    bool MergeDiagramFile(const QString& path) override
    {
        merged.push_back(QFileInfo(path).fileName());
        return true;
    }
    void SetFigMargins() override { ++margins; }
};
} // namespace

TEST(TemplateVariants, ApplyMergesEachChosenItemThenTheMargins)
{
    TemplateVariants v;
    v.AddVariantFile("T (Color=Blue,1)", "blue.kvv");
    v.AddVariantFile("T (Color=Red,2)", "red.kvv");
    v.AddVariantFile("T (Size=Big,1)", "big.kvv");
    v.GetGroup(0)->chosen = 1;
    FakeTarget target;
    EXPECT_TRUE(v.Apply(target));
    EXPECT_EQ(target.merged, (std::vector<QString>{"red.kvv", "big.kvv"}));
    EXPECT_EQ(target.margins, 1);
}
