// Every command that can stand on a toolbar or in the Customize catalogue has
// a picture of its own: drawn (never a letter or number set in a font), at 16
// and 24 pixels, different from every other command's, on light and dark
// backgrounds; the standard commands follow the desktop's icon theme when it
// has their icon; the toolbars show these pictures.
#include "BarTestSupport.h"
#include "common/DiagramFixture.h"
#include "common/TestSupport.h"
#include "editing/ui/CKavoView.h"
#include "frame/CustomizeCatalogue.h"
#include "frame/ToolBarButtons.h"
#include "frame/ui/CCustomToolBar.h"
#include "frame/ui/CMainFrame.h"
#include "frame/ui/CommandImages.h"
#include "graphics/ArtPainter.h"

#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPaintEngine>
#include <QTemporaryDir>
#include <QToolButton>
#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {
// A paint device that counts what is drawn on it, and text above all.
class CountingEngine : public QPaintEngine {
public:
    CountingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override { ++shapes; }
    void drawPath(const QPainterPath&) override { ++shapes; }
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override { ++shapes; }
    void drawTextItem(const QPointF&, const QTextItem&) override { ++texts; }
    Type type() const override { return QPaintEngine::User; }
    int shapes = 0;
    int texts = 0;
};

class CountingDevice : public QPaintDevice {
public:
    QPaintEngine* paintEngine() const override { return &m_engine; }
    CountingEngine& Engine() { return m_engine; }

protected:
    int metric(PaintDeviceMetric m) const override
    {
        switch (m) {
        case PdmWidth:
        case PdmHeight: return 24;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY: return 96;
        case PdmDepth: return 32;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(QPaintDevice::devicePixelRatioFScale());
        default: return 0;
        }
    }

private:
    mutable CountingEngine m_engine;
};

// The commands with pictures: the toolbar strip's (two-state commands twice)
// and the catalogue's.
std::vector<std::pair<unsigned, bool>> Pictures()
{
    std::vector<std::pair<unsigned, bool>> all;
    const auto table = ToolBarImageTable();
    for (size_t i = 0; i < table.size(); ++i)
        all.emplace_back(unsigned(table[i]), i > 0 && table[i - 1] == table[i]);
    return all;
}

int InkedPixels(const QImage& image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += qAlpha(image.pixel(x, y)) > 64;
    return n;
}

// A sheet of every picture at 16 and 24 pixels on a light and a dark
// ground, for the eye.
void SaveSheet(const std::vector<std::pair<unsigned, bool>>& pictures)
{
    const QString folder = qEnvironmentVariable("KAVO_SHOTS");
    if (folder.isEmpty())
        return;
    constexpr int kColumns = 17, kCell = 30;
    const int rows = (int(pictures.size()) + kColumns - 1) / kColumns;
    QImage sheet(kColumns * kCell * 2, rows * kCell * 2, QImage::Format_ARGB32);
    const QColor grounds[] = {QColor(240, 240, 240), QColor(48, 48, 52)};
    for (int g = 0; g < 2; ++g) {
        QPainter p(&sheet);
        p.fillRect(g * kColumns * kCell, 0, kColumns * kCell, rows * kCell * 2, grounds[g]);
        for (size_t i = 0; i < pictures.size(); ++i) {
            const int x = g * kColumns * kCell + int(i % kColumns) * kCell, y = int(i / kColumns) * kCell * 2;
            p.drawPixmap(x + 7, y + 3, CommandPixmap(pictures[i].first, pictures[i].second, 16, grounds[g]));
            p.drawPixmap(x + 3, y + 3 + kCell, CommandPixmap(pictures[i].first, pictures[i].second, 24, grounds[g]));
        }
    }
    sheet.save(QDir(folder).filePath("CommandImages.png"));
    // And large, to see the drawing.
    constexpr int kLarge = 56;
    QImage large(kColumns * kLarge, rows * kLarge, QImage::Format_ARGB32);
    large.fill(grounds[0]);
    QPainter p(&large);
    for (size_t i = 0; i < pictures.size(); ++i)
        p.drawPixmap(int(i % kColumns) * kLarge + 4, int(i / kColumns) * kLarge + 4,
                     CommandPixmap(pictures[i].first, pictures[i].second, 48, grounds[0]));
    large.save(QDir(folder).filePath("CommandImagesLarge.png"));
}
} // namespace

TEST(CommandImagesTest, EveryCommandHasADrawnPictureOfItsOwn)
{
    std::set<unsigned> catalogue;
    for (const CommandCatalogueEntry& e : CommandCatalogue())
        catalogue.insert(e.command);
    const auto pictures = Pictures();
    std::set<unsigned> drawn;
    std::map<QByteArray, std::pair<unsigned, bool>> seen;
    for (const auto& [command, other] : pictures) {
        SCOPED_TRACE(command);
        // Drawn with shapes: no text item reaches the paint engine.
        CountingDevice device;
        {
            QPainter p(&device);
            ArtPainter art(p, QRectF(0, 0, 24, 24), ArtColoursFor(Qt::white));
            EXPECT_TRUE(PaintCommandImage(art, command, other));
        }
        EXPECT_GE(device.Engine().shapes, 1);
        EXPECT_EQ(device.Engine().texts, 0);
        for (int size : {16, 24}) {
            const QImage image = CommandPixmap(command, other, size, Qt::white).toImage();
            ASSERT_EQ(image.size(), QSize(size, size));
            EXPECT_GE(InkedPixels(image), size * size / 10) << size;
        }
        // Unlike every other command's picture.
        const QImage big = CommandPixmap(command, other, 24, Qt::white).toImage();
        const QByteArray bytes(reinterpret_cast<const char*>(big.constBits()), big.sizeInBytes());
        const auto [at, fresh] = seen.emplace(bytes, std::make_pair(command, other));
        EXPECT_TRUE(fresh) << "the same picture as command " << at->second.first;
        drawn.insert(command);
    }
    for (unsigned command : catalogue)
        EXPECT_TRUE(drawn.count(command)) << command;
    EXPECT_EQ(catalogue.size(), 96u);
    SaveSheet(pictures);
}

