// Copy, the Paste commands and Duplicate through the frame's commands and
// the real (offscreen) system clipboard: within a diagram, between two
// diagrams, text and rich text from other programs, and clipboard data that
// is damaged or too large. Each change is one undo step whose undo gives the
// saved text back byte for byte.
#include "common/DiagramFixture.h"
#include "common/TestSupport.h"
#include "core/Units.h"
#include "document/CStaple.h"
#include "editing/ui/CKavoView.h"
#include "fileformat/CPasteLoadObj.h"
#include "fileformat/DiagramRecordWriter.h"
#include "frame/ui/CKavoFrm.h"
#include "frame/ui/CMainFrame.h"
#include "keyword/KeywordStreams.h"
#include "platform/Ansi.h"
#include "render/DiagramExport.h"
#include "richtext/TextUtils.h"
#include "undo/UndoCodes.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMdiArea>
#include <QMimeData>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {
std::string DocText(CKavoDoc& doc)
{
    CStringKeywordSink sink;
    CKeywordWriter w(sink);
    EXPECT_TRUE(WriteDiagramText(w, doc, {}));
    return sink.text;
}

QClipboard* Clip()
{
    return QGuiApplication::clipboard();
}

void SetClipboard(const char* mime, const QByteArray& bytes)
{
    auto* data = new QMimeData;
    data->setData(mime, bytes);
    Clip()->setMimeData(data);
}

std::string PlainOf(const CFigure* fig)
{
    std::string plain;
    fig->GetPlainText(plain, -1);
    MarkupToClipboardText(plain);
    return plain;
}

struct ClipboardCommandsTest : testing::Test {
    void SetUp() override
    {
        a = fx.AddBox(100, 100, 300, 200, "A");
        b = fx.AddBox(800, 100, 300, 200, "B");
        con = fx.Connect(a, b);
        fx.doc.m_bAlignToGrid = 0;
        other.doc.m_bAlignToGrid = 0;
        frm1 = frame.AddViewFrame(new CKavoView(&fx.doc), "one");
        frm2 = frame.AddViewFrame(new CKavoView(&other.doc), "two");
        Activate(frm1);
        Clip()->clear();
        Saved();
    }
    void TearDown() override { Clip()->clear(); }
    void Activate(CKavoFrm* f)
    {
        frame.MdiArea()->setActiveSubWindow(f);
        frame.MdiArea()->setActiveSubWindow(f);
    }
    void Saved()
    {
        fx.doc.ResetUndoLog();
        other.doc.ResetUndoLog();
        saved = DocText(fx.doc);
        savedOther = DocText(other.doc);
    }
    void SelectAll()
    {
        fx.doc.ClearSelection();
        for (CDiagObj* o : {static_cast<CDiagObj*>(a), static_cast<CDiagObj*>(con), static_cast<CDiagObj*>(b)})
            fx.doc.SelectObj(o, 2, 0, 0);
    }
    // The last step has the code; its undo gives the saved text back.
    static void ExpectUndoneTo(CKavoDoc& doc, int code, const std::string& text)
    {
        ASSERT_EQ(doc.UndoLogRef().GetLastUndoStepCode(), code);
        doc.UndoLastStep();
        EXPECT_EQ(DocText(doc), text);
        EXPECT_FALSE(doc.CanUndo()) << "exactly one step";
    }

    CRecordingPrompt prompt;
    DiagramFixture fx, other;
    CMainFrame frame;
    CKavoFrm* frm1 = nullptr;
    CKavoFrm* frm2 = nullptr;
    CFigure* a = nullptr;
    CFigure* b = nullptr;
    CConnector* con = nullptr;
    std::string saved, savedOther;
};
} // namespace

