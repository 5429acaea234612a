// Text mode on a real view offscreen: a click or a typed character makes
// the label its place calls for (on the connector, in a flow slot, beside
// the connector, round a figure, or free), hovering names it in the status
// bar and shows where it goes, and a free label is previewed under the
// cursor. Each label is one undo step, the text typed into it included,
// and undo gives the saved text back byte for byte.
#include "ViewEvents.h"
#include "common/FakeAppContext.h"
#include "common/TestSupport.h"
#include "core/Settings.h"
#include "core/UIMode.h"
#include "core/Units.h"
#include "document/CStaple.h"
#include "editing/ui/CTextDialog.h"
#include "undo/UndoCodes.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

namespace {
constexpr int kTextMode = 3;

struct TextModeLabelTest : testing::Test, ViewEvents {
    void SetUp() override
    {
        SetScreenPixelHeightForTest(768);
        ScreenHeight = 9.0;
        ShowRulers = 0;
        SnapToFigLblPrimarySlotOnly = 0;
        SnapToFigLblSlots = 1;
        fx.doc.m_bShowGrid = 0;
        fx.doc.m_bAlignToGrid = 0;
        a = fx.AddBox(300, 600, 600, 450, "A");
        b = fx.AddBox(1500, 600, 600, 450, "B");
        con = fx.Connect(a, b);
        ShowActiveView(app);
        g_nUIMode = kTextMode;
        // A click of an earlier test made the preview wait: the mouse has
        // moved far away since.
        Hover(QPoint(790, 590));
        Save();
    }
    void TearDown() override
    {
        SaveViewShot(*view);
        if (view)
            view->CloseEditor();
        g_nUIMode = 0;
        app.view = nullptr;
        view.reset();
        SetAppContext(nullptr);
        SetScreenPixelHeightForTest(0);
        SnapToFigLblPrimarySlotOnly = 1;
        SnapToFigLblSlots = 2;
    }
    // The picture as it is now, named after the test and `what`.
    void Shot(const std::string& what)
    {
        if (const char* dir = std::getenv("KAVO_SHOTS")) {
            view->FlushPaint();
            view->Surface().save(QString(dir) + "/" +
                                 testing::UnitTest::GetInstance()->current_test_info()->name() + "-" +
                                 QString::fromStdString(what) + ".png");
        }
    }
    // Keys go where the keyboard focus is, as the window system sends them.
    void TypeKey(int key, const QString& text = QString())
    {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : view.get();
        QKeyEvent override(QEvent::ShortcutOverride, key, Qt::NoModifier, text);
        QApplication::sendEvent(target, &override);
        QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(target, &e);
    }
    void Type(const QString& text)
    {
        for (QChar c : text)
            TypeKey(0, QString(c));
    }
    void PointAt(const CPoint& logical) { QCursor::setPos(view->viewport()->mapToGlobal(At(logical))); }
    // The newest label of the document.
    CFigure* NewestLabel() const
    {
        CFigure* found = nullptr;
        fx.doc.ForEachFigure([&](CFigure* f) {
            if (f->m_bLabel)
                found = f;
        });
        return found;
    }
    int Gap() const { return fx.doc.GetConLblGap(); }
    std::string Hints() const { return "   CTRL: freeform   ESC: select mode"; }

    // Where a click makes each kind: the flow slot above the line at B, a
    // place above the line's middle, below A, and empty space.
    CPoint FlowSlotAtB() const
    {
        int gap = 0, inflate = 0;
        fx.doc.GetLabelSpacing(gap, inflate);
        CRect r1, r2;
        int c1 = -1, c2 = -1;
        EXPECT_TRUE(fx.doc.CalcFlowLblRects(con, b, fx.doc.GetNewFlowLblSize(), gap, inflate, r1, r2, c1, c2));
        return r1.CenterPoint();
    }
    CPoint BesideLine() const { return CPoint(1200, 825 - Gap() - fx.doc.GetNewLatLblSize().cy / 2); }
    CPoint OnLine() const { return CPoint(1200, 825); }
    CPoint BelowA() const
    {
        CRect rc;
        fx.doc.CalcFigLblRect(a, fx.doc.GetNewFigLblSize(), 8, rc, fx.doc.GetFigLblGap());
        return rc.CenterPoint();
    }
    CPoint Empty() const { return CPoint(1200, 1500); }

