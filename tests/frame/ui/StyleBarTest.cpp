// The style bar offscreen in a real main frame: its rows for the sample
// diagram and for a diagram of many styles at three sizes, a click on a
// style button (the style to create with; with a selection, the selection
// restyled in one undo step), the Ctrl-drag that swaps two styles, the
// commands its controls send and the style marked from elsewhere.
#include "common/DiagramFixture.h"
#include "common/TestSupport.h"
#include "controls/CStyleButtons.h"
#include "controls/StyleChoiceSeams.h"
#include "controls/StylePickCategories.h"
#include "core/Settings.h"
#include "core/UIMode.h"
#include "document/CStyleMenuLayout.h"
#include "editing/ui/CKavoView.h"
#include "fileformat/DiagramRecordWriter.h"
#include "frame/ui/CMainFrame.h"
#include "frame/ui/CStyleBar.h"
#include "frame/ui/CStyleBarSlotButton.h"
#include "keyword/KeywordStreams.h"
#include "platform/ui/DlgItems.h"
#include "render/ImageTestSupport.h"
#include "shapes/CConStyle.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include <string>

namespace {

std::string DocText(CKavoDoc& doc)
{
    CStringKeywordSink sink;
    CKeywordWriter w(sink);
    EXPECT_TRUE(WriteDiagramText(w, doc, {}));
    return sink.text;
}

void SaveShot(const QString& name, QWidget* widget)
{
    const QString folder = qEnvironmentVariable("KAVO_SHOTS");
    if (folder.isEmpty())
        return;
    QApplication::processEvents();
    widget->grab().save(QDir(folder).filePath(name + ".png"));
}

// Adds styles named prefix1, prefix2 ... with their buttons on.
void AddFigStyles(DiagramFixture& fx, const std::string& prefix, int count, int label)
{
    for (int i = 1; i <= count; ++i) {
        CFigProps props;
        props.Symbol = fx.boxSymbol;
        props.m_fill.m_nKind = 1;
        props.m_fill.m_crColor1 = RGB(40 * (i % 6), 200 - 12 * (i % 10), 255 - 20 * (i % 8));
        props.BorderWidth = 1 + i % 3;
        fx.doc.m_figStyles.AddFigStyle(&props, prefix + std::to_string(i), 1, 1, label, "", "", 100, 50, "", "",
                                       nullptr, 0, "");
    }
}

void AddConStyles(DiagramFixture& fx, int count)
{
    for (int i = 1; i <= count; ++i) {
        CConProps props;
        props.LineWidth = 1 + i % 4;
        props.Color = RGB(30 * (i % 8), 0, 255 - 30 * (i % 8));
        fx.doc.m_conStyles.AddConStyle(&props, "Link" + std::to_string(i), 1, 1, "", "", 0, "", 0, 0, 0, 0);
    }
}

struct StyleBarTest : testing::Test {
    void SetUp() override
    {
        g_nUIMode = 0;
        CollapsedStyleBar = 0;
        ShowStyleBarCombos = 1;
        AutoStyleButtons = 0;
    }
    void TearDown() override { g_nUIMode = 0; }

    // The frame with a view of the fixture's document; the style bar
    // follows it.
    void Open(int barHeight = 600)
    {
        frame.resize(1000, barHeight + 120);
        view = new CKavoView(&fx.doc);
        frame.AddViewFrame(view, "d");
        frame.show();
        QApplication::processEvents();
        bar = frame.StyleBar();
        ASSERT_NE(bar, nullptr);
        ASSERT_EQ(bar->Document(), &fx.doc);
    }
    void UseManyStyles(int figures, int labels, int connectors)
    {
        fx.doc.m_figStyles.RemoveAll();
        fx.doc.m_conStyles.RemoveAll();
        AddFigStyles(fx, "Shape", figures, 0);
        AddFigStyles(fx, "Note", labels, 1);
        AddConStyles(fx, connectors);
        fx.doc.ResetStyleLayouts();
        fx.doc.InitStyleMenus();
    }
    CStyleBarSlotButton* Btn(StyleBarRowKind kind, int i) { return bar->Row(kind).Button(i); }
    void Click(QWidget* w, Qt::KeyboardModifiers mods = {})
    {
        QTest::mouseClick(w, Qt::LeftButton, mods, QPoint(w->width() / 2, w->height() / 2));
        QApplication::processEvents();
    }

