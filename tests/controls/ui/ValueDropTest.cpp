// Value drop buttons: what each palette offers, what a choice stores, and a
// property-bar button changing the selected objects in one undo step.
#include "CommandRecorder.h"
#include "common/DiagramFixture.h"
#include "common/TestSupport.h"
#include "common/FakeAppContext.h"
#include "controls/CColorDropButton.h"
#include "controls/CFlowIndicatorButton.h"
#include "controls/CLinePatternButton.h"
#include "controls/CPaletteMenuBase.h"
#include "controls/CTextDropButton.h"
#include "controls/ValueDropControls.h"
#include "core/AppContext.h"
#include "core/Settings.h"
#include "core/UIMode.h"
#include "fileformat/DiagramRecordWriter.h"
#include "platform/CPainterDC.h"
#include "platform/SysColors.h"
#include "render/ConPolylineDraw.h"
#include "shapes/CConProps.h"
#include "keyword/KeywordStreams.h"
#include "shapes/CShapeDef.h"
#include "shapes/ShapeLibrary.h"
#include "undo/UndoCodes.h"

#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace {
constexpr int kId = 1600;
using Commands = std::vector<std::pair<int, int>>;

std::string DocText(CKavoDoc& doc)
{
    CStringKeywordSink sink;
    CKeywordWriter w(sink);
    EXPECT_TRUE(WriteDiagramText(w, doc, {}));
    return sink.text;
}

struct ValueDropTest : testing::Test {
    QWidget owner;
    CCommandRecorder recorder{&owner};
    ValueDropTest() { owner.resize(320, 240); }
    void Show()
    {
        owner.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
    }
    // Drops the palette and clicks the cell of the command id.
    static void Choose(CDropPaletteButton* button, UINT id)
    {
        QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
        ASSERT_TRUE(button->Popup()->isVisible());
        const QPoint at = button->Popup()->ItemRect(id).center();
        QTest::mouseMove(button->Popup(), at);
        QTest::mouseClick(button->Popup(), Qt::LeftButton, {}, at);
    }
};

bool g_accept = false;
bool StubChooser(QWidget*, COLORREF, COLORREF customs[16], COLORREF* chosen)
{
    if (!g_accept)
        return false;
    for (int i = 0; i < 16; ++i)
        customs[i] = RGB(i, 0, 0);
    *chosen = RGB(9, 8, 7);
    return true;
}

} // namespace