    FakeAppContext app;
    CFigure* a = nullptr;
    CFigure* b = nullptr;
    CConnector* con = nullptr;
};

struct KindRow {
    const char* name;
    std::function<CPoint(const TextModeLabelTest&)> where;
    int step;
    std::function<bool(const TextModeLabelTest&, const CFigure*)> kind;
    const char* prompt;
};

const KindRow kKinds[] = {
    {"connector", [](const TextModeLabelTest& t) { return t.OnLine(); }, UDMAC_CREATECONLBL,
     [](const TextModeLabelTest& t, const CFigure* l) { return l->IsConLabel() && l->m_pStaple->m_pCon == t.con; },
     "Click to create a connector label"},
    {"flow", [](const TextModeLabelTest& t) { return t.FlowSlotAtB(); }, UDMAC_CREATEFLWLBL,
     [](const TextModeLabelTest& t, const CFigure* l) {
         return l->IsFlowLabel() && l->m_pStaple->m_pFig1 == t.b && l->m_pStaple->FlowSide == 1;
     },
     "Click to create a flow label"},
    {"lateral", [](const TextModeLabelTest& t) { return t.BesideLine(); }, UDMAC_CREATELATLBL,
     [](const TextModeLabelTest& t, const CFigure* l) {
         return l->IsLatLabel() && l->m_pStaple->m_pCon == t.con && l->m_pStaple->LateralOffset == t.Gap();
     },
     "Click to create a connector label"},
    {"figure", [](const TextModeLabelTest& t) { return t.BelowA(); }, UDMAC_CREATEFIGLBL,
     [](const TextModeLabelTest& t, const CFigure* l) {
         return l->IsFigLabel() && l->m_pStaple->m_pFig1 == t.a && l->m_pStaple->GetSideCodeExact() == 8;
     },
     "Click to create a figure label"},
    {"free", [](const TextModeLabelTest& t) { return t.Empty(); }, UDMAC_CREATELBL,
     [](const TextModeLabelTest&, const CFigure* l) { return !l->m_pStaple; }, "Click to create a label"},
};
} // namespace

TEST_F(TextModeLabelTest, AClickMakesEachKindOfLabelAndTheTypingGoesWithIt)
{
    for (const KindRow& row : kKinds) {
        SCOPED_TRACE(row.name);
        Save();
        const int count = fx.doc.GetObjCount();
        Click(At(row.where(*this)));
        ASSERT_EQ(fx.doc.GetObjCount(), count + 1);
        CFigure* label = NewestLabel();
        ASSERT_NE(label, nullptr);
        EXPECT_TRUE(row.kind(*this, label));
        // The style has no default text: the editor opens on the new label.
        ASSERT_NE(view->TextEditor(), nullptr);
        EXPECT_EQ(view->EditedFigure(), label);
        Type("Hi");
        TypeKey(Qt::Key_Escape);
        Shot(row.name);
        EXPECT_EQ(view->TextEditor(), nullptr);
        EXPECT_NE(label->m_strText.find("Hi"), std::string::npos) << label->m_strText;
        EXPECT_EQ(Steps(), 1);
        EXPECT_EQ(fx.doc.UndoLastStep(), row.step);
        EXPECT_EQ(DocText(fx.doc), saved);
        EXPECT_FALSE(fx.doc.CanUndo());
    }
}

TEST_F(TextModeLabelTest, ATypedCharacterMakesTheLabelAndStartsItsText)
{
    for (const KindRow& row : kKinds) {
        SCOPED_TRACE(row.name);
        Save();
        PointAt(row.where(*this));
        Type("Q");
        CFigure* label = NewestLabel();
        ASSERT_NE(label, nullptr);
        EXPECT_TRUE(row.kind(*this, label));
        ASSERT_NE(view->TextEditor(), nullptr);
        Type("r");
        TypeKey(Qt::Key_Escape);
        EXPECT_NE(label->m_strText.find("Qr"), std::string::npos) << label->m_strText;
        EXPECT_EQ(Steps(), 1);
        EXPECT_EQ(fx.doc.UndoLastStep(), row.step);
        EXPECT_EQ(DocText(fx.doc), saved);
    }
}

