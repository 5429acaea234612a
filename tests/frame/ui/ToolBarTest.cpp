// The main frame's standard toolbar and property bar: their buttons in order,
// states that follow the document, clicks that run commands, showing and
// hiding, and the lists kept in the settings.
#include "BarTestSupport.h"
#include "common/DiagramFixture.h"
#include "common/TestSupport.h"
#include "controls/CZoomCombo.h"
#include "core/Settings.h"
#include "core/Units.h"
#include "editing/ui/CKavoView.h"
#include "frame/ui/CCustomToolBar.h"
#include "frame/ui/CMainFrame.h"
#include "core/CAppProfile.h"

#include <QAbstractItemView>
#include <QAction>
#include <QContextMenuEvent>
#include <QTimer>
#include <QPainter>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <vector>

namespace {
using List = std::vector<unsigned>;


// The command an entry's widget stands for: its action's id, a control's
// commandId, 0 for a separator.
int WidgetCommand(QWidget* w)
{
    if (!w)
        return -1;
    if (auto* tool = qobject_cast<QToolButton*>(w); tool && tool->defaultAction())
        return tool->defaultAction()->data().toInt();
    return w->property("commandId").toInt();
}

QToolButton* ButtonOf(CCustomToolBar* bar, unsigned command)
{
    return qobject_cast<QToolButton*>(bar->ItemWidget(bar->Buttons().IndexOf(command)));
}


struct ToolBarTest : testing::Test {
    CTempProfile profile;
    SavedBarSettings saved;
    DiagramFixture fx;
    std::unique_ptr<CMainFrame> frame;
    CKavoView* view = nullptr;

    void SetUp() override
    {
        ShowStdToolBar = ShowPropertyBar = 1;
        CollapsedStyleBar = 0;
        AutoStyleButtons = 1;
        frame = std::make_unique<CMainFrame>();
        frame->resize(1280, 600);
        frame->show();
    }
    void Open()
    {
        view = new CKavoView(&fx.doc);
        frame->AddViewFrame(view, "test");
    }
};
} // namespace

TEST_F(ToolBarTest, BarsShowTheDefaultListsInOrderWithTheirCommands)
{
    const std::pair<CCustomToolBar*, std::span<const unsigned>> bars[] = {
        {frame->StdToolBar(), DefaultStandardButtons()}, {frame->PropertyBar(), DefaultPropertyButtons()}};
    for (const auto& [bar, defaults] : bars) {
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(bar->Buttons().Buttons(), List(defaults.begin(), defaults.end()));
        for (int i = 0; i < bar->Buttons().Count(); ++i)
            EXPECT_EQ(WidgetCommand(bar->ItemWidget(i)), int(defaults[size_t(i)])) << bar->BarId() << " " << i;
    }
    CCustomToolBar* prop = frame->PropertyBar();
    // Embedded controls take their widths; a separator after a combo is 10 wide.
    EXPECT_EQ(prop->ControlForCmd(32775)->width(), 175);
    EXPECT_EQ(prop->ControlForCmd(32776)->width(), 45);
    EXPECT_EQ(prop->ControlForCmd(36493)->width(), 60);
    EXPECT_EQ(prop->ItemWidget(3)->width(), kComboSeparatorWidth);
    EXPECT_GE(frame->StdToolBar()->ControlForCmd(32779)->width(), 60); // wider when its texts need it
    auto* zoom = qobject_cast<CZoomCombo*>(frame->StdToolBar()->ControlForCmd(32779));
    ASSERT_NE(zoom, nullptr);
    auto* fonts = qobject_cast<QComboBox*>(prop->ControlForCmd(32775));
    ASSERT_NE(fonts, nullptr);
    EXPECT_EQ(fonts->itemText(0), ""); // the empty entry first
    EXPECT_EQ(fonts->maxVisibleItems(), 12);
    EXPECT_FALSE(fonts->isEnabled());
    frame->OnIdleUpdateCmdUI();
    EXPECT_FALSE(fonts->isEnabled()); // nothing open
    Open();
    frame->OnIdleUpdateCmdUI();
    EXPECT_FALSE(fonts->isEnabled()); // no text to set the font of
    fx.doc.Select(fx.AddBox(100, 100, 300, 200, "A"));
    frame->OnIdleUpdateCmdUI();
    EXPECT_TRUE(fonts->isEnabled());
    EXPECT_EQ(zoom->currentText(), FormatZoomPercent(view->GetZoom())); // the view's zoom
    ASSERT_EQ(zoom->count(), 6);
    EXPECT_EQ(zoom->itemText(0), QString("%1%").arg(Zoom[0]));
    // The boundaries run along the bar; the nearest one to a point is found.
    CCustomToolBar* bar = frame->StdToolBar();
    const int n = bar->Buttons().Count();
    EXPECT_EQ(bar->BoundaryX(-1), -1);
    EXPECT_EQ(bar->BoundaryX(n + 1), -1);
    EXPECT_LT(bar->BoundaryX(0), bar->BoundaryX(1));
    const QPoint second = bar->mapToGlobal(QPoint(bar->BoundaryX(1) + 1, 0));
    EXPECT_EQ(bar->NearestBoundary(second.x()), 1);
    EXPECT_EQ(bar->NearestBoundary(-100000), 0);
    EXPECT_EQ(bar->NearestBoundary(100000), n);
    const QPoint onOpen = ButtonOf(bar, 57601)->mapToGlobal(QPoint(5, 5));
    EXPECT_EQ(bar->CommandAtPoint(onOpen), 57601u);
    EXPECT_EQ(frame->ToolBarAtPoint(onOpen), bar);
    SaveShot("toolbar_standard", frame->StdToolBar());
    SaveShot("toolbar_property", frame->PropertyBar());
}