    DiagramFixture fx;
    CMainFrame frame;
    CKavoView* view = nullptr;
    CKavoStyleBar* bar = nullptr;
};

// What every built row must satisfy at any bar size.
void CheckRowGeometry(CKavoStyleBar& bar, StyleBarRowKind kind)
{
    CStyleButtonRow& row = bar.Row(kind);
    const CStyleMenuLayout& layout = row.Layout();
    const int gridWidth = bar.width() - (row.Scrolls() ? 11 : 1);
    EXPECT_EQ(row.Scrolls(), row.Visible() < layout.m_nCount);
    EXPECT_EQ(row.ButtonsCreated(), row.Visible());
    for (int i = 0; i < row.ButtonsCreated(); ++i) {
        const CStyleBarSlotButton* b = row.Button(i);
        EXPECT_EQ(GetDlgCtrlID(b), row.Spec().firstButtonId + i);
        const int entry = row.Offset() + i;
        EXPECT_EQ(b->StyleIndex(), entry < layout.m_nCount ? layout.m_index[entry] : -1);
        const int col = i % layout.Columns;
        EXPECT_EQ(b->x(), col * (gridWidth / layout.Columns)) << i;
        if (col == layout.Columns - 1) {
            EXPECT_EQ(b->geometry().right() + 1, gridWidth) << i;
        }
        EXPECT_EQ(b->height(), layout.BtnHeight);
        EXPECT_LE(b->geometry().bottom() + 1, bar.height() - 36);
    }
    QWidget* scroll = GetDlgItem(&bar, row.Spec().scrollId);
    EXPECT_EQ(scroll != nullptr && scroll->isVisibleTo(&bar), row.Scrolls() && row.GridLines() > 0);
    if (row.Scrolls() && scroll) {
        EXPECT_EQ(scroll->x(), bar.width() - 11);
        EXPECT_EQ(scroll->width(), 10);
        auto* sb = static_cast<QScrollBar*>(scroll);
        EXPECT_EQ(sb->maximum(), row.MaxOffset() / layout.Columns);
        EXPECT_EQ(sb->pageStep(), 1);
    }
}

} // namespace

TEST_F(StyleBarTest, SampleDiagramShowsItsThreeRowsOfStyles)
{
    CRecordingPrompt prompt;
    ASSERT_TRUE(fx.doc.OpenDocumentUnlocked(
        QStringLiteral(KAVO_RESOURCE_DIR "/Samples/InitialSample.kvd").toStdString(), false));
    Open();
    for (StyleBarRowKind kind : {kLabelRow, kFigureRow, kConnectorRow}) {
        CStyleButtonRow& row = bar->Row(kind);
        EXPECT_GT(row.ButtonsCreated(), 0) << kind;
        EXPECT_NE(GetDlgItem(bar, row.Spec().pickerId), nullptr);
        auto* combo = qobject_cast<QComboBox*>(GetDlgItem(bar, row.Spec().comboId));
        ASSERT_NE(combo, nullptr);
        EXPECT_EQ(combo->count(), int(row.StylesOfKind(fx.doc).size()));
        EXPECT_EQ(combo->currentIndex(), -1);
        CheckRowGeometry(*bar, kind);
    }
    // The rows stack: picker, combo, grid, each right below the last.
    EXPECT_EQ(GetDlgItem(bar, 2119)->y(), 0);
    EXPECT_EQ(GetDlgItem(bar, 2126)->y(), 23);
    EXPECT_EQ(Btn(kLabelRow, 0)->y(), 46);
    EXPECT_EQ(bar->FreeAreaTop(), GetDlgItem(bar, 2120)->y() + 46 + bar->Row(kConnectorRow).GridLines() *
                                                                          bar->Row(kConnectorRow).Layout().BtnHeight);
    SaveShot("stylebar-sample", bar);
}