TEST_F(ClipboardCommandsTest, CopyOffersDiagramTextAndPicturesOtherReadersAccept)
{
    SelectAll();
    Saved();
    ASSERT_TRUE(frame.OnCommand(57634));
    const QMimeData* data = Clip()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->data(kDiagramMimeType).startsWith("KAVO"));
    EXPECT_FALSE(data->hasText()) << "text only for one selected figure";
    const QImage png = QImage::fromData(data->data("image/png"), "PNG");
    ASSERT_FALSE(png.isNull());
    // The selection's export rectangle at screen size.
    const CRect rect = GetExportRect(fx.doc, kExportSelected, nullptr, false);
    EXPECT_EQ(png.width(), LogicalToScreenPixels(rect.Width()));
    EXPECT_EQ(png.height(), LogicalToScreenPixels(rect.Height()));
    const QByteArray emf = data->data("image/emf");
    ASSERT_GT(emf.size(), 88);
    uint32_t type = 0, signature = 0, bytes = 0;
    std::memcpy(&type, emf.constData(), 4);
    std::memcpy(&signature, emf.constData() + 40, 4);
    std::memcpy(&bytes, emf.constData() + 48, 4);
    EXPECT_EQ(type, 1u) << "EMR_HEADER";
    EXPECT_EQ(signature, 0x464D4520u) << "\" EMF\"";
    EXPECT_EQ(bytes, uint32_t(emf.size()));
    // The copy is a step of its own that changes nothing; its undo empties
    // the clipboard.
    EXPECT_EQ(DocText(fx.doc), saved);
    ExpectUndoneTo(fx.doc, UDMAC_COPYOBJS, saved);
    const QMimeData* after = Clip()->mimeData();
    EXPECT_TRUE(!after || !after->hasFormat(kDiagramMimeType));

    // One figure with text offers its text as well, connectors not counted.
    fx.doc.ClearSelection();
    fx.doc.SelectObj(a, 2, 0, 0);
    fx.doc.SelectObj(con, 2, 0, 0);
    ASSERT_TRUE(frame.OnCommand(57634));
    EXPECT_EQ(Clip()->text(), "A");
}

