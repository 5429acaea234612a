// Typing on the lanes of the shipped swim-lane template in a real view: the
// lanes have no text of their own, so in text mode each typed name becomes
// a label of its own on the lane it was typed on (as the template's lane
// names are), and in select mode the keystroke is refused with a beep.
// Undo takes the diagram back to its saved text.
#include "ViewEvents.h"
#include "common/FakeAppContext.h"
#include "core/MessageBeep.h"
#include "core/UIMode.h"
#include "editing/ui/CTextDialog.h"
#include "undo/UndoCodes.h"

#include <QCursor>

#include <vector>

namespace {
constexpr int kTextMode = 3;

int g_beeps = 0;
void CountBeep(UINT)
{
    ++g_beeps;
}

struct LaneTextTest : testing::Test, ViewEvents {
    void SetUp() override
    {
        ASSERT_TRUE(fx.doc.OpenDocumentUnlocked(KAVO_RESOURCE_DIR "/Template/Swim Lane Process.kvd", false));
        g_nUIMode = 0;
        g_beeps = 0;
        previousBeep = SetMessageBeepHandler(CountBeep);
        ShowActiveView(app);
        lanes = LanesFigure();
        ASSERT_NE(lanes, nullptr);
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
        SetMessageBeepHandler(previousBeep);
        SetAppContext(nullptr);
    }
    CFigure* LanesFigure() const
    {
        for (CDiagObj* o : *fx.doc.m_pObjList)
            if (o->GetType() == kObjFigure) {
                const CFigSymbol* s = static_cast<CFigure*>(o)->GetSymbol();
                if (s && s->m_strName.rfind("[partition 3x2]", 0) == 0)
                    return static_cast<CFigure*>(o);
            }
        return nullptr;
    }
    // Lane i's top and bottom: the frame's sides and the row dividers.
    std::pair<int, int> LaneBand(int i) const
    {
        std::vector<int> ys = {lanes->m_rect.top};
        for (int d = 0; d < 2; ++d) {
            CPoint at;
            EXPECT_TRUE(lanes->GetSymbol()->GetDividerHandle(d, at, lanes->m_rect));
            ys.push_back(at.y);
        }
        ys.push_back(lanes->m_rect.bottom);
        return {ys[size_t(i)], ys[size_t(i) + 1]};
    }
    // An empty place of lane i right of the lane names, in sight at 100%.
    CPoint InLane(int i) const
    {
        const auto [top, bottom] = LaneBand(i);
        return CPoint(lanes->m_rect.left + 500, (top + 2 * bottom) / 3);
    }
    void Key(int key, const QString& text = QString())
    {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : view.get();
        QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(target, &e);
    }
    void TypeAt(const CPoint& logical, const QString& text)
    {
        QCursor::setPos(view->viewport()->mapToGlobal(At(logical)));
        for (QChar c : text)
            Key(0, QString(c));
    }
    std::vector<CFigure*> Labels() const
    {
        std::vector<CFigure*> labels;
        fx.doc.ForEachFigure([&](CFigure* f) {
            if (f->m_bLabel)
                labels.push_back(f);
        });
        return labels;
    }
    FakeAppContext app;
    CFigure* lanes = nullptr;
    MessageBeepHandler previousBeep = nullptr;
};
} // namespace

TEST_F(LaneTextTest, TextModeTypingMakesALabelOnEachLane)
{
    g_nUIMode = kTextMode;
    const size_t before = Labels().size();
    const std::string lanesText = lanes->m_strText;
    TypeAt(InLane(1), "Sales");
    Key(Qt::Key_Escape);
    TypeAt(InLane(2), "Warehouse");
    Key(Qt::Key_Escape);
    EXPECT_EQ(view->TextEditor(), nullptr);
    EXPECT_EQ(lanes->m_strText, lanesText);

    const std::vector<CFigure*> labels = Labels();
    ASSERT_EQ(labels.size(), before + 2);
    const CFigure* sales = labels[before];
    const CFigure* warehouse = labels[before + 1];
    EXPECT_EQ(sales->m_strText, "Sales");
    EXPECT_EQ(warehouse->m_strText, "Warehouse");
    for (const auto& [label, lane] : {std::pair{sales, 1}, std::pair{warehouse, 2}}) {
        const auto [top, bottom] = LaneBand(lane);
        EXPECT_GT(label->m_rect.CenterPoint().y, top) << label->m_strText;
        EXPECT_LT(label->m_rect.CenterPoint().y, bottom) << label->m_strText;
    }
    EXPECT_EQ(Steps(), 2);
    EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_CREATELBL);
    EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_CREATELBL);
    EXPECT_TRUE(DocText(fx.doc) == saved);
}

// Select mode types into a figure's text; a lane has none there to take it.
TEST_F(LaneTextTest, SelectModeTypingOnALaneBeeps)
{
    TypeAt(InLane(1), "S");
    EXPECT_EQ(g_beeps, 1);
    EXPECT_EQ(view->TextEditor(), nullptr);
    EXPECT_EQ(Steps(), 0);
    EXPECT_TRUE(DocText(fx.doc) == saved);
}
