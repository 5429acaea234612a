// What a copy takes besides the selection: the junctions of copied
// connectors (while two copied connectors still end on them), connectors
// whose two ends are copied, and the selection flags stay as they were.
#include "document/DocTestSupport.h"

#include "fileformat/DiagramClipboard.h"

#include <set>
#include <sstream>

namespace {
// The ids of the objects in copy text ("Figure 3", "Connector 5").
std::set<std::string> CopiedObjects(const std::string& text)
{
    std::set<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.rfind("Figure ", 0) == 0 || line.rfind("Connector ", 0) == 0)
            out.insert(line);
    }
    return out;
}

class CopySetTest : public DocTest {
protected:
    void SetUp() override
    {
        DocTest::SetUp();
        a = NewFig(doc, 0, 0, "A");
        b = NewFig(doc, 1000, 0, "B");
        ASSERT_TRUE(doc.AddFigWithId(a) && doc.AddFigWithId(b));   // 1, 2
        jct = doc.CreateFigAt(CPoint(500, 500), 1);                // 3
        c1 = NewCon(doc, a, jct);
        c2 = NewCon(doc, jct, b);
        direct = NewCon(doc, a, b);
        ASSERT_TRUE(doc.AddConWithId(c1) && doc.AddConWithId(c2) && doc.AddConWithId(direct));   // 4, 5, 6
        ASSERT_TRUE(jct->IsInvisible());
    }
    std::set<std::string> Copy(const std::vector<CDiagObj*>& sel)
    {
        doc.ClearSelection();
        for (CDiagObj* o : sel)
            doc.Select(o);
        std::vector<int> before;
        for (CDiagObj* o : *doc.m_pObjList)
            before.push_back(o->m_bSelected);
        const std::set<std::string> copied = CopiedObjects(CopyDiagramObjects(doc));
        std::vector<int> after;
        for (CDiagObj* o : *doc.m_pObjList)
            after.push_back(o->m_bSelected);
        EXPECT_EQ(after, before) << "the selection flags come back";
        return copied;
    }
    CFigure *a = nullptr, *b = nullptr, *jct = nullptr;
    CConnector *c1 = nullptr, *c2 = nullptr, *direct = nullptr;
};
} // namespace

TEST_F(CopySetTest, JunctionsAndConnectorsTravelWithTheSelection)
{
    using Set = std::set<std::string>;
    EXPECT_EQ(Copy({c1}), (Set{"Connector 4"})) << "a junction with one copied connector stays behind";
    EXPECT_EQ(Copy({c1, c2}), (Set{"Figure 3", "Connector 4", "Connector 5"}));
    EXPECT_EQ(Copy({a, b}), (Set{"Figure 1", "Figure 2", "Connector 6"})) << "the connector between them";
    EXPECT_EQ(Copy({a, b, c1}),
              (Set{"Figure 1", "Figure 2", "Figure 3", "Connector 4", "Connector 5", "Connector 6"}));
    EXPECT_EQ(Copy({a}), (Set{"Figure 1"}));
}
