// Two connection points are the same only when position, anchoring, id, flag
// and name all agree; two lists only with equal points in the same order.
#include "shapes/CConPtList.h"

#include <gtest/gtest.h>

#include <functional>

TEST(ConPtEquality, EveryFieldCountsAndTheOrderToo)
{
    CConPt base;
    base.m_pos = CFltPoint(512, 2048);
    base.m_strName = "in";
    base.m_nFlag = 0;
    base.m_nId = 3;
    struct Row {
        const char* what;
        std::function<void(CConPt&)> edit;
    };
    const Row rows[] = {
        {"x", [](CConPt& p) { p.m_pos.x = 513; }},
        {"y", [](CConPt& p) { p.m_pos.y = 0; }},
        {"anchoring", [](CConPt& p) { p.m_pos = CFltPoint(512, 2048, 1, 0); }},
        {"id", [](CConPt& p) { p.m_nId = 4; }},
        {"flag", [](CConPt& p) { p.m_nFlag = 1; }},
        {"name", [](CConPt& p) { p.m_strName = "In"; }},
    };
    for (const Row& r : rows) {
        CConPt other(base);
        EXPECT_TRUE(other.IsEqual(base)) << r.what;
        r.edit(other);
        EXPECT_FALSE(other.IsEqual(base)) << r.what;
    }

    CConPtList a, b;
    a.AddConPt(CFltPoint(0, 0), "left", 0, true, -1);
    a.AddConPt(CFltPoint(2048, 0), "right", 0, true, -1);
    b.CopyFrom(a);
    EXPECT_TRUE(a.IsEqual(b));
    CConPtList reversed;
    reversed.AddConPt(CFltPoint(2048, 0), "right", 0, true, 2);
    reversed.AddConPt(CFltPoint(0, 0), "left", 0, true, 1);
    EXPECT_FALSE(a.IsEqual(reversed)) << "the same points in another order";
    b.AddConPt(CFltPoint(0, 2048), "", 0, true, -1);
    EXPECT_FALSE(a.IsEqual(b));
    EXPECT_FALSE(b.IsEqual(a));
}
