// Every diagram of the program folders and of the test fixtures loads without
// an error, saves, and reloads to the same document; a new diagram from a
// template takes its styles and none of its objects; every template with
// shapes shows a preview in the New dialog.
#include "common/TestSupport.h"
#include "fileformat/CPreviewLoadObj.h"
#include "fileformat/FileFormatTestSupport.h"
#include "platform/PackedDib.h"
#include "shapes/ShapeLibrary.h"
#include "shapes/SymbolLibrary.h"

#include <QDir>
#include <QFile>
#include <QImage>

#include <set>

namespace {
QStringList DiagramFiles()
{
    QStringList files;
    const QString resources = QStringLiteral(KAVO_RESOURCE_DIR);
    for (const QString& folder : {resources + "/Samples", resources + "/Template", TestDataPath("fileformat")})
        for (const QString& name : QDir(folder).entryList({"*.kvd"}, QDir::Files))
            files << folder + "/" + name;
    return files;
}

std::string ReadAll(const QString& path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    const QByteArray b = f.readAll();
    return std::string(b.constData(), size_t(b.size()));
}
} // namespace

TEST(ProgramContent, EveryDiagramLoadsSavesAndReloadsTheSame)
{
    const QStringList files = DiagramFiles();
    // The sample, three templates and the fixture at least.
    ASSERT_GE(files.size(), 5);
    for (const QString& path : files) {
        SCOPED_TRACE(path.toStdString());
        CKavoDoc doc;
        PrepareForLoad(doc);
        std::vector<std::pair<int, int>> errors;
        ASSERT_TRUE(LoadText(doc, ReadAll(path), &errors));
        EXPECT_TRUE(errors.empty());
        EXPECT_TRUE(doc.Validate());
        const std::string saved = WriteDoc(doc);
        CKavoDoc again;
        PrepareForLoad(again);
        ASSERT_TRUE(LoadText(again, saved));
        EXPECT_EQ(WriteDoc(again), saved);
    }
}

TEST(ProgramContent, NewDiagramFromATemplateTakesStylesOnly)
{
    CRecordingPrompt prompt;
    CKavoDoc doc;
    doc.m_bLoadingTemplate = 1;
    ASSERT_TRUE(doc.OpenDocumentUnlocked(QStringLiteral(KAVO_RESOURCE_DIR "/Samples/InitialSample.kvd").toStdString(),
                                         false));
    EXPECT_EQ(doc.m_pObjList->GetCount(), 0);
    EXPECT_GE(doc.m_figStyles.FindByName("Process"), 0);
    EXPECT_GE(doc.m_conStyles.FindByName("Flow"), 0);
    EXPECT_TRUE(prompt.shown.empty());
}