TEST_F(ToolBarTest, ButtonStatesFollowTheDocumentAndClicksRunCommands)
{
    CCustomToolBar* bar = frame->StdToolBar();
    frame->OnIdleUpdateCmdUI();
    EXPECT_FALSE(ButtonOf(bar, 57632)->isEnabled()); // Delete: no document
    EXPECT_FALSE(ButtonOf(bar, 57603)->isEnabled()); // Save
    EXPECT_TRUE(ButtonOf(bar, 57600)->isEnabled());  // New

    Open();
    CFigure* box = fx.AddBox(100, 100, 300, 200, "A");
    frame->OnIdleUpdateCmdUI();
    EXPECT_FALSE(ButtonOf(bar, 57632)->isEnabled()); // nothing selected
    EXPECT_TRUE(ButtonOf(bar, 36500)->isChecked());  // select mode is the current one
    EXPECT_FALSE(ButtonOf(bar, 36500)->isEnabled());
    fx.doc.Select(box);
    frame->OnIdleUpdateCmdUI();
    ASSERT_TRUE(ButtonOf(bar, 57632)->isEnabled());
    // Snap shows its second image while it is off.
    const int snap = fx.doc.m_bAlignToGrid;
    const qint64 snapImage = ButtonOf(bar, 33073)->icon().cacheKey();
    frame->OnCommand(33073);
    frame->OnIdleUpdateCmdUI();
    EXPECT_NE(ButtonOf(bar, 33073)->icon().cacheKey(), snapImage);
    EXPECT_NE(fx.doc.m_bAlignToGrid, snap);
    EXPECT_EQ(ButtonOf(bar, 33073)->isChecked(), fx.doc.m_bAlignToGrid != 0);
    frame->OnCommand(33073);

    const int count = fx.doc.GetObjCount();
    QTest::mouseClick(ButtonOf(bar, 57632), Qt::LeftButton);
    EXPECT_EQ(fx.doc.GetObjCount(), count - 1);
    frame->OnIdleUpdateCmdUI();
    ASSERT_TRUE(ButtonOf(bar, 57643)->isEnabled());
    QTest::mouseClick(ButtonOf(bar, 57643), Qt::LeftButton); // Undo
    EXPECT_EQ(fx.doc.GetObjCount(), count);
    SaveShot("toolbar_standard_with_document", bar);
}