// The sample diagram's "Flow" (solid grey) and "Data Flow" (dashed blue)
// on their style-bar buttons and in the row picker's palette, opened with
// the mouse: each shows its line along the button with its pattern and its
// arrow, never a speck, so the two are told apart.
TEST_F(StyleBarTest, ConnectorButtonsAndPaletteShowEachStylesLineAndEnds)
{
    CRecordingPrompt prompt;
    ASSERT_TRUE(fx.doc.OpenDocumentUnlocked(
        QStringLiteral(KAVO_RESOURCE_DIR "/Samples/InitialSample.kvd").toStdString(), false));
    Open();
    const auto check = [](const QImage& img, const QRect& r, bool dashed, const std::string& what) {
        const ConSampleInk m = MeasureConSample(img, r, img.pixel(r.left(), r.top()));
        EXPECT_GE(m.span, r.width() * 2 / 3) << what;
        EXPECT_GE(m.tallest, 5) << what;
        if (dashed)
            EXPECT_GE(m.gaps, 2) << what;
        else
            EXPECT_EQ(m.gaps, 0) << what;
    };
    const auto nameOf = [&](int style) { return fx.doc.m_conStyles.GetAt(style)->m_strName; };
    for (int i = 0; i < 2; ++i) {
        CStyleBarSlotButton* button = Btn(kConnectorRow, i);
        const std::string name = nameOf(button->StyleIndex());
        ASSERT_EQ(name, i ? "Data Flow" : "Flow");
        const QImage img = button->grab().toImage().convertToFormat(QImage::Format_RGB32);
        check(img, img.rect().adjusted(2, 2, -2, -2), i == 1, "button " + name);
    }
    SaveShot("stylebar-connectors", bar);
    CStylePickerButton* picker = bar->Row(kConnectorRow).Picker();
    QTest::mousePress(picker, Qt::LeftButton, {}, QPoint(5, 5));
    if (QMenu* menu = picker->TopMenu()) {
        ASSERT_TRUE(menu->isVisible());
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(menu->actions().front()).center());
    }
    CPalettePopup* palette = picker->CategoryPopup(0);
    ASSERT_TRUE(palette && palette->isVisible());
    const QImage cells = palette->grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (int k = 0; k < 2; ++k) {
        const UINT cmd = CategoryCommand(0, k);
        const std::string name = nameOf(picker->ValueOfCommand(cmd));
        check(cells, palette->ItemRect(cmd).adjusted(1, 1, -1, -1), name == "Data Flow", "palette " + name);
    }
    SaveShot("stylebar-connector-palette", palette);
    QTest::keyClick(palette, Qt::Key_Escape);
}

TEST_F(StyleBarTest, ManyStylesWrapIntoTheirColumnsAtThreeSizes)
{
    UseManyStyles(60, 12, 25);
    fx.doc.m_conButtons.Columns = 3;
    Open();
    // The bar alone at a size of our choosing, on the frame's document.
    CKavoStyleBar standalone;
    standalone.activeDoc = [this] { return &fx.doc; };
    const struct {
        int width, height;
        bool figuresScroll;
    } sizes[] = {{128, 436, true}, {200, 760, true}, {96, 2400, false}};
    for (const auto& s : sizes) {
        fx.doc.m_nSBarWidth = s.width;
        standalone.resize(s.width, s.height);
        standalone.Rebuild(true, false);
        QApplication::processEvents();
        EXPECT_EQ(standalone.width(), s.width);
        EXPECT_EQ(standalone.Row(kFigureRow).Scrolls(), s.figuresScroll) << s.height;
        for (StyleBarRowKind kind : {kLabelRow, kFigureRow, kConnectorRow})
            CheckRowGeometry(standalone, kind);
        // The picture shows only below the rows, at 116 pixels or more.
        const QWidget* picture = standalone.Picture();
        EXPECT_EQ(picture->isVisibleTo(&standalone),
                  picture->y() >= standalone.FreeAreaTop() && s.width >= 116) << s.width;
        SaveShot(QString("stylebar-many-%1x%2").arg(s.width).arg(s.height), &standalone);
    }
    // The example layout: 436 pixels give 2 label, 8 figure, 6 connector
    // buttons when there are 10, 40 and 6 styles.
    UseManyStyles(40, 10, 6);
    fx.doc.m_nSBarWidth = 128;
    standalone.resize(128, 436);
    standalone.Rebuild(true, false);
    EXPECT_EQ(standalone.Row(kLabelRow).ButtonsCreated(), 2);
    EXPECT_EQ(standalone.Row(kFigureRow).ButtonsCreated(), 8);
    EXPECT_EQ(standalone.Row(kConnectorRow).ButtonsCreated(), 6);
}

