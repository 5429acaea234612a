// A diagram opened from its file in the main window and used as a user does:
// the scroll bars, the menu commands and the mouse on the view. Where a new
// symbol lands, and a connector dragged from one figure to another.
#include "app/AppSeams.h"
#include "app/ui/CKavoDocTemplate.h"
#include "common/DiagramFixture.h"
#include "common/DocText.h"
#include "common/TestSupport.h"
#include "core/Settings.h"
#include "core/UIMode.h"
#include "core/Units.h"
#include "document/DocCommandSeams.h"
#include "editing/ui/CKavoView.h"
#include "editing/ui/CTextDialog.h"
#include "frame/ui/CCommandRegistry.h"
#include "frame/ui/CMainFrame.h"
#include "undo/UndoCodes.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {
constexpr int kInsertSymbol = 32791;

struct DiagramWindowTest : testing::Test {
    void SetUp() override
    {
        SetScreenPixelHeightForTest(768);
        ScreenHeight = 9.0;
        ShowRulers = 0;
        g_nUIMode = 0;
        SetDocumentLoader([](CKavoDoc& doc, const std::string& path) { return doc.OnOpenDocument(path); });
        docs = std::make_unique<CKavoDocTemplate>([this] { return &frame; });
        docs->InstallSeams();
        frame.resize(1000, 760);
        frame.show();
    }
    void TearDown() override
    {
        // The windows close before their documents go.
        if (doc)
            doc->SetModifiedFlag(false);
        frame.MdiArea()->closeAllSubWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        docs.reset();
        ResetAppSeams();
        SetDocumentLoader(nullptr);
        GetDocCommandSeams().symbolGallery = gallery;
        SetScreenPixelHeightForTest(0);
        g_nUIMode = 0;
        AutoEditOnCreate = 0;
    }
    // The fixture's diagram is written to a file and opened from it.
    void Open()
    {
        fx.doc.m_bAlignToGrid = 0;
        const std::string path = QDir(dir.path()).filePath("d.kvd").toStdString();
        ASSERT_TRUE(fx.doc.OnSaveDocument(path));
        ASSERT_TRUE(AppSeams().openDocumentFile(path));
        view = docs->ActiveView();
        ASSERT_NE(view, nullptr);
        doc = view->GetDocument();
        QApplication::processEvents();
        view->FlushPaint();
        saved = DocText(*doc);
    }
    // What the window shows of the diagram, in logical units.
    CRect Visible() const
    {
        CRect rc = view->ClientRectToLogical(CRect(0, 0, view->viewport()->width(), view->viewport()->height()));
        rc.NormalizeRect();
        return rc;
    }
    QPoint At(const CPoint& logical) const
    {
        const CPoint c = view->LogicalPtToClient(logical);
        return QPoint(c.x, c.y);
    }
    // The objects' part of a diagram's text.
    static std::string Objects(const std::string& text) { return text.substr(text.find("## Figures & Connectors")); }
    std::vector<CFigure*> Figures() const
    {
        std::vector<CFigure*> out;
        doc->ForEachFigure([&](CFigure* f) { out.push_back(f); });
        return out;
    }
    CFigure* Named(const std::string& text) const
    {
        for (CFigure* f : Figures())
            if (f->m_strText == text)
                return f;
        return nullptr;
    }

    QTemporaryDir dir;
    CRecordingPrompt prompt;
    DiagramFixture fx;
    CMainFrame frame;
    std::unique_ptr<CKavoDocTemplate> docs;
    CKavoView* view = nullptr;
    CKavoDoc* doc = nullptr;
    std::string saved;
    const std::function<bool(CFigSymbol&)> gallery = GetDocCommandSeams().symbolGallery;
};
} // namespace