TEST_F(ToolBarTest, ViewMenuTogglesHideAndShowTheBarsAndTheirControls)
{
    CCustomToolBar* prop = frame->PropertyBar();
    ASSERT_NE(frame->GetBarControlForCmd(32775), nullptr);
    EXPECT_EQ(frame->GetBarControlForCmd(57600), nullptr);
    frame->Commands().Action(33087)->trigger(); // View > Property Bar
    EXPECT_EQ(ShowPropertyBar, 0);
    EXPECT_FALSE(prop->isVisible());
    // A hidden bar lends no control to the command handlers.
    EXPECT_EQ(frame->GetBarControlForCmd(32775), nullptr);
    frame->Commands().Action(32824)->trigger();
    EXPECT_TRUE(prop->isVisible());
    frame->Commands().Action(32826)->trigger();
    EXPECT_FALSE(frame->StdToolBar()->isVisible());
    EXPECT_EQ(frame->GetBarControlForCmd(32779), nullptr);
    frame->Commands().Action(32826)->trigger();
    EXPECT_TRUE(frame->StdToolBar()->isVisible());
    EXPECT_EQ(frame->FindToolBarWithCmd(36531), prop);
    EXPECT_EQ(frame->FindToolBarWithCmd(1), nullptr);
}

TEST_F(ToolBarTest, CollapsingTheStyleBarLendsItsPickersToTheBar)
{
    CCustomToolBar* prop = frame->PropertyBar();
    const QIcon before = ButtonOf(prop, 36561)->icon();
    const int ownItems = int(prop->findChildren<QAction*>(Qt::FindDirectChildrenOnly).size());
    frame->Commands().Action(36561)->trigger();
    ASSERT_EQ(CollapsedStyleBar, 1);
    const List& b = prop->Buttons().Buttons();
    EXPECT_EQ(List(b.begin(), b.begin() + 8), (List{36561, 0, 36567, 0, 36565, 0, 36566, 0}));
    for (unsigned picker : {36565u, 36566u, 36567u})
        EXPECT_EQ(WidgetCommand(prop->ControlForCmd(picker)), int(picker));
    EXPECT_EQ(prop->ControlForCmd(36566)->width(), 81);
    // The toggle shows its second image while the style bar is collapsed.
    EXPECT_NE(ButtonOf(prop, 36561)->icon().cacheKey(), before.cacheKey());
    SaveShot("toolbar_property_with_style_pickers", prop);
    frame->Commands().Action(36561)->trigger();
    EXPECT_EQ(prop->Buttons().Buttons(), List(DefaultPropertyButtons().begin(), DefaultPropertyButtons().end()));
    EXPECT_EQ(prop->ControlForCmd(36567), nullptr);
    // Rebuilds leave no stale separators or control holders behind.
    EXPECT_EQ(int(prop->findChildren<QAction*>(Qt::FindDirectChildrenOnly).size()), ownItems);
}

TEST_F(ToolBarTest, ListsComeBackFromTheSettingsAndDamagedListsAreRepaired)
{
    CCustomToolBar* bar = frame->StdToolBar();
    ASSERT_TRUE(bar->InsertButton(36531, 0));
    ASSERT_TRUE(bar->InsertButton(0, 1));
    const List edited = bar->Buttons().Buttons();
    frame->SaveToolBars();
    frame.reset();
    frame = std::make_unique<CMainFrame>();
    EXPECT_EQ(frame->StdToolBar()->Buttons().Buttons(), edited);
    EXPECT_EQ(WidgetCommand(frame->StdToolBar()->ItemWidget(0)), 36531);

    // A repeated command and a list cut short: the first of each, what is there.
    ASSERT_TRUE(AfxGetAppProfile().WriteProfileString("Options", "Toolbar_112", "9 36531 36531 0 36532"));
    // Nothing usable: the default list.
    ASSERT_TRUE(AfxGetAppProfile().WriteProfileString("Options", "Toolbar_59392", "0 57600"));
    frame.reset();
    frame = std::make_unique<CMainFrame>();
    EXPECT_EQ(frame->PropertyBar()->Buttons().Buttons(), (List{36531, 0, 36532}));
    EXPECT_EQ(frame->StdToolBar()->Buttons().Count(), 33);
}

