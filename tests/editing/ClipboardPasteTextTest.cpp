// Pasted text as a label when the document has no label style: the label
// takes the document's own label properties, and a label style, when there
// is one, becomes the current one.
#include "common/DiagramFixture.h"

#include "editing/ClipboardCommands.h"
#include "fileformat/DiagramRecordWriter.h"
#include "keyword/KeywordStreams.h"
#include "undo/UndoCodes.h"

#include <gtest/gtest.h>

namespace {
std::string DocText(CKavoDoc& doc)
{
    CStringKeywordSink sink;
    CKeywordWriter w(sink);
    EXPECT_TRUE(WriteDiagramText(w, doc, {}));
    return sink.text;
}
} // namespace

TEST(ClipboardPasteText, WithoutALabelStyleTheDocumentsLabelPropertiesServe)
{
    DiagramFixture fx;
    CKavoDoc& doc = fx.doc;
    for (int i = doc.m_figStyles.GetCount() - 1; i >= 0; --i)
        doc.m_figStyles.Delete(i);
    doc.SetCurLblStyle(-1);
    doc.ResetUndoLog();
    const std::string saved = DocText(doc);
    CFigure* label = PastePlainTextAsLabel(doc, "one\r\ntwo", CPoint(500, 500));
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(label->m_bLabel);
    EXPECT_EQ(label->m_nStyle, -1);
    EXPECT_EQ(label->m_strText, "one\\line two");
    EXPECT_EQ(label->m_rect.TopLeft(), CPoint(500, 500));
    EXPECT_EQ(doc.m_nCurLblStyle, -1);
    ASSERT_EQ(doc.UndoLogRef().GetLastUndoStepCode(), UDMAC_PASTE);
    doc.UndoLastStep();
    EXPECT_EQ(DocText(doc), saved);
}

TEST(ClipboardPasteText, TheFirstLabelStyleBecomesCurrent)
{
    DiagramFixture fx;
    CKavoDoc& doc = fx.doc;
    int first = -1;
    for (int i = 0; i < doc.m_figStyles.GetCount() && first < 0; ++i)
        if (doc.m_figStyles.GetAt(i)->Label)
            first = i;
    ASSERT_GE(first, 0);
    doc.SetCurLblStyle(-1);
    CFigure* label = PastePlainTextAsLabel(doc, "x", CPoint(0, 0));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(doc.m_nCurLblStyle, first);
    EXPECT_EQ(label->m_nStyle, first);
    // Nothing to paste: no label and no step.
    const int steps = int(doc.UndoLogRef().m_nStepsRecorded);
    EXPECT_EQ(PastePlainTextAsLabel(doc, "", CPoint(0, 0)), nullptr);
    EXPECT_EQ(PasteMarkupAsLabel(doc, "{\\fonttbl {\\f0 Arial;}}", CPoint(0, 0)), nullptr);
    EXPECT_EQ(int(doc.UndoLogRef().m_nStepsRecorded), steps);
}
