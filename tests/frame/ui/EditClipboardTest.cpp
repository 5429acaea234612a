// Copy and Paste of diagram objects through the system clipboard: the
// diagram text under its MIME type, a single figure's plain text beside it,
// and the picture paste when the clipboard holds no diagram (plain text is
// a label: ClipboardCommandsTest.cpp).
#include "common/DiagramFixture.h"
#include "common/TestSupport.h"
#include "editing/ui/CKavoView.h"
#include "fileformat/CPasteLoadObj.h"
#include "frame/ui/CMainFrame.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <gtest/gtest.h>

namespace {
bool ClipboardHasDiagramText()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->data(kDiagramMimeType).startsWith("KAVO");
}
} // namespace

TEST(EditClipboard, CopyCutAndPasteDiagramObjects)
{
    CRecordingPrompt prompt;
    DiagramFixture fx;
    CMainFrame frame;
    frame.AddViewFrame(new CKavoView(&fx.doc), "d");
    fx.doc.Select(fx.AddBox(100, 100, 300, 200, "A"));
    QGuiApplication::clipboard()->clear();
    EXPECT_FALSE(frame.Commands().QueryCmdState(57637).enabled);

    ASSERT_TRUE(frame.OnCommand(57634));
    ASSERT_TRUE(ClipboardHasDiagramText());
    EXPECT_EQ(QGuiApplication::clipboard()->mimeData()->text(), "A");
    EXPECT_TRUE(frame.Commands().QueryCmdState(57637).enabled);
    EXPECT_TRUE(frame.Commands().QueryCmdState(32781).enabled);

    ASSERT_TRUE(frame.OnCommand(57637));
    ASSERT_EQ(fx.doc.m_pObjList->GetCount(), 2);
    EXPECT_TRUE(fx.doc.m_pObjList->GetAt(1)->m_bSelected) << "the pasted box is the selection";
    EXPECT_TRUE(prompt.shown.empty());

    // Cut puts the pasted box on the clipboard and takes it away.
    QGuiApplication::clipboard()->clear();
    ASSERT_TRUE(frame.OnCommand(57635));
    EXPECT_EQ(fx.doc.m_pObjList->GetCount(), 1);
    EXPECT_TRUE(ClipboardHasDiagramText());
    ASSERT_TRUE(frame.OnCommand(57637));
    ASSERT_EQ(fx.doc.m_pObjList->GetCount(), 2);

    // Without diagram data the picture paste takes the clipboard; with
    // nothing it can take the paste is reported.
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    QGuiApplication::clipboard()->setImage(image);
    EXPECT_TRUE(frame.Commands().QueryCmdState(57637).enabled);
    EXPECT_FALSE(frame.Commands().QueryCmdState(32781).enabled);
    ASSERT_TRUE(frame.OnCommand(57637));
    EXPECT_EQ(fx.doc.m_pObjList->GetCount(), 3) << "a picture figure";
    auto* unknown = new QMimeData;
    unknown->setData("application/x-unknown", "data");
    QGuiApplication::clipboard()->setMimeData(unknown);
    ASSERT_TRUE(frame.OnCommand(57637));
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text, "Unable to paste from the clipboard");
    EXPECT_EQ(fx.doc.m_pObjList->GetCount(), 3);
    QGuiApplication::clipboard()->clear();
}