TEST_F(ToolBarTest, FontSizeBoxAppliesFourToOneHundredTwentyEight)
{
    Open();
    auto* sizes = qobject_cast<CFontSizeCombo*>(frame->PropertyBar()->ControlForCmd(32776));
    ASSERT_NE(sizes, nullptr);
    sizes->setEnabled(true);
    QSignalSpy chosen(sizes, &CFontSizeCombo::fontSizeChosen);
    CRecordingPrompt prompt;
    struct Case {
        const char* typed;
        int applied;   // 0: refused with the warning
    };
    for (const Case& c : {Case{"12", 12}, Case{"4", 4}, Case{"128", 128}, Case{"129", 0}, Case{"3", 0},
                          Case{"abc", 0}}) {
        chosen.clear();
        prompt.shown.clear();
        sizes->lineEdit()->setText(c.typed);
        sizes->lineEdit()->setFocus();
        QTest::keyClick(sizes->lineEdit(), Qt::Key_Return);
        if (c.applied) {
            ASSERT_EQ(chosen.count(), 1) << c.typed;
            EXPECT_EQ(chosen.at(0).at(0).toInt(), c.applied);
            EXPECT_TRUE(prompt.shown.empty());
        } else {
            EXPECT_EQ(chosen.count(), 0) << c.typed;
            ASSERT_EQ(prompt.shown.size(), 1u) << c.typed;
            EXPECT_EQ(prompt.shown[0].text, "Enter a font size between 4 and 128");
        }
    }
    // A size chosen from the list is applied as it is, without the warning.
    chosen.clear();
    prompt.shown.clear();
    sizes->showPopup();
    QAbstractItemView* list = sizes->view();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(list->window()));
    list->setCurrentIndex(list->model()->index(sizes->findText("24"), 0));
    QTest::keyClick(list, Qt::Key_Return);
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.at(0).at(0).toInt(), 24);
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(ToolBarTest, ARightClickOnABoxBringsUpTheBarsMenu)
{
    Open();
    frame->OnIdleUpdateCmdUI();
    auto* sizes = qobject_cast<QComboBox*>(frame->PropertyBar()->ControlForCmd(32776));
    ASSERT_TRUE(sizes && sizes->lineEdit());
    QStringList entries;
    QTimer::singleShot(0, [&entries] {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            for (QAction* a : popup->actions())
                entries << (a->isSeparator() ? QString("-") : a->text());
            popup->close();
        }
    });
    const QPoint at(5, 5);
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, sizes->lineEdit()->mapToGlobal(at));
    QApplication::sendEvent(sizes->lineEdit(), &click);
    EXPECT_EQ(entries, (QStringList{"Standard &Toolbar", "&Property Bar", "&Style Bar", "-", "&Customize..."}));
}

// The bar's menu ticks each bar that is shown: the style bar while it is
// not collapsed, the toolbars while their settings show them.
TEST_F(ToolBarTest, TheBarsMenuTicksTheBarsThatAreShown)
{
    struct Case {
        int std, prop, collapsed;
    } cases[] = {{1, 1, 0}, {1, 1, 1}, {0, 1, 0}, {1, 0, 1}};
    for (const Case& c : cases) {
        ShowStdToolBar = c.std;
        ShowPropertyBar = 1;
        frame->SetStyleBarCollapsed(c.collapsed != 0);
        ShowPropertyBar = c.prop;
        std::vector<int> ticks;
        QTimer::singleShot(0, [&ticks] {
            if (QWidget* popup = QApplication::activePopupWidget()) {
                for (QAction* a : popup->actions())
                    if (!a->isSeparator())
                        ticks.push_back(a->isChecked() ? 1 : 0);
                popup->close();
            }
        });
        CCustomToolBar* bar = frame->PropertyBar();
        const QPoint at(3, 3);
        QContextMenuEvent click(QContextMenuEvent::Mouse, at, bar->mapToGlobal(at));
        QApplication::sendEvent(bar, &click);
        EXPECT_EQ(ticks, (std::vector<int>{c.std, c.prop, c.collapsed ? 0 : 1, 0}))
            << c.std << c.prop << c.collapsed;
    }
}