TEST(CommandImagesTest, PicturesReadOnDarkBackgrounds)
{
    // The ink follows the ground: a picture on a dark ground is drawn with
    // light outlines.
    const QImage light = CommandPixmap(36500, false, 24, QColor(240, 240, 240)).toImage();
    const QImage dark = CommandPixmap(36500, false, 24, QColor(40, 40, 40)).toImage();
    int lightInk = 0, darkInk = 0;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x) {
            if (qAlpha(light.pixel(x, y)) > 200 && qGray(light.pixel(x, y)) < 80)
                ++lightInk;
            if (qAlpha(dark.pixel(x, y)) > 200 && qGray(dark.pixel(x, y)) > 180)
                ++darkInk;
        }
    EXPECT_GT(lightInk, 10);
    EXPECT_GT(darkInk, 10);
}

TEST(CommandImagesTest, StandardCommandsFollowTheDesktopTheme)
{
    // A theme that holds a red "document-new" and nothing else.
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("probe/16x16");
    QFile index(dir.path() + "/probe/index.theme");
    ASSERT_TRUE(index.open(QIODevice::WriteOnly));
    index.write("[Icon Theme]\nName=probe\nDirectories=16x16\n\n[16x16]\nSize=16\nType=Fixed\n");
    index.close();
    QPixmap red(16, 16);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(dir.path() + "/probe/16x16/document-new.png"));
    const QStringList paths = QIcon::themeSearchPaths();
    const QString name = QIcon::themeName();
    QIcon::setThemeSearchPaths({dir.path()});
    QIcon::setThemeName("probe");

    EXPECT_EQ(CommandIcon(57600, false).pixmap(16).toImage().pixel(8, 8), QColor(Qt::red).rgb());
    // Without the theme's icon the program's own picture stands in: Open, and
    // every diagram command.
    for (unsigned command : {57601u, 36500u, 33073u}) {
        const QImage own = CommandPixmap(command, false, 16, QApplication::palette().color(QPalette::Button)).toImage();
        EXPECT_EQ(CommandIcon(command, false).pixmap(16).toImage().convertToFormat(own.format()), own) << command;
    }
    QIcon::setThemeName(name);
    QIcon::setThemeSearchPaths(paths);
    EXPECT_NE(CommandThemeName(57600), nullptr);
    EXPECT_EQ(CommandThemeName(36500), nullptr);
}

TEST(CommandImagesTest, ToolbarsShowPicturesNotText)
{
    CTempProfile profile;
    SavedBarSettings saved;
    ShowStdToolBar = ShowPropertyBar = 1;
    DiagramFixture fx;
    CMainFrame frame;
    frame.resize(1280, 600);
    frame.show();
    frame.AddViewFrame(new CKavoView(&fx.doc), "test");
    for (CCustomToolBar* bar : {frame.StdToolBar(), frame.PropertyBar()}) {
        int buttons = 0;
        for (int i = 0; i < bar->Buttons().Count(); ++i) {
            auto* tool = qobject_cast<QToolButton*>(bar->ItemWidget(i));
            if (!tool || !tool->defaultAction())
                continue;
            ++buttons;
            const unsigned command = unsigned(tool->defaultAction()->data().toInt());
            EXPECT_EQ(tool->toolButtonStyle(), Qt::ToolButtonIconOnly) << command;
            const QImage shown = tool->icon().pixmap(20).toImage();
            EXPECT_GE(InkedPixels(shown), 40) << command;
            // The drawn picture (no desktop theme here), for the bar's face.
            const QImage drawn =
                CommandPixmap(command, false, 20, QApplication::palette().color(QPalette::Button)).toImage();
            EXPECT_TRUE(shown.convertToFormat(drawn.format()) == drawn) << command;
        }
        EXPECT_GE(buttons, 5);
        SaveShot(bar->objectName(), bar);
    }
}

TEST(CommandImagesTest, AlignmentAndCentringMenuItemsShowTheirPictures)
{
    CTempProfile profile;
    SavedBarSettings saved;
    ShowStdToolBar = ShowPropertyBar = 1;
    DiagramFixture fx;
    CMainFrame frame;
    frame.show();
    frame.AddViewFrame(new CKavoView(&fx.doc), "test");
    std::set<int> pictured;
    QMenu* align = nullptr;
    for (QMenu* menu : frame.menuBar()->findChildren<QMenu*>()) {
        for (QAction* action : menu->actions()) {
            const int id = action->data().toInt();
            if (action->menu() || id == 0)
                continue;
            const bool shows = action->isIconVisibleInMenu() && !action->icon().isNull();
            EXPECT_EQ(shows, HasMenuPicture(unsigned(id))) << id;
            if (shows) {
                pictured.insert(id);
                EXPECT_GE(InkedPixels(action->icon().pixmap(16).toImage()), 20) << id;
                if (id == 33190)
                    align = menu;
            }
        }
    }
    EXPECT_EQ(pictured, (std::set<int>{33190, 33191, 33192, 33193, 33194, 33195, 40010, 40011, 40012}));
    ASSERT_NE(align, nullptr);
    SaveShot("AlignMenu", align);
}
