// Swapping two styles' places on the style bar, with the layouts before the
// first change kept for Reset to Default.
#include "../document/DocTestSupport.h"

#include "frame/StyleBarSwap.h"

#include <gtest/gtest.h>

namespace {

class StyleBarSwapTest : public DocTest {
protected:
    void SetUp() override
    {
        DocTest::SetUp();
        doc.m_figStyles.RemoveAll();
        doc.m_conStyles.RemoveAll();
        for (const char* name : {"A", "B", "C"})
            AddFig(name, 0);
        for (const char* name : {"L1", "L2"})
            AddFig(name, 1);
        for (const char* name : {"K1", "K2"}) {
            CConProps props;
            doc.m_conStyles.AddConStyle(&props, name, 1, 1, "", "", 0, "", 0, 0, 0, 0);
        }
        doc.ResetStyleLayouts();
        doc.InitStyleMenus();
        doc.SetModifiedFlag(false);
    }
    void AddFig(const std::string& name, int label)
    {
        CFigProps props;
        doc.m_figStyles.AddFigStyle(&props, name, 1, 1, label, "", "", 100, 50, "", "", nullptr, 0, "");
    }
    static std::vector<std::string> Names(const CStyleMenuLayout& l) { return {l.m_names, l.m_names + l.m_nCount}; }
    using NameList = std::vector<std::string>;
};

} // namespace

TEST_F(StyleBarSwapTest, SwapsStylesInTheLayoutOfTheirKindAndRefusesBadPairs)
{
    const int a = doc.m_figStyles.FindByName("A"), c = doc.m_figStyles.FindByName("C");
    const int l1 = doc.m_figStyles.FindByName("L1"), l2 = doc.m_figStyles.FindByName("L2");
    const struct {
        int a, b;
    } refused[] = {{-1, a}, {a, -1}, {a, a}, {99, a}};
    for (const auto& r : refused)
        EXPECT_FALSE(SwapFigStylesOnBar(doc, r.a, r.b)) << r.a << " " << r.b;
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(SwapFigStylesOnBar(doc, a, c));
    EXPECT_EQ(Names(doc.m_figButtons), (NameList{"C", "B", "A"}));
    EXPECT_TRUE(doc.IsModified());
    // The snapshot holds the order before the first swap.
    EXPECT_EQ(Names(doc.m_figButtonsRestore), (NameList{"A", "B", "C"}));
    EXPECT_TRUE(SwapFigStylesOnBar(doc, l2, l1));
    EXPECT_EQ(Names(doc.m_lblButtons), (NameList{"L2", "L1"}));
    EXPECT_TRUE(SwapConStylesOnBar(doc, 1, 0));
    EXPECT_EQ(Names(doc.m_conButtons), (NameList{"K2", "K1"}));
    EXPECT_FALSE(SwapConStylesOnBar(doc, 5, 0));
    // A style that is not on the bar cannot change places.
    doc.m_figButtons.RemoveAt(doc.m_figButtons.FindIndex(c));
    EXPECT_FALSE(SwapFigStylesOnBar(doc, a, c));
}