// Scrolled away from the page's middle, Insert Symbol puts the new figure in
// the middle of what the window shows, whole; the next one a step further
// down and right. Undo takes each back.
TEST_F(DiagramWindowTest, InsertSymbolLandsInTheMiddleOfTheView)
{
    fx.AddBox(200, 200, 600, 400, "A");
    Open();
    // Zoomed in and scrolled to the page's top left corner.
    ASSERT_TRUE(view->ZoomToPercent(300));
    view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->minimum());
    view->verticalScrollBar()->setValue(view->verticalScrollBar()->minimum());
    QApplication::processEvents();
    const CRect visible = Visible();
    ASSERT_FALSE(visible.PtInRect(doc->m_rcPage.CenterPoint())) << "the page's middle is out of sight";

    GetDocCommandSeams().symbolGallery = [](CFigSymbol& chosen) {
        SymbolBuilder b;
        b.Outline([](COutlineWriter& w) { w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048)); });
        b.sym.m_strName = "gallery box";
        chosen = b.sym;
        return true;
    };
    QAction* insert = frame.Commands().Action(kInsertSymbol);
    ASSERT_NE(insert, nullptr);
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        const int before = int(Figures().size());
        insert->trigger();
        ASSERT_EQ(int(Figures().size()), before + 1);
        const CFigure* made = Figures().back();
        const CPoint want(visible.CenterPoint().x + 16 * i, visible.CenterPoint().y + 16 * i);
        EXPECT_EQ(made->m_rect.CenterPoint(), want);
        EXPECT_TRUE(visible.PtInRect(made->m_rect.TopLeft()) && visible.PtInRect(made->m_rect.BottomRight()))
            << "the whole figure is in sight";
    }
    EXPECT_EQ(doc->UndoLastStep(), UDMAC_INSFROMGALLERY);
    EXPECT_EQ(doc->UndoLastStep(), UDMAC_INSFROMGALLERY);
    EXPECT_EQ(Objects(DocText(*doc)), Objects(saved));
}

// In connector mode a press on one figure, a drag and the release on another
// draw one connector between them; with AutoEditOnCreate its style's label
// is opened for typing, and what is typed is the label's text. One undo step
// takes it all back.
TEST_F(DiagramWindowTest, ConnectorDraggedFromFigureToFigure)
{
    fx.AddBox(300, 300, 400, 300, "A");
    fx.AddBox(1300, 300, 400, 300, "B");
    CConProps props;
    ASSERT_EQ(fx.doc.m_conStyles.AddConStyle(&props, "Line", 1, 1, "", "", 1, "yes", 0, 0, 0, 0), 1);
    Open();
    ASSERT_TRUE(view->ZoomToPercent(100));
    view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->minimum());
    view->verticalScrollBar()->setValue(view->verticalScrollBar()->minimum());
    QApplication::processEvents();
    saved = DocText(*doc);
    AutoEditOnCreate = 1;
    frame.OnCommand(kConStyleCmdFirst);
    ASSERT_EQ(g_nUIMode, 4);

    CFigure* a = Named("A");
    CFigure* b = Named("B");
    ASSERT_TRUE(a && b);
    QWidget* vp = view->viewport();
    const QPoint from = At(a->m_rect.CenterPoint()), to = At(b->m_rect.CenterPoint());
    // Both in sight: a drag lets go of nothing beyond the window.
    ASSERT_TRUE(vp->rect().contains(from) && vp->rect().contains(to));
    QTest::mouseMove(vp, from);
    QTest::mousePress(vp, Qt::LeftButton, Qt::NoModifier, from);
    for (int i = 1; i <= 4; ++i)
        QTest::mouseMove(vp, from + (to - from) * i / 4);
    QTest::mouseRelease(vp, Qt::LeftButton, Qt::NoModifier, to);

    std::vector<CConnector*> cons;
    doc->ForEachConnector([&](CConnector* c) { cons.push_back(c); });
    ASSERT_EQ(cons.size(), 1u);
    EXPECT_EQ(cons[0]->m_pFig1, a);
    EXPECT_EQ(cons[0]->m_pFig2, b);
    CFigure* label = view->EditedFigure();
    ASSERT_NE(label, nullptr) << "the new label is open for typing";
    EXPECT_TRUE(label->m_bLabel);
    ASSERT_NE(view->TextEditor(), nullptr);
    QTest::keyClicks(QApplication::focusWidget(), "go");
    view->CloseEditor();
    EXPECT_EQ(label->m_strText, "go");
    int last = 0;
    for (int i = 0; i < 3 && DocText(*doc) != saved; ++i)
        last = doc->UndoLastStep();
    EXPECT_EQ(last, UDMAC_CREATECON);
    EXPECT_EQ(DocText(*doc), saved);
}
