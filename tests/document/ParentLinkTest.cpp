// The link to a parent diagram, as the links between diagrams use it.
#include "DocTestSupport.h"

TEST_F(DocTest, ParentLinkIsTheStoredPathAndGoesWithTheContents)
{
    EXPECT_FALSE(doc.HasParentLink());
    *doc.GetParentLinkRec() = "/diagrams/top.kdg";
    EXPECT_TRUE(doc.HasParentLink());
    EXPECT_EQ(doc.m_strParent, "/diagrams/top.kdg");
    doc.DeleteContents();   // a diagram read in place must not keep the old parent
    EXPECT_FALSE(doc.HasParentLink());
}
