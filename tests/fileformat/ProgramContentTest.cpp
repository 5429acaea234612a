// Every diagram of the program folders and of the test fixtures loads without
// an error, saves, and reloads to the same document; a new diagram from a
// template takes its styles and none of its objects; every template shows a
// preview in the New dialog.
#include "common/TestSupport.h"
#include "fileformat/CPreviewLoadObj.h"
#include "fileformat/FileFormatTestSupport.h"
#include "platform/PackedDib.h"

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

TEST(ProgramContent, EveryTemplateCarriesAPreviewOfItsStyles)
{
    const QString folder = QStringLiteral(KAVO_RESOURCE_DIR "/Template");
    const QStringList names = QDir(folder).entryList({"*.kvd"}, QDir::Files);
    ASSERT_GE(names.size(), 3);
    for (const QString& name : names) {
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