TEST_F(ValueDropTest, ColourPaletteWithAndWithoutNoColour)
{
    COLORREF customs[16];
    for (int i = 0; i < 16; ++i)
        customs[i] = RGB(200, i, 0);
    auto* plain = new CColorDropButton(&owner);
    plain->setGeometry(10, 10, 27, 26);
    ASSERT_TRUE(plain->CreatePalette(kId, &owner, customs, true, false, true));
    auto* fill = new CColorDropButton(&owner);
    fill->setGeometry(50, 10, 27, 26);
    ASSERT_TRUE(fill->CreatePalette(kId + 1, &owner, customs, true, true, true));
    EXPECT_EQ(plain->ItemList().Count(), 56);
    EXPECT_EQ(fill->ItemList().Count(), 56);
    EXPECT_EQ(plain->ColorAt(2), COLORREF(0x04342C));
    EXPECT_EQ(fill->ColorAt(0), kPaletteNoColor);
    EXPECT_EQ(fill->ColorAt(3), COLORREF(0x043404));   // standard 4 after standard 2
    EXPECT_EQ(fill->FindColor(0x04342C), 0xFFFF);
    EXPECT_EQ(fill->ColorAt(40), RGB(200, 0, 0));
    EXPECT_EQ(fill->Popup()->Grid().columns, 8);
    EXPECT_EQ(fill->Popup()->Grid().rows, 7);
    Show();

    fill->SetColor(kStandardPaletteColors[5]);
    Choose(fill, kPaletteFirstId + 13);   // row 1, column 5
    EXPECT_EQ(fill->GetColor(), COLORREF(0xFC0404));
    EXPECT_EQ(recorder.commands, (Commands{{kId + 1, 1124}, {kId + 1, 0}}));
    QTest::mousePress(fill, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(fill->CurrentValue(), 13);
    QTest::mouseMove(fill->Popup(), fill->Popup()->ItemRect(kPaletteFirstId + 20).center());
    SaveShot(fill->Popup(), "colorpalette_open");
    QTest::keyClick(fill->Popup(), Qt::Key_Escape);
    SaveShot(&owner, "colorbuttons");
}

// The dropped colour palette stands out from what lies beneath it: a raised
// frame (light top and left, dark bottom and right) around the cells, which
// stay clear of it and answer the pointer where they are drawn.
TEST_F(ValueDropTest, ColourPaletteHasARaisedFrame)
{
    COLORREF customs[16] = {};
    auto* button = new CColorDropButton(&owner);
    button->setGeometry(10, 10, 27, 26);
    ASSERT_TRUE(button->CreatePalette(kId, &owner, customs, true, false, true));
    Show();
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
    CPaletteMenuBase* popup = button->Popup();
    ASSERT_TRUE(popup && popup->isVisible());
    const QImage shot = popup->grab().toImage();
    SaveShot(popup, "colorpalette_frame");
    const int w = shot.width(), h = shot.height();
    const auto gray = [&shot](int x, int y) { return qGray(shot.pixel(x, y)); };
    for (int x : {w / 4, w / 2, 3 * w / 4}) {
        EXPECT_LT(gray(x, h - 1), 80) << "bottom edge at " << x;
        EXPECT_GT(gray(x, 1), gray(x, h - 1) + 100) << "top edge at " << x;
    }
    for (int y : {h / 4, h / 2, 3 * h / 4}) {
        EXPECT_LT(gray(w - 1, y), 80) << "right edge at " << y;
        EXPECT_GT(gray(1, y), gray(w - 1, y) + 100) << "left edge at " << y;
    }
    const QRect first = popup->ItemRect(kPaletteFirstId);
    EXPECT_GE(first.left(), CPaletteMenuBase::kMenuFrame);
    EXPECT_GE(first.top(), CPaletteMenuBase::kMenuFrame);
    const QRect inside = popup->rect().adjusted(CPaletteMenuBase::kMenuFrame, CPaletteMenuBase::kMenuFrame,
                                                -CPaletteMenuBase::kMenuFrame, -CPaletteMenuBase::kMenuFrame);
    for (const PaletteItem& item : popup->Items())
        EXPECT_TRUE(inside.contains(popup->ItemRect(item.id))) << item.id;
    // The first cell is chosen where it shows.
    QTest::mouseMove(popup, first.center());
    QTest::mouseClick(popup, Qt::LeftButton, {}, first.center());
    EXPECT_EQ(button->GetColor(), button->ColorAt(0));
}

TEST_F(ValueDropTest, MoreEntryCancelChangesNothingOkTakesTheCustomColours)
{
    COLORREF customs[16] = {};
    auto* button = new CColorDropButton(&owner);
    button->setGeometry(10, 10, 27, 26);
    ASSERT_TRUE(button->CreatePalette(kId, &owner, customs, true, false, true));
    CColorDropButton::SetColorChooser(StubChooser);
    Show();
    button->SetColor(RGB(1, 1, 1));
    g_accept = false;
    Choose(button, kMoreId);
    EXPECT_EQ(button->GetColor(), RGB(1, 1, 1));
    EXPECT_EQ(button->ColorAt(45), RGB(0, 0, 0));
    EXPECT_EQ(recorder.commands, (Commands{{kId, 1124}}));   // no choice told
    g_accept = true;
    Choose(button, kMoreId);
    EXPECT_EQ(button->GetColor(), RGB(9, 8, 7));
    EXPECT_EQ(button->ColorAt(45), RGB(5, 0, 0));
    EXPECT_EQ(recorder.commands.back(), std::make_pair(kId, 0));
    CColorDropButton::SetColorChooser(nullptr);
}

TEST_F(ValueDropTest, LinePatternsInTheirOrderAndAnUnknownPatternShowsTheFirst)
{
    auto* button = new CLinePatternButton(&owner);
    button->setGeometry(10, 10, 27, 26);
    ASSERT_TRUE(button->Create(kId, &owner));
    EXPECT_EQ(button->ItemList().At(3), 10);
    EXPECT_EQ(button->ItemList().At(23), 19);
    EXPECT_EQ(button->Popup()->Grid().columns, 2);
    Show();
    button->SetPattern(40);
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(button->CurrentValue(), 0);
    SaveShot(button->Popup(), "linepatterns_open");
    QTest::keyClick(button->Popup(), Qt::Key_Escape);
    Choose(button, kPaletteFirstId + 2);   // row 1, column 0: the third entry
    EXPECT_EQ(button->GetPattern(), 6);
}

// The line-shape button: four shapes in one column of 60 x 26 cells with
// 3-pixel borders, no arrow; the current cell is found from the shape bits
// alone, and a choice keeps only the shape.
TEST_F(ValueDropTest, LineShapesInOneColumnAndAChoiceKeepsOnlyTheShape)
{
    auto* button = new CCurvatureButton(&owner);
    button->setGeometry(10, 10, 60, 26);
    ASSERT_TRUE(button->Create(kId, &owner));
    const int shapes[] = {0, 16, 2, 8};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(button->ItemList().At(i), shapes[i]) << i;
    EXPECT_EQ(button->Popup()->Grid().columns, 1);
    EXPECT_EQ(button->Popup()->Grid().rows, 4);
    EXPECT_EQ(button->Popup()->CellWidth(), 66);
    EXPECT_EQ(button->Popup()->CellHeight(), 32);
    Show();
    const struct {
        uint64_t value;
        WORD current;
    } cases[] = {{0, 0}, {8 | (uint64_t(5) << 32), 8}, {2 | 0x40, 2}, {16 | 1, 16}, {2 | 8, 0xFFFF}};
    for (const auto& c : cases) {
        button->SetCurvature(c.value);
        QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_EQ(button->CurrentValue(), c.current) << c.value;
        QTest::keyClick(button->Popup(), Qt::Key_Escape);
    }
    button->SetCurvature(2 | (uint64_t(7) << 32));
    Choose(button, kPaletteFirstId + 1);
    EXPECT_EQ(button->GetCurvature(), 16u);
    EXPECT_EQ(recorder.commands.back(), std::make_pair(kId, 0));
}

// The palette's pattern samples are connectors of the default record: every
// value, those past the dash table included, looks as a connector draws it.
TEST(LinePatternSampleTest, EachPatternLooksAsAConnectorDrawsIt)
{
    auto draw = [](auto paint) {
        QImage img(100, 11, QImage::Format_RGB32);
        img.fill(Qt::white);
        CPainterDC dc(&img);
        paint(dc);
        dc.Flush();
        return img;
    };
    for (int pattern : {0, 1, 3, 5, 6, 9, 11, 12, 13, 17, 22, 23}) {
        const QImage sample = draw([&](CDC& dc) { CLinePatternButton::DrawPatternLine(&dc, 2, 90, 5, pattern, 0); });
        const QImage line = draw([&](CDC& dc) {
            CConProps props;
            props.PenStyle = pattern;
            const POINT pts[2] = {{2, 5}, {90, 5}};
            DrawConPolyline(nullptr, &dc, nullptr, props, pts, 2, false, false, true);
        });
        EXPECT_EQ(sample, line) << pattern;
        // Nothing beside the line's own row.
        for (int y : {4, 6})
            for (int x = 0; x < 100; ++x)
                ASSERT_EQ(sample.pixel(x, y), QColor(Qt::white).rgb()) << pattern << " " << x << "," << y;
    }
    // Past the table the line is solid; pattern 5 is no line at all.
    const QImage solid = draw([](CDC& dc) { CLinePatternButton::DrawPatternLine(&dc, 2, 90, 5, 13, 0); });
    const QImage none = draw([](CDC& dc) { CLinePatternButton::DrawPatternLine(&dc, 2, 90, 5, 5, 0); });
    for (int x = 2; x < 90; ++x) {
        EXPECT_EQ(solid.pixel(x, 5), QColor(Qt::black).rgb()) << x;
        EXPECT_EQ(none.pixel(x, 5), QColor(Qt::white).rgb()) << x;
    }
}

TEST(TextListTest, ConversionsBothWays)
{
    struct {
        UINT first, id;
        int value;
    } cases[] = {{35760, 35760, 0}, {35760, 35764, 11}, {35770, 35773, 43}, {35790, 35791, 70},
                 {35804, 35807, 57}, {35820, 35823, 135}, {35760, 35765, -1}, {35760, 35759, -1}};
    for (const auto& c : cases)
        EXPECT_EQ(TextListValueOfString(c.first, c.id), c.value) << c.id;
    EXPECT_EQ(TextListStringOfValue(35760, 5), 35763u);
    EXPECT_EQ(TextListStringOfValue(35760, 4), 0xFFFFu);   // no such width
    EXPECT_EQ(TextListStringOfValue(12345, 0), 0xFFFFu);
}

TEST_F(ValueDropTest, TextListShowsAtMostTenAndStoresTheValue)
{
    auto* widths = new CLineWidthButton(&owner);
    widths->setGeometry(10, 10, 27, 26);
    ASSERT_TRUE(widths->Create(kId, &owner));
    auto* many = new CTextDropButton(&owner);
    ASSERT_TRUE(many->CreateList(kId + 1, &owner, 35820, 12, 0));
    EXPECT_EQ(many->EntryCount(), 10);
    Show();
    widths->SetWidth(4);   // not in the list: no current cell
    QTest::mousePress(widths, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(widths->CurrentValue(), 0xFFFF);
    SaveShot(widths->Popup(), "linewidths_open");
    QTest::keyClick(widths->Popup(), Qt::Key_Escape);
    Choose(widths, kPaletteFirstId + 3);
    EXPECT_EQ(widths->GetWidth(), 5);
}

TEST(CommandDropTest, DefaultsAndChoices)
{
    CHAlignDropButton h;
    CVAlignDropButton v;
    CRotateDropButton r;
    EXPECT_EQ(h.GetSetting(), 4);
    EXPECT_EQ(v.GetSetting(), 64);
    EXPECT_EQ(r.GetSetting(), 0);
    EXPECT_EQ(r.CommandText(36535), "Bottom to Top");
    EXPECT_EQ(h.EntryAt(2).setting, 1);
    EXPECT_EQ(v.EntryAt(1).command, 36509u);
}

// The property bar's buttons act on the active diagram's selection: one undo
// step, and undoing it gives the diagram back as it was.
struct PropertyBarDropTest : ValueDropTest {
    DiagramFixture fx;
    FakeAppContext context;
    IAppContext* previous = nullptr;
    CFigure* box = nullptr;
    CConnector* con = nullptr;
    std::string saved;

    PropertyBarDropTest()
    {
        box = fx.AddBox(1000, 1000, 800, 400, "A");
        CFigure* other = fx.AddBox(3000, 1000, 800, 400, "B");
        con = fx.Connect(box, other);
        context.doc = &fx.doc;
        previous = GetAppContext();
        SetAppContext(&context);
        fx.doc.ResetUndoLog();
    }
    ~PropertyBarDropTest() override { SetAppContext(previous); }
    void Select(CDiagObj* obj)
    {
        fx.doc.ClearSelection();
        fx.doc.Select(obj);
        saved = DocText(fx.doc);
    }
    CDropPaletteButton* Make(unsigned command)
    {
        auto* b = static_cast<CDropPaletteButton*>(MakeValueDropControl(command, &owner, {}));
        b->setGeometry(10, 10, 27, 26);
        return b;
    }
    void ExpectOneStepUndone(int code)
    {
        EXPECT_NE(DocText(fx.doc), saved);
        EXPECT_EQ(fx.doc.UndoLastStep(), code);
        EXPECT_EQ(DocText(fx.doc), saved);
    }
};

TEST_F(PropertyBarDropTest, FillColourOfTheSelectedBox)
{
    auto* fill = Make(36497);
    Show();
    Select(box);
    Choose(fill, kPaletteFirstId + 13);
    EXPECT_EQ(box->m_props.m_fill.m_crColor1, COLORREF(0xFC0404));
    ExpectOneStepUndone(UDMAC_FIGPROPS);
    // No colour: a transparent fill.
    Select(box);
    Choose(fill, kPaletteFirstId);
    EXPECT_EQ(box->m_props.m_fill.m_nKind, 0);
    ExpectOneStepUndone(UDMAC_FIGPROPS);
}

TEST_F(PropertyBarDropTest, ConnectorColourWidthAndPattern)
{
    auto* color = Make(36496);
    auto* width = Make(36492);
    auto* pattern = Make(36491);
    Show();
    Select(con);
    Choose(color, kPaletteFirstId + 16);
    EXPECT_EQ(con->m_props.Color, COLORREF(0x0404FC));
    ExpectOneStepUndone(UDMAC_CONPROPS);
    Select(con);
    Choose(width, kPaletteFirstId + 4);
    EXPECT_EQ(con->m_props.LineWidth, 11);
    ExpectOneStepUndone(UDMAC_CONPROPS);
    Select(con);
    Choose(pattern, kPaletteFirstId + 1);
    EXPECT_EQ(con->m_props.PenStyle, 5);
    ExpectOneStepUndone(UDMAC_CONPROPS);
}

TEST_F(PropertyBarDropTest, LineWidthOfASelectedBoxIsItsBorder)
{
    auto* width = Make(36492);
    Show();
    Select(box);
    Choose(width, kPaletteFirstId + 3);
    EXPECT_EQ(box->m_props.BorderWidth, 5);
    EXPECT_EQ(con->m_props.LineWidth, 1);
    ExpectOneStepUndone(UDMAC_FIGPROPS);
}

TEST_F(PropertyBarDropTest, AlignmentAndRotation)
{
    auto* halign = Make(36562);
    Show();
    Select(box);
    Choose(halign, kPaletteFirstId + 2);   // Right
    EXPECT_EQ(box->m_props.TextFormat & 0x07, 1);
    EXPECT_EQ(box->m_props.TextFormat & 0x70, 0x20);   // vertical kept
    ExpectOneStepUndone(UDMAC_TEXTFMT);
    // Nothing selected: nothing to change, no step.
    fx.doc.ClearSelection();
    const int steps = int(fx.doc.UndoLogRef().m_nStepsRecorded);
    Choose(halign, kPaletteFirstId);
    EXPECT_EQ(int(fx.doc.UndoLogRef().m_nStepsRecorded), steps);
    SaveShot(&owner, "propertybar_drops");
}

TEST_F(ValueDropTest, BarButtonsShowTheBarImageWithTheColourUnderIt)
{
    QImage white(20, 20, QImage::Format_RGB32);
    white.fill(Qt::white);
    auto* text = static_cast<CColorDropButton*>(
        MakeValueDropControl(36499, &owner, [&](UINT) { return white; }));
    ASSERT_NE(text, nullptr);
    text->setGeometry(10, 10, 27, 26);
    EXPECT_EQ(MakeValueDropControl(32818, &owner, {}), nullptr);   // not a value command
    Show();
    Choose(text, kPaletteFirstId + 16);   // 0x0404FC: red
    const QImage face = text->grab().toImage();
    // The image sits centred in the face less the arrow's room; its foot
    // carries the colour bar.
    const int x = 3 + (21 - 7 - 20) / 2, y = 3 + (20 - 20) / 2;
    EXPECT_EQ(face.pixelColor(x + 10, y + 16), QColor(0xFC, 0x04, 0x04));
    EXPECT_EQ(face.pixelColor(x + 10, y + 5), QColor(Qt::white));
    // The bar is 18 x 4: from x + 1 to x + 19, y + 15 to y + 19 (exclusive);
    // the drop arrow covers its upper right corner.
    const struct {
        int dx, dy;
        bool red;
    } edges[] = {{1, 15, true},  {12, 15, true},  {1, 18, true},   {18, 17, true}, {18, 18, true},
                 {0, 16, false}, {19, 17, false}, {10, 14, false}, {10, 19, false}};
    for (const auto& e : edges)
        EXPECT_EQ(face.pixelColor(x + e.dx, y + e.dy) == QColor(0xFC, 0x04, 0x04), e.red) << e.dx << "," << e.dy;
    SaveShot(text, "textcolor_barbutton");
}

TEST_F(ValueDropTest, FlowIndicatorsOfferFifteenStampsAndAMissingOneIsNone)
{
    auto* button = new CFlowIndicatorButton(&owner);
    button->setGeometry(10, 10, 40, 26);
    ASSERT_TRUE(button->Create(kId, &owner));
    EXPECT_EQ(button->ItemList().Count(), 15);
    EXPECT_EQ(button->Popup()->Grid().columns, 5);
    EXPECT_EQ(button->Popup()->Grid().rows, 3);
    Show();
    Choose(button, kPaletteFirstId + 1);
    EXPECT_EQ(button->GetStamp(), StampShapes().GetCount() > 1 ? 1 : -1);
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
    SaveShot(button->Popup(), "flowindicators_open");
    QTest::keyClick(button->Popup(), Qt::Key_Escape);
    // A library of one stamp: the second cell is no stamp.
    ShapeLibrary one;
    one.NewEntry()->SetName("only");
    auto* small = new CFlowIndicatorButton(&owner);
    small->setGeometry(60, 10, 40, 26);
    ASSERT_TRUE(small->Create(kId + 1, &owner, &one));
    Choose(small, kPaletteFirstId + 1);
    EXPECT_EQ(small->GetStamp(), -1);
    SaveShot(&owner, "flowindicator_buttons");
}

TEST_F(ValueDropTest, ATransparentBarImageShowsTheButtonFaceAroundItsMark)
{
    QImage mark(20, 20, QImage::Format_ARGB32);
    mark.fill(Qt::transparent);
    mark.setPixelColor(10, 5, Qt::blue);
    auto* button = MakeValueDropControl(36499, &owner, [&](UINT) { return mark; });
    ASSERT_NE(button, nullptr);
    button->setGeometry(10, 10, 27, 26);
    Show();
    const QImage face = button->grab().toImage();
    const int x = 3 + (21 - 7 - 20) / 2, y = 3;
    const COLORREF btn = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(face.pixelColor(x + 2, y + 2), QColor(GetRValue(btn), GetGValue(btn), GetBValue(btn)));
    EXPECT_EQ(face.pixelColor(x + 10, y + 5), QColor(Qt::blue));
}

// While figures or connectors are being created the colour and line buttons
// set up the next one: the current figure style (its style mark cleared) or
// the current connector style (its mark and name cleared); the diagram does
// not change.
TEST_F(PropertyBarDropTest, CreationModesSetTheCurrentStyles)
{
    auto* fill = Make(36497);
    auto* border = Make(36498);
    auto* conColor = Make(36496);
    auto* width = Make(36492);
    auto* pattern = Make(36491);
    Show();
    Select(box);
    fx.doc.ResetUndoLog();
    CFigProps& fig = fx.doc.m_curFigStyle.m_props;
    CConProps& line = fx.doc.m_curConStyle.m_props;

    g_nUIMode = 2;
    fig.m_fill.m_nKind = 0;
    struct FigRow {
        CDropPaletteButton* button;
        UINT entry;
        std::function<bool()> set;
    };
    const FigRow figRows[] = {
        // A colour on a transparent fill makes it flat; no colour takes it away.
        {fill, kPaletteFirstId + 13, [&] { return fig.m_fill.m_nKind == 1 && fig.m_fill.m_crColor1 == 0xFC0404; }},
        {fill, kPaletteFirstId, [&] { return fig.m_fill.m_nKind == 0; }},
        {border, kPaletteFirstId + 16, [&] { return fig.BorderColor == 0x0404FC; }},
        {width, kPaletteFirstId + 4, [&] { return fig.BorderWidth == 11; }},
        {pattern, kPaletteFirstId + 1, [&] { return fig.PenStyle == 5; }},
    };
    for (const FigRow& row : figRows) {
        SCOPED_TRACE(row.entry);
        fx.doc.m_bCurFigStyleChanged = 1;
        Choose(row.button, row.entry);
        EXPECT_TRUE(row.set());
        EXPECT_EQ(fx.doc.m_bCurFigStyleChanged, 0);
    }

    g_nUIMode = 4;
    struct ConRow {
        CDropPaletteButton* button;
        UINT entry;
        std::function<bool()> set;
    };
    const ConRow conRows[] = {
        // The line and both end symbols.
        {conColor, kPaletteFirstId + 16,
         [&] { return line.Color == 0x0404FC && line.End1FillColor == 0x0404FC && line.End2FillColor == 0x0404FC; }},
        {width, kPaletteFirstId + 4, [&] { return line.LineWidth == 11; }},
        {pattern, kPaletteFirstId + 1, [&] { return line.PenStyle == 5; }},
    };
    for (const ConRow& row : conRows) {
        SCOPED_TRACE(row.entry);
        fx.doc.m_bCurConStyleChanged = 1;
        fx.doc.m_strCurConStyleName = "Flow";
        Choose(row.button, row.entry);
        EXPECT_TRUE(row.set());
        EXPECT_EQ(fx.doc.m_bCurConStyleChanged, 0);
        EXPECT_EQ(fx.doc.m_strCurConStyleName, "");
    }
    g_nUIMode = 0;
    EXPECT_EQ(DocText(fx.doc), saved);
    EXPECT_FALSE(fx.doc.CanUndo());
}

// A fill colour keeps a shaded fill shaded and fills the one selected
// figure that had no fill; the selected connectors' colour goes to their
// end symbols as well.
TEST_F(PropertyBarDropTest, FillColourKeepsTheFillKindAndConnectorColourReachesTheEnds)
{
    auto* fill = Make(36497);
    auto* conColor = Make(36496);
    Show();
    box->m_props.m_fill.m_nKind = 2;
    Select(box);
    Choose(fill, kPaletteFirstId + 13);
    EXPECT_EQ(box->m_props.m_fill.m_nKind, 2);
    EXPECT_EQ(box->m_props.m_fill.m_crColor1, COLORREF(0xFC0404));
    ExpectOneStepUndone(UDMAC_FIGPROPS);
    box->m_props.m_fill.m_nKind = 0;
    Select(box);
    Choose(fill, kPaletteFirstId + 13);
    EXPECT_EQ(box->m_props.m_fill.m_nKind, 1);
    ExpectOneStepUndone(UDMAC_FIGPROPS);
    Select(con);
    Choose(conColor, kPaletteFirstId + 16);
    EXPECT_EQ(con->m_props.End1FillColor, COLORREF(0x0404FC));
    EXPECT_EQ(con->m_props.End2FillColor, COLORREF(0x0404FC));
    ExpectOneStepUndone(UDMAC_CONPROPS);
}

// A line width for a selection holding a group asks once whether grouped
// objects take part; the answer serves this command only.
TEST_F(PropertyBarDropTest, LineWidthAsksOnceAboutGroupsForThisCommandOnly)
{
    auto* width = Make(36492);
    Show();
    CFigure* third = fx.AddBox(1000, 3000, 800, 400, "C");
    fx.doc.ClearSelection();
    fx.doc.Select(box);
    fx.doc.Select(third);
    fx.doc.OnGroup();
    ASSERT_TRUE(box->IsInGroup());
    fx.doc.Select(con);
    fx.doc.ResetUndoLog();
    saved = DocText(fx.doc);
    const int choice = ApplyToGroups, prompt = PromptForApplyToGroups;
    ApplyToGroups = 0;
    PromptForApplyToGroups = 1;
    CRecordingPrompt prompts;
    prompts.QueueAnswer(IDYES);
    Choose(width, kPaletteFirstId + 4);
    EXPECT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(box->m_props.BorderWidth, 11);
    EXPECT_EQ(third->m_props.BorderWidth, 11);
    EXPECT_EQ(con->m_props.LineWidth, 11);
    EXPECT_EQ(ApplyToGroups, 0);
    EXPECT_EQ(PromptForApplyToGroups, 1);
    ApplyToGroups = choice;
    PromptForApplyToGroups = prompt;
}