TEST_F(StyleBarTest, ClickChoosesTheStyleToCreateWithAndChangesNoObject)
{
    UseManyStyles(6, 3, 4);
    Open();
    const std::string saved = DocText(fx.doc);
    CStyleBarSlotButton* fig = Btn(kFigureRow, 3);
    Click(fig);
    EXPECT_EQ(g_nUIMode, 2);
    EXPECT_EQ(fx.doc.m_nCurFigStyle, fig->StyleIndex());
    EXPECT_TRUE(fig->IsPressed());
    auto* figCombo = static_cast<QComboBox*>(GetDlgItem(bar, 2124));
    EXPECT_EQ(figCombo->currentText(), "Shape4");
    // A connector style next: its row takes the mark, the figure row lets go.
    CStyleBarSlotButton* con = Btn(kConnectorRow, 1);
    Click(con);
    EXPECT_EQ(g_nUIMode, 4);
    EXPECT_EQ(fx.doc.m_nCurConStyle, con->StyleIndex());
    EXPECT_TRUE(con->IsPressed());
    EXPECT_FALSE(fig->IsPressed());
    EXPECT_EQ(figCombo->currentIndex(), -1);
    Click(Btn(kLabelRow, 2));
    EXPECT_EQ(g_nUIMode, 3);
    EXPECT_EQ(fx.doc.m_nCurLblStyle, Btn(kLabelRow, 2)->StyleIndex());
    EXPECT_EQ(DocText(fx.doc), saved);
    SaveShot("stylebar-clicked", bar);
}

TEST_F(StyleBarTest, ClickWithASelectionRestylesItInOneUndoStep)
{
    UseManyStyles(6, 3, 4);
    CFigure* a = fx.AddBox(600, 600, 600, 450, "A");
    CFigure* b = fx.AddBox(2400, 600, 600, 450, "B");
    CConnector* con = fx.Connect(a, b);
    fx.doc.ResetUndoLog();
    Open();
    const struct {
        StyleBarRowKind kind;
        int button;
        CDiagObj* obj;
    } cases[] = {{kFigureRow, 2, a}, {kConnectorRow, 3, con}};
    for (const auto& c : cases) {
        fx.doc.ClearSelection();
        if (c.obj == a)
            fx.doc.AddFigToSel(a, 1, false);
        else
            fx.doc.AddConToSel(con, 1, false);
        const std::string saved = DocText(fx.doc);
        CStyleBarSlotButton* button = Btn(c.kind, c.button);
        Click(button);
        const int style = c.obj == a ? a->m_nStyle : con->m_nStyle;
        EXPECT_EQ(style, button->StyleIndex()) << c.kind;
        const std::string styled = DocText(fx.doc);
        EXPECT_NE(styled, saved);
        frame.OnCommand(57643);
        EXPECT_EQ(DocText(fx.doc), saved) << c.kind;
    }
    EXPECT_EQ(a->m_props.m_fill.m_crColor1, COLORREF(0xFFFFFF));
}

TEST_F(StyleBarTest, CtrlDragSwapsTwoStylesOfARowOnly)
{
    UseManyStyles(6, 3, 4);
    Open();
    CStyleBarSlotButton* from = Btn(kFigureRow, 0);
    const int s0 = from->StyleIndex(), s2 = Btn(kFigureRow, 2)->StyleIndex();
    const auto dragTo = [&](QWidget* target, Qt::KeyboardModifiers mods) {
        QWidget* source = Btn(kFigureRow, 0);
        const QPoint over = source->mapFromGlobal(target->mapToGlobal(QPoint(4, 4)));
        QTest::mousePress(source, Qt::LeftButton, mods, QPoint(4, 4));
        QTest::mouseRelease(source, Qt::LeftButton, mods, over);
        QApplication::processEvents();
    };
    // The style to create with first; then without Ctrl, over another
    // row, or over itself: nothing more.
    Click(from);
    EXPECT_EQ(fx.doc.m_nCurFigStyle, s0);
    dragTo(Btn(kFigureRow, 2), {});
    dragTo(Btn(kConnectorRow, 0), Qt::ControlModifier);
    dragTo(Btn(kFigureRow, 0), Qt::ControlModifier);
    EXPECT_EQ(fx.doc.m_figButtons.m_index[0], s0);
    EXPECT_FALSE(fx.doc.IsModified());
    EXPECT_EQ(g_nUIMode, 2);
    dragTo(Btn(kFigureRow, 2), Qt::ControlModifier);
    EXPECT_EQ(fx.doc.m_figButtons.m_index[0], s2);
    EXPECT_EQ(fx.doc.m_figButtons.m_index[2], s0);
    EXPECT_TRUE(fx.doc.IsModified());
    EXPECT_EQ(g_nUIMode, 2);
    EXPECT_EQ(fx.doc.m_nCurFigStyle, s0);
    // The rebuilt row shows the new order with the dragged style marked.
    EXPECT_EQ(Btn(kFigureRow, 0)->StyleIndex(), s2);
    EXPECT_EQ(Btn(kFigureRow, 2)->StyleIndex(), s0);
    EXPECT_TRUE(Btn(kFigureRow, 2)->IsPressed());
    SaveShot("stylebar-swapped", bar);
}