// A style with a text of its own gives it to the label and opens no editor.
TEST_F(TextModeLabelTest, ALabelStyleWithItsOwnTextOpensNoEditor)
{
    fx.doc.m_curLblStyle.DefaultText = "Note";
    Click(At(Empty()));
    CFigure* label = NewestLabel();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->m_strText, "Note");
    EXPECT_EQ(view->TextEditor(), nullptr);
    EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_CREATELBL);
    EXPECT_EQ(DocText(fx.doc), saved);
}

// "Label" is the placeholder a style holds for no text of its own: the new
// label opens its editor as an empty default text does.
TEST_F(TextModeLabelTest, ALabelStyleSayingLabelOpensTheEditor)
{
    fx.doc.m_curLblStyle.DefaultText = "Label";
    Click(At(Empty()));
    CFigure* label = NewestLabel();
    ASSERT_NE(label, nullptr);
    ASSERT_NE(view->TextEditor(), nullptr);
    EXPECT_EQ(view->TextEditor()->Figure(), label);
    view->CloseTextEditor();
    EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_CREATELBL);
    EXPECT_EQ(DocText(fx.doc), saved);
}

TEST_F(TextModeLabelTest, HoveringNamesWhatAClickMakesAndShowsWhere)
{
    for (const KindRow& row : kKinds) {
        SCOPED_TRACE(row.name);
        Hover(At(row.where(*this)));
        EXPECT_EQ(view->StatusText(), std::string(row.prompt) + Hints());
        // Only a free label is previewed under the cursor.
        EXPECT_EQ(view->IsTrackMarkerShown(), std::string(row.name) == "free");
        Shot(row.name);
    }
    // A figure's text area: the hover feedback and the text cursor.
    Hover(Centre(b));
    EXPECT_EQ(view->StatusText(), "Click to edit text" + Hints());
    EXPECT_TRUE(view->IsTextAreaHoverShown());
    EXPECT_EQ(view->ViewCursor(), int(Qt::IBeamCursor));
    EXPECT_FALSE(view->IsTrackMarkerShown());
    Shot("text area");
    // Ctrl: a free label anywhere, and no freeform hint.
    Move(At(OnLine()), Qt::ControlModifier, Qt::NoButton);
    EXPECT_EQ(view->StatusText(), "Click to create a label   ESC: select mode");
    EXPECT_FALSE(view->IsTextAreaHoverShown());
    // A current label style is named.
    fx.doc.m_nCurLblStyle = 0;
    fx.doc.m_curLblStyle.m_strName = "Note";
    Hover(At(Empty()));
    EXPECT_EQ(view->StatusText(), "Click to create a \"Note\" label" + Hints());
    // Leaving the view takes every feedback off the picture.
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(view.get(), &leave);
    EXPECT_FALSE(view->IsTrackMarkerShown());
    view->EraseLabelFeedback();
    ExpectNoFeedbackLeft();
    EXPECT_EQ(DocText(fx.doc), saved);
}

// The pointer leaving the view takes the feedback of whatever label it
// showed off the picture: the view does not know where the pointer went.
TEST_F(TextModeLabelTest, LeavingTheViewErasesTheLabelFeedback)
{
    for (const KindRow& row : kKinds) {
        SCOPED_TRACE(row.name);
        Hover(At(row.where(*this)));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(view.get(), &leave);
        ExpectNoFeedbackLeft();
    }
    EXPECT_EQ(DocText(fx.doc), saved);
}

TEST_F(TextModeLabelTest, TheMarkerWaitsAfterAClickUntilTheMouseMoves)
{
    fx.doc.m_curLblStyle.DefaultText = "Note";
    const QPoint p = At(Empty());
    Hover(p + QPoint(-20, -20));
    ASSERT_TRUE(view->IsTrackMarkerShown());
    // The preview shows where the label would go; hidden, the plain
    // diagram is back.
    view->FlushPaint();
    const QImage withMarker = view->Surface().copy();
    Shot("marker");
    EXPECT_TRUE(view->HideTrackMarker(nullptr, nullptr));
    view->FlushPaint();
    EXPECT_FALSE(view->Surface() == withMarker);
    ExpectNoFeedbackLeft();
    Hover(p);
    EXPECT_TRUE(view->IsTrackMarkerShown());
    Click(p);
    EXPECT_FALSE(view->IsTrackMarkerShown());
    ASSERT_NE(NewestLabel(), nullptr);
    Hover(p + QPoint(1, 1));
    EXPECT_FALSE(view->IsTrackMarkerShown());
    Hover(p + QPoint(2, 0));
    EXPECT_FALSE(view->IsTrackMarkerShown());
    Hover(p + QPoint(40, 40));
    EXPECT_TRUE(view->IsTrackMarkerShown());
    Shot("moved");
    CPoint where;
    EXPECT_TRUE(view->HideTrackMarker(nullptr, &where));
    EXPECT_EQ(where, Logical(p + QPoint(40, 40)));
    ExpectNoFeedbackLeft();
    EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_CREATELBL);
    EXPECT_EQ(DocText(fx.doc), saved);
}

