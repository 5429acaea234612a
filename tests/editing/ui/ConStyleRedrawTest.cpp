// A changed connector style redraws its connectors on the view where they
// were and where they are now.
#include "ModeGestureFixture.h"

#include "core/Units.h"
#include "document/ConStyleEdits.h"

namespace {
struct ConStyleRedrawTest : ModeGestureFixture {};
} // namespace

TEST_F(ConStyleRedrawTest, AWidthChangeLeavesNoTraceOfTheOldLine)
{
    ConStyleValues v;
    v.name = "thick";
    v.props = con->m_props;
    v.props.LineWidth = SizeValueToCode(12.0);
    ASSERT_EQ(AddConStyle(fx.doc, v), 1);
    const int s = fx.doc.m_conStyles.GetCount() - 1;
    con->m_nStyle = s;
    con->m_props = v.props;
    con->m_props.BindToStyle = 1;
    view->InvalidateAll();
    view->FlushPaint();
    for (double width : {1.0, 12.0}) {
        SCOPED_TRACE(width);
        v.props.LineWidth = SizeValueToCode(width);
        ModifyConStyle(fx.doc, s, v);
        EXPECT_EQ(con->m_props.LineWidth, SizeValueToCode(width));
        ExpectNoFeedbackLeft();
    }
}