TEST_F(StyleBarTest, ControlsCommandsBecomeStyleCommands)
{
    UseManyStyles(6, 3, 4);
    Open();
    auto* combo = static_cast<QComboBox*>(GetDlgItem(bar, 2125));
    combo->setCurrentIndex(combo->findText("Link3"));
    const int link3 = fx.doc.m_conStyles.FindByName("Link3");
    const struct {
        DWORD in, out;
    } cases[] = {
        {MAKELONG(3500 + 1, 0), MAKELONG(WORD(36600 + Btn(kFigureRow, 1)->StyleIndex()), 0)},
        {MAKELONG(3000, 0), MAKELONG(WORD(37600 + Btn(kLabelRow, 0)->StyleIndex()), 0)},
        {MAKELONG(4000 + 2, 0), MAKELONG(WORD(37100 + Btn(kConnectorRow, 2)->StyleIndex()), 0)},
        // Past the buttons made: unchanged.
        {MAKELONG(3500 + 90, 0), MAKELONG(3500 + 90, 0)},
        // A combo with a selection, whatever its notification.
        {MAKELONG(2125, 5), MAKELONG(WORD(37100 + link3), 0)},
        // Without a selection, and a picker with nothing chosen: unchanged.
        {MAKELONG(2124, 1), MAKELONG(2124, 1)},
        {MAKELONG(2116, 0), MAKELONG(2116, 0)},
        {MAKELONG(1234, 0), MAKELONG(1234, 0)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(bar->RewriteCommand(c.in), c.out) << LOWORD(c.in);
    // Choosing in a combo box picks the style to draw with.
    emit combo->activated(combo->currentIndex());
    EXPECT_EQ(g_nUIMode, 4);
    EXPECT_EQ(fx.doc.m_nCurConStyle, link3);
}

// Each row's "More Styles" picker drops the row's styles; the cell under
// the pointer shows in the row's combo box, and a click on it makes it the
// style to create with, as a button of the row does.
TEST_F(StyleBarTest, RowPickerChoosesTheStyleToCreateWith)
{
    UseManyStyles(6, 3, 4);
    CFigure* a = fx.AddBox(600, 600, 600, 450, "A");
    fx.doc.ResetUndoLog();
    Open();
    const struct {
        StyleBarRowKind kind;
        int pickerId, comboId, cell, mode;
    } cases[] = {{kLabelRow, 2119, 2126, 1, 3}, {kFigureRow, 2116, 2124, 4, 2}, {kConnectorRow, 2120, 2125, 2, 4}};
    for (const auto& c : cases) {
        CStylePickerButton* picker = bar->Row(c.kind).Picker();
        ASSERT_NE(picker, nullptr) << c.kind;
        EXPECT_EQ(GetDlgItem(bar, c.pickerId), picker);
        EXPECT_EQ(picker->GetDocument(), &fx.doc);
        EXPECT_EQ(picker->geometry(), QRect(0, picker->y(), bar->width(), 23));
        const std::string saved = DocText(fx.doc);
        const auto combo = static_cast<QComboBox*>(GetDlgItem(bar, c.comboId));
        const int comboBefore = combo->currentIndex();
        QTest::mousePress(picker, Qt::LeftButton, {}, QPoint(5, 5));
        int category = 0;
        if (QMenu* menu = picker->TopMenu()) {
            ASSERT_TRUE(menu->isVisible());
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(menu->actions().front()).center());
        }
        CPalettePopup* palette = picker->CategoryPopup(category);
        ASSERT_TRUE(palette && palette->isVisible()) << c.kind;
        const UINT cmd = CategoryCommand(category, c.cell);
        const int style = picker->ValueOfCommand(cmd);
        ASSERT_GE(style, 0);
        const QPoint at = palette->ItemRect(cmd).center();
        QTest::mouseMove(palette, at);
        EXPECT_EQ(combo->currentData().toInt(), style) << c.kind;
        QTest::mouseMove(palette, QPoint(-20, -20));
        EXPECT_EQ(combo->currentIndex(), comboBefore) << c.kind;
        QTest::mouseMove(palette, at);
        if (c.kind == kFigureRow)
            SaveShot("stylebar-picker-palette", palette);
        QTest::mouseClick(palette, Qt::LeftButton, {}, at);
        QApplication::processEvents();
        EXPECT_FALSE(palette->isVisible());
        EXPECT_EQ(g_nUIMode, c.mode) << c.kind;
        const int current = c.kind == kLabelRow    ? fx.doc.m_nCurLblStyle
                            : c.kind == kFigureRow ? fx.doc.m_nCurFigStyle
                                                   : fx.doc.m_nCurConStyle;
        EXPECT_EQ(current, style) << c.kind;
        EXPECT_EQ(bar->Row(c.kind).Picker()->GetCurSel(), style);
        EXPECT_EQ(bar->Row(c.kind).PressedStyle(), style);
        EXPECT_EQ(DocText(fx.doc), saved) << c.kind;
    }
    // Only a choice (notification 0) of a picker holding a style names it.
    const int chosen = bar->Row(kConnectorRow).PickerSelection();
    EXPECT_EQ(bar->RewriteCommand(MAKELONG(2120, 0)), MAKELONG(WORD(37100 + chosen), 0));
    EXPECT_EQ(bar->RewriteCommand(MAKELONG(2120, 2)), MAKELONG(2120, 2));
    // With a figure selected the chosen figure style restyles it, in one
    // undo step.
    fx.doc.AddFigToSel(a, 1, false);
    const std::string saved = DocText(fx.doc);
    CStylePickerButton* picker = bar->Row(kFigureRow).Picker();
    QTest::mousePress(picker, Qt::LeftButton, {}, QPoint(5, 5));
    if (QMenu* menu = picker->TopMenu())
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(menu->actions().front()).center());
    CPalettePopup* palette = picker->CategoryPopup(0);
    ASSERT_TRUE(palette && palette->isVisible());
    const QPoint at = palette->ItemRect(CategoryCommand(0, 2)).center();
    QTest::mouseMove(palette, at);
    QTest::mouseClick(palette, Qt::LeftButton, {}, at);
    QApplication::processEvents();
    EXPECT_EQ(a->m_nStyle, picker->ValueOfCommand(CategoryCommand(0, 2)));
    EXPECT_NE(DocText(fx.doc), saved);
    frame.OnCommand(57643);
    EXPECT_EQ(DocText(fx.doc), saved);
    SaveShot("stylebar-pickers", bar);
}

