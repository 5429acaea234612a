// Text typed into one compartment of a class box, on the shipped UML class
// template in a real view: the compartment grows to hold it and the other
// compartments keep their heights; a box that wraps its text still takes a
// long line by growing rather than by breaking it; undo takes the diagram
// back to its saved text. The lower compartment of the template's class
// boxes takes text like the others.
#include "ViewEvents.h"
#include "common/FakeAppContext.h"
#include "core/UIMode.h"
#include "editing/ui/CTextDialog.h"
#include "editing/ui/TextEntrySeams.h"
#include "richtext/FigureTextFit.h"
#include "richtext/TextUtils.h"
#include "undo/UndoCodes.h"

#include <QCursor>

namespace {
constexpr DWORD kWrapFlag = 0x8000;

struct CompartmentTextTest : testing::Test, ViewEvents {
    void SetUp() override
    {
        ASSERT_TRUE(fx.doc.OpenDocumentUnlocked(KAVO_RESOURCE_DIR "/Template/UML Class Diagram.kvd", false));
        g_nUIMode = 0;
        ShowActiveView(app);
        customer = FigureWithText("Customer");
        ASSERT_NE(customer, nullptr);
        Save();
        saved = Purged();
    }
    void TearDown() override
    {
        SaveViewShot(*view);
        view.reset();
        SetAppContext(nullptr);
    }
    CFigure* FigureWithText(const std::string& part) const
    {
        for (CDiagObj* o : *fx.doc.m_pObjList)
            if (o->GetType() == kObjFigure && static_cast<CFigure*>(o)->m_strText.find(part) != std::string::npos)
                return static_cast<CFigure*>(o);
        return nullptr;
    }
    CRect Area(const CFigure* f, int area) const
    {
        CRect r;
        EXPECT_TRUE(f->GetTextAreaRect(area, r));
        return r;
    }
    // The pointer over the area, then the keys as the user types them.
    void TypeInto(const CFigure* f, int area, const QString& text)
    {
        QCursor::setPos(view->viewport()->mapToGlobal(At(Area(f, area).CenterPoint())));
        for (QChar c : text)
            Key(0, QString(c));
    }
    void Key(int key, const QString& text = QString())
    {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : view.get();
        QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(target, &e);
    }
    std::string Section(const CFigure* f, int area) const { return GetTextSection(f->m_strText, area); }
    // The symbol copies the growing compartment stood on stay in the
    // library, unused after the undo, until the next purge.
    std::string Purged()
    {
        fx.doc.m_figSymbols.PurgeUnused(fx.doc);
        return DocText(fx.doc);
    }
    void ExpectUndoToSaved()
    {
        EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_TEXTEDIT);
        EXPECT_TRUE(Purged() == saved);
    }
    FakeAppContext app;
    CFigure* customer = nullptr;
};
} // namespace

// Lines added to the middle compartment grow it: first into the room the
// operations below leave beside their text, then by growing the figure;
// the name keeps its height and the operations stay readable.
TEST_F(CompartmentTextTest, ACompartmentGrowsForItsTextTheNameKeepsItsHeight)
{
    const int name = Area(customer, 0).Height(), ops = Area(customer, 2).Height();
    const int middle = Area(customer, 1).Height(), height = customer->m_rect.Height();
    TypeInto(customer, 1, "x");
    ASSERT_NE(view->TextEditor(), nullptr);
    ASSERT_EQ(view->TextEditor()->Section(), 1);
    for (const char* line : {"id: Integer", "phone: String", "fax: String", "city: String", "zip: String"}) {
        Key(Qt::Key_Return);
        for (char c : std::string(line))
            Key(0, QString(QChar(c)));
    }
    EXPECT_GT(Area(customer, 1).Height(), middle);
    EXPECT_GT(customer->m_rect.Height(), height);
    EXPECT_NEAR(Area(customer, 0).Height(), name, 2);
    EXPECT_LT(Area(customer, 2).Height(), ops);
    EXPECT_GE(Area(customer, 2).Height(), MeasureSectionText(*customer, 2, Area(customer, 2).Width()));
    Key(Qt::Key_Escape);
    EXPECT_EQ(view->TextEditor(), nullptr);
    EXPECT_EQ(Section(customer, 1), "x\\line id: Integer\\line phone: String\\line fax: String\\line city: "
                                    "String\\line zip: String");
    ExpectUndoToSaved();
}

// A class box that wraps its text takes a line too long for its compartment
// by growing wider: no soft break goes into the text.
TEST_F(CompartmentTextTest, AWrappingBoxTakesALongLineByGrowing)
{
    customer->m_props.Behavior.low |= kWrapFlag;
    Save();
    saved = Purged();
    const int width = customer->m_rect.Width();
    const int name = Area(customer, 0).Height(), ops = Area(customer, 2).Height();
    TypeInto(customer, 1, "a_very_long_attribute_name_for_this_box: String");
    ASSERT_NE(view->TextEditor(), nullptr);
    Key(Qt::Key_Escape);
    EXPECT_EQ(Section(customer, 1), "a_very_long_attribute_name_for_this_box: String");
    EXPECT_GT(customer->m_rect.Width(), width);
    EXPECT_NEAR(Area(customer, 0).Height(), name, 2);
    EXPECT_NEAR(Area(customer, 2).Height(), ops, 2);
    ExpectUndoToSaved();
}

// The lower compartment of a class box from the template is a text area of
// its own: typing there edits it, not a label beside the box.
TEST_F(CompartmentTextTest, TheLowerCompartmentTakesText)
{
    CFigure* product = FigureWithText("Product");
    ASSERT_NE(product, nullptr);
    ASSERT_EQ(product->GetTextAreaCount(), 3);
    const int objects = fx.doc.GetObjCount();
    TypeInto(product, 2, "getPrice()");
    ASSERT_NE(view->TextEditor(), nullptr);
    EXPECT_EQ(view->TextEditor()->Figure(), product);
    EXPECT_EQ(view->TextEditor()->Section(), 2);
    Key(Qt::Key_Escape);
    EXPECT_EQ(Section(product, 2), "getPrice()");
    EXPECT_EQ(fx.doc.GetObjCount(), objects);
    ExpectUndoToSaved();
}
