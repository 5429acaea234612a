// The link to a parent diagram, and a document that could not be built.
#include "DocTestSupport.h"

#include "platform/GlobalMem.h"

TEST_F(DocTest, ParentLinkIsTheStoredPathAndGoesWithTheContents)
{
    EXPECT_FALSE(doc.HasParentLink());
    *doc.GetParentLinkRec() = "/diagrams/top.kdg";
    EXPECT_TRUE(doc.HasParentLink());
    EXPECT_EQ(doc.m_strParent, "/diagrams/top.kdg");
    doc.DeleteContents();   // a diagram read in place must not keep the old parent
    EXPECT_FALSE(doc.HasParentLink());
}

TEST(DocLifeTest, DocumentBuiltWithoutMemoryIsRefusedUntilItCanInitialise)
{
    SetGlobalMemoryLimit(1024);   // the undo buffer cannot be had
    CKavoDoc doc;
    EXPECT_FALSE(doc.HasLists());
    EXPECT_FALSE(doc.OnNewDocument());
    SetGlobalMemoryLimit(0);
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_TRUE(doc.HasLists());
    EXPECT_EQ(doc.m_figSymbols.GetCount(), 2);
    EXPECT_EQ(doc.m_moveSet.GetDoc(), &doc);
    EXPECT_NE(doc.m_moveSet.GetList(), nullptr);
}
