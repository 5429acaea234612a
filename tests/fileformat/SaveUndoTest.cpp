// A save gives every object a fresh id, which the undo records of the steps
// before could no longer find: the log is emptied, and the Undo item says
// so by reading "&Undo" alone and being disabled.
#include "common/TestSupport.h"
#include "fileformat/FileFormatTestSupport.h"
#include "undo/UndoCodes.h"

namespace {
using SaveUndo = FileFolderTest;
} // namespace

TEST_F(SaveUndo, SavingEmptiesTheLogAndTheUndoItemSaysSo)
{
    CKavoDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    CFigProps props;
    ASSERT_TRUE(doc.AddNewFig(UDMAC_CREATEFIG,
                              new CFigure(0, 0, 100, 100, props, -1, 0, "", "", CFigure::CreateArgs(), &doc), true));
    std::string text;
    ASSERT_TRUE(doc.GetUndoMenuState(text));
    EXPECT_EQ(text, "&Undo Create Figure\tCtrl+Z");
    ASSERT_TRUE(doc.OnSaveDocument(Path("saved.kvd")));
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_FALSE(doc.GetUndoMenuState(text));
    EXPECT_EQ(text, "&Undo");
    EXPECT_EQ(doc.UndoLastStep(), 0) << "nothing to undo";
    EXPECT_EQ(doc.m_pObjList->GetCount(), 1);
}