TEST_F(ClipboardCommandsTest, PasteWithinAndBetweenDiagrams)
{
    SelectAll();
    ASSERT_TRUE(frame.OnCommand(57634));
    Saved();

    // Into the second diagram: at the objects' own places.
    Activate(frm2);
    ASSERT_EQ(frame.GetActiveDocument(), &other.doc);
    ASSERT_TRUE(frame.OnCommand(57637));
    ASSERT_EQ(other.doc.m_pObjList->GetCount(), 3);
    const auto* pastedA = static_cast<CFigure*>(other.doc.m_pObjList->GetAt(0));
    EXPECT_EQ(pastedA->m_rect, a->m_rect);
    EXPECT_EQ(PlainOf(pastedA), "A");
    EXPECT_EQ(other.doc.GetSelCount(), 3);
    ExpectUndoneTo(other.doc, UDMAC_PASTE, savedOther);
    EXPECT_EQ(DocText(fx.doc), saved) << "the source is untouched";

    // Into the copied diagram: fresh ids, the copies attached to each other.
    Activate(frm1);
    ASSERT_TRUE(frame.OnCommand(57637));
    ASSERT_EQ(fx.doc.m_pObjList->GetCount(), 6);
    EXPECT_EQ(fx.doc.GetSelCount(), 3) << "the pasted objects are the selection";
    CConnector* pastedCon = nullptr;
    for (int i = 3; i < 6; ++i) {
        CDiagObj* o = fx.doc.m_pObjList->GetAt(i);
        EXPECT_TRUE(o->m_bSelected);
        EXPECT_EQ(o->m_nId, i + 1) << "fresh ids after the document's";
        if (o->GetType() == kObjConnector)
            pastedCon = static_cast<CConnector*>(o);
    }
    ASSERT_NE(pastedCon, nullptr);
    EXPECT_TRUE(pastedCon->GetEndFig(1) && pastedCon->GetEndFig(1)->m_bSelected) << "attached to the copies";
    ExpectUndoneTo(fx.doc, UDMAC_PASTE, saved);
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(ClipboardCommandsTest, DuplicateOffsetsByTwoGridStepsOrSixteen)
{
    struct Case {
        int snap, grid, offset;
    };
    for (const Case c : {Case{0, 8, 16}, Case{1, 8, 16}, Case{1, 32, 64}}) {
        fx.doc.m_bAlignToGrid = c.snap;
        fx.doc.m_nSnapX = fx.doc.m_nSnapY = c.grid;
        fx.doc.ClearSelection();
        fx.doc.SelectObj(a, 1, 0, 0);
        Saved();
        ASSERT_TRUE(frame.OnCommand(32768));
        ASSERT_EQ(fx.doc.m_pObjList->GetCount(), 4);
        const auto* copy = static_cast<CFigure*>(fx.doc.m_pObjList->GetAt(3));
        EXPECT_EQ(copy->m_rect, CRect(100 + c.offset, 100 + c.offset, 400 + c.offset, 300 + c.offset));
        EXPECT_EQ(copy->m_nId, 4);
        EXPECT_TRUE(copy->m_bSelected && !a->m_bSelected);
        EXPECT_EQ(PlainOf(copy), "A");
        ExpectUndoneTo(fx.doc, UDMAC_DUPLICATE, saved);
    }
}

TEST_F(ClipboardCommandsTest, PastedTextBecomesALabel)
{
    struct Case {
        const char* name;
        int command;
        const char* mime;
        QByteArray bytes;
        std::string plain;
    };
    const std::string longText(3 << 20, 'x');
    const Case cases[] = {
        {"plain", 57637, "text/plain", "Hello\nWorld", "Hello\r\nWorld"},
        {"plain as text", 32786, "text/plain", "Hi", "Hi"},
        {"megabytes cut", 57637, "text/plain", QByteArray::fromStdString(longText), std::string(4095, 'x')},
        {"rtf", 32788, "text/rtf", "{\\rtf1\\ansi {\\b bold} plain}", "bold plain"},
        {"own rich text", 57637, "application/x-kavo-krtf", "\\b strong\\b0 ", "strong"},
    };
    for (const Case& c : cases) {
        Saved();
        SetClipboard(c.mime, c.bytes);
        ASSERT_TRUE(frame.OnCommand(c.command)) << c.name;
        ASSERT_EQ(fx.doc.m_pObjList->GetCount(), 4) << c.name;
        const auto* label = static_cast<CFigure*>(fx.doc.m_pObjList->GetAt(3));
        EXPECT_TRUE(label->m_bLabel) << c.name;
        EXPECT_TRUE(label->m_bSelected) << c.name;
        std::string plain = PlainOf(label);
        EXPECT_EQ(plain.size(), c.plain.size()) << c.name << " " << label->m_strText;
        EXPECT_EQ(plain.substr(0, 40), c.plain.substr(0, 40)) << c.name;
        ExpectUndoneTo(fx.doc, UDMAC_PASTE, saved);
    }
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(ClipboardCommandsTest, DamagedOrRefusedDataLeavesTheDocumentAsItWas)
{
    SelectAll();
    ASSERT_TRUE(frame.OnCommand(57634));
    const QByteArray good = Clip()->mimeData()->data(kDiagramMimeType);
    const int figure = good.indexOf("\r\nFigure 1\r\n");
    ASSERT_GT(figure, 0);
    QByteArray badId = good;
    badId.replace(figure, 12, "\r\nFigure 99999\r\n");
    // A bitmap file whose header claims 60000 x 60000 pixels and holds none.
    QByteArray hugeBmp(54, '\0');
    auto put = [&](int at, uint32_t v, int n) {
        for (int i = 0; i < n; ++i)
            hugeBmp[at + i] = char((v >> (8 * i)) & 0xFF);
    };
    hugeBmp[0] = 'B';
    hugeBmp[1] = 'M';
    put(2, 54, 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, 60000, 4);
    put(22, 60000, 4);
    put(26, 1, 2);
    put(28, 24, 2);
    struct Case {
        const char* name;
        int command;
        const char* mime;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"absurd bitmap", 32784, "image/bmp", hugeBmp},
        {"not diagram text", 32781, kDiagramMimeType, "garbage"},
        {"header only", 32781, kDiagramMimeType, good.left(good.indexOf('\n', good.indexOf('\n') + 1) + 1) + "Figure"},
        {"cut inside the connector", 57637, kDiagramMimeType, good.left(good.lastIndexOf("EndPoint1"))},
        {"id out of range", 57637, kDiagramMimeType, badId},
        {"binary", 57637, kDiagramMimeType, QByteArray("KAVO\0\xff\xfe\x01", 8)},
        {"empty", 32781, kDiagramMimeType, QByteArray()},
        {"broken png", 57637, "image/png", QByteArray("\x89PNG\r\n\x1a\n\0\0", 10)},
        {"broken emf", 32783, "image/emf", QByteArray(100, '\x01')},
        {"unknown format", 57637, "application/x-unknown", "data"},
        {"rich text of nothing", 32788, "application/x-kavo-krtf", "{\\b}"},
        {"no text", 32786, "text/plain", ""},
    };
    for (const Case& c : cases) {
        Saved();
        prompt.shown.clear();
        SetClipboard(c.mime, c.bytes);
        frame.OnCommand(c.command);
        EXPECT_EQ(DocText(fx.doc), saved) << c.name;
        EXPECT_EQ(fx.doc.m_pObjList->GetCount(), 3) << c.name;
        EXPECT_FALSE(fx.doc.CanUndo()) << c.name << ": no step left behind";
        ASSERT_EQ(prompt.shown.size(), 1u) << c.name;
        EXPECT_EQ(prompt.shown[0].text, "Unable to paste from the clipboard") << c.name;
    }
}

TEST_F(ClipboardCommandsTest, ACopyTheUndoLogRefusesFailsAndCutChangesNothing)
{
    SelectAll();
    Saved();
    for (int command : {57634, 57635}) {
        Clip()->clear();
        prompt.shown.clear();
        fx.doc.UndoLogRef().m_nRefuseRecordAfter = 0;
        prompt.QueueAnswer(IDCANCEL);   // the user gives the operation up
        frame.OnCommand(command);
        fx.doc.UndoLogRef().m_nRefuseRecordAfter = -1;
        EXPECT_EQ(DocText(fx.doc), saved) << command;
        EXPECT_EQ(fx.doc.m_pObjList->GetCount(), 3) << command;
        EXPECT_FALSE(fx.doc.CanUndo()) << command;
        ASSERT_FALSE(prompt.shown.empty()) << command;
        EXPECT_EQ(prompt.shown.back().text, "Unable to copy to the clipboard") << command;
        const QMimeData* data = Clip()->mimeData();
        EXPECT_TRUE(!data || !data->hasFormat(kDiagramMimeType)) << command;
    }
}

// Cut and Delete leave the diagram modified; each is one step whose undo
// gives the objects back.
TEST_F(ClipboardCommandsTest, CutAndDeleteMarkTheDiagramModified)
{
    for (int command : {57635, 57632}) {
        fx.doc.ClearSelection();
        for (CDiagObj* o : *fx.doc.m_pObjList)
            fx.doc.SelectObj(o, 2, 0, 0);
        Saved();
        fx.doc.SetModifiedFlag(false);
        frame.OnCommand(command);
        EXPECT_EQ(fx.doc.m_pObjList->GetCount(), 0) << command;
        EXPECT_TRUE(fx.doc.IsModified()) << command;
        ExpectUndoneTo(fx.doc, command == 57635 ? UDMAC_CUTOBJS : UDMAC_DELOBJS, saved);
        EXPECT_EQ(fx.doc.m_pObjList->GetCount(), 3) << command;
    }
}