// Ctrl places a free label even on a connector or a figure's text.
TEST_F(TextModeLabelTest, CtrlMakesAFreeLabelAnywhere)
{
    fx.doc.m_curLblStyle.DefaultText = "Note";
    for (const CPoint& at : {OnLine(), a->GetCenter()}) {
        SCOPED_TRACE(at.x);
        Save();
        Click(At(at), Qt::ControlModifier);
        CFigure* label = NewestLabel();
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->m_pStaple, nullptr);
        EXPECT_EQ(view->TextEditor(), nullptr);
        EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_CREATELBL);
        EXPECT_EQ(DocText(fx.doc), saved);
    }
}

// The marker belongs to text mode: when another mode was chosen while the
// pointer was elsewhere, the next move over the view takes the marker away.
TEST_F(TextModeLabelTest, AnotherModeTakesTheMarkerAwayAtTheNextMove)
{
    for (int mode : {0, 5}) {
        SCOPED_TRACE(mode);
        g_nUIMode = kTextMode;
        Hover(At(Empty()));
        ASSERT_TRUE(view->IsTrackMarkerShown());
        g_nUIMode = mode;
        Hover(At(Empty()) + QPoint(5, 5));
        EXPECT_FALSE(view->IsTrackMarkerShown());
        ExpectNoFeedbackLeft();
    }
    g_nUIMode = kTextMode;
    EXPECT_EQ(DocText(fx.doc), saved);
}

// On a white page the preview of a free label shows the label as its style
// draws it: the page stays white round the sample's text, not inverted.
TEST_F(TextModeLabelTest, TheMarkerShowsTheLabelOnTheWhitePage)
{
    fx.doc.m_curLblStyle.DefaultText = "Note";
    Hover(At(Empty()));
    ASSERT_TRUE(view->IsTrackMarkerShown());
    view->FlushPaint();
    const QImage shown = view->Surface().convertToFormat(QImage::Format_RGB32);
    CRect rc = view->LogicalRectToClient(CRect(Empty(), fx.doc.GetNewLblSize()));
    rc.NormalizeRect();
    rc.DeflateRect(2, 2);
    ASSERT_GT(rc.Width(), 4);
    int white = 0, total = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x, ++total)
            white += shown.pixel(x, y) == qRgb(0xFF, 0xFF, 0xFF) ? 1 : 0;
    EXPECT_GT(white, total / 2);
    EXPECT_LT(white, total);
    view->HideTrackMarker(nullptr, nullptr);
    EXPECT_EQ(DocText(fx.doc), saved);
}

// Hovering where a click makes a pinned label shows that label's feedback.
TEST_F(TextModeLabelTest, HoveringShowsTheFeedbackOfEachPinnedLabel)
{
    const std::pair<const char*, std::function<bool(CKavoView&)>> erase[] = {
        {"connector", [](CKavoView& v) { return v.EraseRectFeedback(nullptr); }},
        {"flow", [](CKavoView& v) { return v.EraseAttachFeedback(nullptr); }},
        {"lateral", [](CKavoView& v) { return v.EraseLblDropFeedback(nullptr); }},
        {"figure", [](CKavoView& v) { return v.EraseFigLblFeedback(nullptr); }},
    };
    for (const KindRow& row : kKinds)
        for (const auto& [name, eraseIt] : erase) {
            if (std::string(row.name) != name)
                continue;
            SCOPED_TRACE(name);
            Hover(At(row.where(*this)));
            EXPECT_TRUE(eraseIt(*view));
            ExpectNoFeedbackLeft();
        }
    EXPECT_EQ(DocText(fx.doc), saved);
}