// The choose-style dialog that takes a style off the bar asks for the bar
// to be rebuilt; the row then shows the document's layout.
TEST_F(StyleBarTest, ChooseStyleDialogThatChangesTheBarRebuildsIt)
{
    UseManyStyles(6, 3, 4);
    Open();
    const int before = bar->Row(kFigureRow).ButtonsCreated();
    ASSERT_GT(before, 1);
    auto& seams = GetStyleChoiceSeams();
    const auto saved = seams.runDialog;
    seams.runDialog = [this](StyleChoiceRequest& request) {
        fx.doc.m_figButtons.RemoveAt(0);   // the style's on-bar check cleared
        request.rebuildBar = true;
        return true;
    };
    StyleChoiceRequest request;
    request.doc = &fx.doc;
    request.selected = 1;
    int current = -1;
    const bool chosen = ChooseStyleForPicker(request, current);
    seams.runDialog = saved;
    ASSERT_TRUE(chosen);
    EXPECT_EQ(bar->Row(kFigureRow).Layout().m_nCount, fx.doc.m_figButtons.m_nCount);
    EXPECT_EQ(bar->Row(kFigureRow).ButtonsCreated(), before - 1);
}

TEST_F(StyleBarTest, ComboBoxDropsDownToAtMostThirteenNames)
{
    const struct {
        int styles, dropHeight;
    } cases[] = {{5, 23 + 14 * 6}, {12, 23 + 14 * 13}, {20, 23 + 14 * 13}};
    for (const auto& c : cases) {
        UseManyStyles(c.styles, 1, 1);
        if (!bar)
            Open();
        else
            bar->Rebuild(true, false);
        EXPECT_EQ(bar->Row(kFigureRow).ComboDropHeight(), c.dropHeight) << c.styles;
        EXPECT_EQ(bar->Row(kFigureRow).Combo()->count(), c.styles);
    }
}