// The program's own diagrams show what it draws: every shape that is not a
// label has a symbol of its own (the built-in label rectangle shows no fill)
// and a fill; every connector draws as its style says, arrow heads
// included; and the sample shows a diamond, a gradient, a shadow, a shape
// with compartments, connector labels and flow indicators.
TEST(ProgramContent, SampleAndTemplatesShowStyledShapes)
{
    const QString resources = QStringLiteral(KAVO_RESOURCE_DIR);
    for (const char* name : {"/Samples/InitialSample.kvd", "/Template/Flowchart.kvd", "/Template/Block Diagram.kvd",
                             "/Template/UML Class Diagram.kvd", "/Template/Swim Lane Process.kvd"}) {
        SCOPED_TRACE(name);
        CKavoDoc doc;
        PrepareForLoad(doc);
        ASSERT_TRUE(LoadText(doc, ReadAll(resources + name)));
        int figures = 0, connectors = 0;
        for (CDiagObj* o : *doc.m_pObjList) {
            if (o->GetType() == kObjFigure && !static_cast<CFigure*>(o)->m_bLabel) {
                const auto* f = static_cast<CFigure*>(o);
                ++figures;
                EXPECT_GT(f->m_props.Symbol, 1) << f->m_strText;
                EXPECT_NE(f->m_props.m_fill.m_nKind, 0) << f->m_strText;
            } else if (o->GetType() == kObjConnector) {
                const auto* c = static_cast<CConnector*>(o);
                ++connectors;
                const CConStyle* style = doc.m_conStyles.GetAt(c->m_nStyle);
                ASSERT_NE(style, nullptr);
                EXPECT_TRUE(c->m_props == style->m_props) << c->m_nId;
            }
        }
        EXPECT_GE(figures, 4);
        EXPECT_GE(connectors, 3);
    }
    CKavoDoc sample;
    PrepareForLoad(sample);
    ASSERT_TRUE(LoadText(sample, ReadAll(resources + "/Samples/InitialSample.kvd")));
    bool diamond = false, gradient = false, shadow = false, compartments = false, stamps = false;
    int labels = 0;
    for (CDiagObj* o : *sample.m_pObjList) {
        if (o->GetType() == kObjConnector) {
            stamps |= static_cast<CConnector*>(o)->m_props.FIType >= 0;
            continue;
        }
        if (o->GetType() != kObjFigure)
            continue;
        const auto* f = static_cast<CFigure*>(o);
        const CFigSymbol* s = sample.m_figSymbols.GetAt(f->m_props.Symbol);
        diamond |= s && s->m_strName == "Decision" && s->m_hotZone.GetCount() >= 4;
        gradient |= f->m_props.m_fill.m_nKind == 2;
        shadow |= f->m_props.Shadow != 0;
        compartments |= s && s->HasCompartments();
        labels += f->m_bLabel && f->m_pStaple ? 1 : 0;
    }
    EXPECT_TRUE(diamond);
    EXPECT_TRUE(gradient);
    EXPECT_TRUE(shadow);
    EXPECT_TRUE(compartments);
    EXPECT_TRUE(stamps);
    EXPECT_GE(labels, 2);
}

TEST(ProgramContent, TemplatesWithShapesCarryAPreview)
{
    // What the New dialog shows beside the list (the empty template has none).
    const QString folder = QStringLiteral(KAVO_RESOURCE_DIR "/Template");
    for (const QString& name : {QString("Flowchart.kvd"), QString("Block Diagram.kvd"), QString("UML Class Diagram.kvd"),
                                QString("Swim Lane Process.kvd")}) {
        SCOPED_TRACE(name.toStdString());
        HGLOBAL h = LoadPreviewFromFile(folder + "/" + name);
        ASSERT_NE(h, nullptr);
        QImage image;
        {
            CGlobalLock lock(h);
            image = DibToImage(lock.data(), lock.size());
        }
        GlobalFree(h);
        EXPECT_EQ(image.size(), QSize(124, 112));
        // Boxes on white, not a blank picture.
        std::set<QRgb> colours;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                colours.insert(image.pixel(x, y));
        EXPECT_GT(colours.size(), 3u);
    }
}

// The shipped sample and templates hold only symbols and line ends that
// something in them uses: the purge of unused entries finds nothing. (A
// colour variant keeps only the colour keys of its styles, so read alone its
// styles name no symbol.)
TEST(ProgramContent, ShippedDiagramsHoldNoUnusedSymbol)
{
    const QString resources = QStringLiteral(KAVO_RESOURCE_DIR);
    QStringList files;
    for (const QString& folder : {resources + "/Samples", resources + "/Template"})
        for (const QString& name : QDir(folder).entryList({"*.kvd"}, QDir::Files))
            files << folder + "/" + name;
    ASSERT_GE(files.size(), 5);
    for (const QString& path : files) {
        SCOPED_TRACE(path.toStdString());
        CKavoDoc doc;
        PrepareForLoad(doc);
        ASSERT_TRUE(LoadText(doc, ReadAll(path)));
        const int symbols = doc.m_figSymbols.GetCount(), ends = doc.m_endSymbols.GetCount();
        doc.m_figSymbols.PurgeUnused(doc);
        doc.m_endSymbols.PurgeUnused(doc);
        EXPECT_EQ(doc.m_figSymbols.GetCount(), symbols);
        EXPECT_EQ(doc.m_endSymbols.GetCount(), ends);
    }
}