// The three boxes have a font of their own: 14 pixels, normal weight,
// variable pitch, in their edit parts as well.
TEST_F(ToolBarTest, TheBoxesHaveTheirOwnFont)
{
    for (unsigned command : {32775u, 32776u, 32779u}) {
        auto* box = qobject_cast<QComboBox*>(frame->GetBarControlForCmd(int(command)));
        ASSERT_NE(box, nullptr) << command;
        for (QWidget* w : {static_cast<QWidget*>(box), static_cast<QWidget*>(box->lineEdit())}) {
            if (!w)
                continue;
            EXPECT_EQ(w->font().family(), "MS Sans Serif") << command;
            EXPECT_EQ(w->font().pixelSize(), 14) << command;
            EXPECT_EQ(w->font().weight(), QFont::Normal) << command;
            EXPECT_FALSE(w->font().fixedPitch()) << command;
        }
    }
}

TEST_F(ToolBarTest, ZoomTypedInTheBarZoomsTheView)
{
    Open();
    frame->OnIdleUpdateCmdUI();
    auto* zoom = qobject_cast<CZoomCombo*>(frame->StdToolBar()->ControlForCmd(32779));
    ASSERT_TRUE(zoom && zoom->isEnabled());
    zoom->lineEdit()->setFocus();
    zoom->lineEdit()->selectAll();
    QTest::keyClicks(zoom->lineEdit(), "150");
    QTest::keyClick(zoom->lineEdit(), Qt::Key_Return);
    EXPECT_NEAR(view->GetZoom(), 150.0, 0.5);
    EXPECT_EQ(zoom->currentText(), "150%");
}

// After a zoom chosen from the box's list or typed and entered, the keys
// go to the diagram again: what is typed next is not added to the box.
TEST_F(ToolBarTest, TheFocusGoesBackToTheViewAfterAZoom)
{
    Open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    frame->OnIdleUpdateCmdUI();
    auto* zoom = qobject_cast<CZoomCombo*>(frame->StdToolBar()->ControlForCmd(32779));
    ASSERT_TRUE(zoom && zoom->isEnabled());
    const auto inView = [&] {
        QWidget* focus = QApplication::focusWidget();
        return focus && (focus == view || view->isAncestorOf(focus));
    };
    // Chosen from the list with the mouse on the arrow and the keys.
    QTest::mouseClick(zoom, Qt::LeftButton, {}, QPoint(zoom->width() - 5, zoom->height() / 2));
    QAbstractItemView* list = zoom->view();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(list->window()));
    list->setCurrentIndex(list->model()->index(zoom->findText("200%"), 0));
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_NEAR(view->GetZoom(), 200.0, 0.5);
    EXPECT_TRUE(QTest::qWaitFor(inView, 1000));
    QTest::keyClicks(QApplication::focusWidget(), "no");
    EXPECT_EQ(zoom->currentText(), "200%");
    // Typed and entered.
    QTest::mouseClick(zoom->lineEdit(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return zoom->lineEdit()->hasFocus(); }, 1000));
    zoom->lineEdit()->selectAll();
    QTest::keyClicks(zoom->lineEdit(), "150");
    QTest::keyClick(zoom->lineEdit(), Qt::Key_Return);
    EXPECT_NEAR(view->GetZoom(), 150.0, 0.5);
    EXPECT_TRUE(QTest::qWaitFor(inView, 1000));
    QTest::keyClicks(QApplication::focusWidget(), "no");
    EXPECT_EQ(zoom->currentText(), "150%");
}

// The zoom box shows each of its entries and the largest zoom whole in its
// own font: the start of the text is not scrolled out of sight.
TEST_F(ToolBarTest, ZoomBoxShowsEveryPercentWhole)
{
    Open();
    frame->OnIdleUpdateCmdUI();
    auto* zoom = qobject_cast<CZoomCombo*>(frame->StdToolBar()->ControlForCmd(32779));
    ASSERT_NE(zoom, nullptr);
    QApplication::processEvents();
    QLineEdit* edit = zoom->lineEdit();
    QStringList texts = {"100%", "1000%"};
    for (int i = 0; i < zoom->count(); ++i)
        texts << zoom->itemText(i);
    for (const QString& text : texts) {
        zoom->setEditText(text);
        edit->setCursorPosition(int(text.size()));
        const int end = edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
        edit->setCursorPosition(0);
        const int start = edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
        EXPECT_GE(end - start, edit->fontMetrics().horizontalAdvance(text) - 1) << text.toStdString() << " is cut";
        EXPECT_LE(end, edit->width()) << text.toStdString();
    }
    view->ZoomToPercent(100.0f);
    frame->OnIdleUpdateCmdUI();
    EXPECT_EQ(zoom->currentText(), "100%");
    SaveShot("toolbar_zoom_box", frame->StdToolBar());
}