TEST_F(StyleBarTest, StyleChosenElsewhereScrollsIntoTheLastLineAndIsMarked)
{
    UseManyStyles(60, 3, 4);
    Open(436);
    CStyleButtonRow& row = bar->Row(kFigureRow);
    ASSERT_TRUE(row.Scrolls());
    const int lines = row.GridLines();
    const int target = fx.doc.m_figButtons.m_index[41];
    frame.OnCommand(36600 + target);
    EXPECT_EQ(row.Offset(), 40 - (lines - 1) * 2);
    const int button = row.FindButton(target);
    ASSERT_GE(button, 0);
    EXPECT_EQ(button / 2, lines - 1);
    EXPECT_TRUE(row.Button(button)->IsPressed());
    EXPECT_EQ(row.Combo()->currentText(), "Shape42");
    EXPECT_EQ(static_cast<QScrollBar*>(row.ScrollBar())->value(), row.Offset() / 2);
    // Scrolling keeps the mark with its style; select mode clears it.
    const int shownAt = row.Offset();
    row.ScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(row.Offset(), 0);
    EXPECT_EQ(row.PressedStyle(), -1);
    row.ScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(row.Offset(), row.MaxOffset());
    row.ScrollBar()->setSliderPosition(shownAt / 2);
    EXPECT_EQ(row.Offset(), shownAt);
    EXPECT_EQ(row.PressedStyle(), target);
    frame.OnCommand(36500);
    EXPECT_EQ(row.PressedStyle(), -1);
    EXPECT_EQ(row.Combo()->currentIndex(), -1);
}

TEST_F(StyleBarTest, RebuildKeepsARowAtItsEndAndExpandingRestoresTheDocumentsWidth)
{
    UseManyStyles(50, 3, 4);
    Open(436);
    CStyleButtonRow& row = bar->Row(kFigureRow);
    row.Scroll(kScrollBottom, 0, -1);
    const int oldEnd = row.MaxOffset();
    AddFigStyles(fx, "More", 6, 0);
    int changed = 0;
    fx.doc.UpdateStyleMenusAndButtons(&changed);
    bar->Rebuild(false, true);
    EXPECT_GT(row.MaxOffset(), oldEnd);
    EXPECT_EQ(row.Offset(), row.MaxOffset());
    bar->Rebuild(true, false);
    EXPECT_EQ(row.Offset(), 0);
    // Collapse and expand: back at the document's width, not the default.
    fx.doc.m_nSBarWidth = 150;
    frame.OnCommand(32825);
    EXPECT_TRUE(CollapsedStyleBar);
    EXPECT_EQ(bar->BarWidth(), 0);
    EXPECT_EQ(row.ButtonsCreated(), 0);
    EXPECT_EQ(bar->Rebuild(true, false), 1);
    EXPECT_EQ(row.ButtonsCreated(), 0);
    frame.OnCommand(36561);
    EXPECT_FALSE(CollapsedStyleBar);
    EXPECT_EQ(bar->BarWidth(), 150);
    EXPECT_GT(row.ButtonsCreated(), 0);
}

// An odd number of styles in two columns: at the row's end the last button
// has no style to show.
TEST_F(StyleBarTest, ARowScrolledToItsEndLeavesItsLastButtonEmpty)
{
    UseManyStyles(61, 3, 4);
    Open(436);
    CStyleButtonRow& row = bar->Row(kFigureRow);
    ASSERT_TRUE(row.Scrolls());
    row.Scroll(kScrollBottom, 0, -1);
    EXPECT_EQ(row.Offset(), row.MaxOffset());
    ASSERT_GT(row.ButtonsCreated(), 1);
    EXPECT_EQ(row.Offset() + row.ButtonsCreated(), row.Layout().m_nCount + 1);
    EXPECT_EQ(row.Button(row.ButtonsCreated() - 1)->StyleIndex(), -1);
    EXPECT_EQ(row.Button(row.ButtonsCreated() - 2)->StyleIndex(), row.Layout().m_index[60]);
    CheckRowGeometry(*bar, kFigureRow);
}