TEST_F(ToolBarTest, DropTargetsAndTheirInsertionMarks)
{
    // The mark inverts: a bar down the left side with crossbars 3 pixels
    // beyond it, and a second drawing restores the picture.
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::white);
    const QImage blank = image;
    {
        QPainter p(&image);
        DrawInsertionBeam(p, QRect(10, 5, 2, 20));
    }
    const QRgb white = QColor(Qt::white).rgb();
    struct Pixel {
        int x, y;
        bool inverted;
    };
    for (const Pixel& px : {Pixel{10, 15, true}, Pixel{11, 15, true}, Pixel{12, 15, false}, Pixel{9, 15, false},
                            Pixel{10, 5, true}, Pixel{7, 5, true}, Pixel{14, 5, true}, Pixel{6, 5, false},
                            Pixel{15, 5, false}, Pixel{7, 24, true}, Pixel{14, 24, true}, Pixel{10, 25, false},
                            Pixel{10, 4, false}})
        EXPECT_EQ(image.pixel(px.x, px.y) != white, px.inverted) << px.x << "," << px.y;
    {
        QPainter p(&image);
        DrawInsertionBeam(p, QRect(10, 5, 2, 20));
    }
    EXPECT_EQ(image, blank);

    Open();
    CCustomToolBar* bar = frame->PropertyBar();
    QApplication::processEvents();
    // Over a bar: that bar and the boundary nearest to the point.
    CCustomToolBar* target = nullptr;
    int index = 0;
    const QPoint nearThird = bar->mapToGlobal(QPoint(bar->BoundaryX(3) + 2, bar->height() / 2));
    ASSERT_TRUE(frame->FindDropTarget(nearThird, target, index));
    EXPECT_EQ(target, bar);
    EXPECT_EQ(index, 3);
    const int dropAt = index;
    const QPoint offBars = frame->mapToGlobal(QPoint(frame->width() / 2, frame->height() - 5));
    EXPECT_FALSE(frame->FindDropTarget(offBars, target, index));
    EXPECT_EQ(target, nullptr);
    EXPECT_EQ(index, -1);

    // The bar's mark stands at the boundary, from its top to 2 pixels above
    // its bottom; drawn again it is gone.
    const QImage before = bar->grab().toImage();
    bar->DrawDropBeam(dropAt);
    QApplication::processEvents();
    const QImage marked = bar->grab().toImage();
    SaveShot("toolbar_property_drop_mark", bar);
    const int x = bar->BoundaryX(dropAt);
    const int ratio = int(marked.devicePixelRatio());
    EXPECT_NE(marked.pixel(x * ratio, bar->height() / 2 * ratio), before.pixel(x * ratio, bar->height() / 2 * ratio));
    EXPECT_EQ(marked.pixel(x * ratio, (bar->height() - 1) * ratio), before.pixel(x * ratio, (bar->height() - 1) * ratio));
    bar->DrawDropBeam(dropAt);
    QApplication::processEvents();
    EXPECT_EQ(bar->grab().toImage(), before);
}

TEST_F(ToolBarTest, FontSizeTypedInTheBarChangesTheSelectionAndUndoes)
{
    Open();
    CFigure* box = fx.AddBox(100, 100, 300, 200, "A");
    fx.doc.Select(box);
    const LONG before = box->GetFont().lfHeight;
    frame->OnIdleUpdateCmdUI();
    auto* sizes = qobject_cast<CFontSizeCombo*>(frame->PropertyBar()->ControlForCmd(32776));
    ASSERT_TRUE(sizes && sizes->isEnabled());
    sizes->lineEdit()->setText("20");
    QTest::keyClick(sizes->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(box->GetFont().lfHeight, -20);
    std::string undo;
    ASSERT_TRUE(fx.doc.GetUndoMenuState(undo));
    frame->OnCommand(57643);
    EXPECT_EQ(box->GetFont().lfHeight, before);
}
