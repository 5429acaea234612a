// Pictures dragged onto a real view offscreen with Qt's own drag events:
// the rubber figure follows, a drop makes one picture figure in one undo
// step, the drag's text names the part and gives its connection points, and
// the system clipboard is never touched.
#include "ViewEvents.h"
#include "common/FakeAppContext.h"
#include "core/Settings.h"
#include "core/UIMode.h"
#include "platform/metafile/CEmfRecorderDC.h"
#include "platform/metafile/MetaFileHandles.h"
#include "undo/UndoCodes.h"

#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace {
struct PictureDropTest : testing::Test, ViewEvents {
    FakeAppContext app;
    void SetUp() override
    {
        fx.doc.m_bShowGrid = 0;
        fx.doc.m_bAlignToGrid = 0;
        AutoLabelOnCreate = 0;
        app.doc = &fx.doc;
        SetAppContext(&app);
        g_nUIMode = 0;
        view = std::make_unique<CKavoView>(&fx.doc);
        view->show();
        FitView(*view);
        Save();
    }
    void TearDown() override
    {
        SaveViewShot(*view);
        view.reset();
        SetAppContext(nullptr);
        ScaleImport = 100;
        AutoLabelOnCreate = 1;
        AutoEditOnCreate = 0;
        NonRectBounds = 1;
    }
    static QImage Picture(int w, int h)
    {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(qRgb(30, 90, 200));
        return image;
    }
    // Enter, moves to `to` (viewport pixels), then a drop or a leave, sent to
    // the view as the window system sends them; whether the enter was taken.
    bool DragTo(const QMimeData& data, const QPoint& toViewport, bool drop = true)
    {
        QWidget* vp = view.get();
        const QPoint to = view->viewport()->mapTo(vp, toViewport);
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(vp, &enter);
        if (!enter.isAccepted())
            return false;
        for (int i = 1; i <= 3; ++i) {
            QDragMoveEvent move(QPoint(5, 5) + (to - QPoint(5, 5)) * i / 3, Qt::CopyAction, &data, Qt::LeftButton,
                                Qt::NoModifier);
            QApplication::sendEvent(vp, &move);
            EXPECT_TRUE(move.isAccepted());
        }
        EXPECT_NE(view->RubberFigure(), nullptr) << "the picture follows the pointer";
        if (drop) {
            QDropEvent dropped(QPointF(to), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(vp, &dropped);
        } else {
            QDragLeaveEvent leave;
            QApplication::sendEvent(vp, &leave);
        }
        return true;
    }
    CFigure* OnlyFigure()
    {
        return fx.doc.m_pObjList->GetCount() == 1 ? static_cast<CFigure*>(fx.doc.m_pObjList->GetAt(0)) : nullptr;
    }
};
} // namespace

TEST_F(PictureDropTest, ADroppedImageIsOnePictureFigureWhereItFellAndTheClipboardStays)
{
    QGuiApplication::clipboard()->setText("copied before");
    ScaleImport = 50;
    QMimeData data;
    data.setImageData(Picture(64, 32));
    ASSERT_TRUE(DragTo(data, QPoint(300, 200)));
    CFigure* fig = OnlyFigure();
    ASSERT_NE(fig, nullptr);
    EXPECT_TRUE(fig->HasPicture());
    EXPECT_EQ(Centre(fig), QPoint(300, 200));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "copied before");
    EXPECT_EQ(Steps(), 1);
    EXPECT_EQ(fx.doc.UndoLogRef().GetLastUndoStepCode(), UDMAC_DROPIN);
    EXPECT_EQ(view->RubberFigure(), nullptr);
    const CSize half = fig->m_rect.Size();

    fx.doc.UndoLastStep();
    EXPECT_EQ(DocText(fx.doc), saved);
    ScaleImport = 100;
    ASSERT_TRUE(DragTo(data, QPoint(300, 200)));
    ASSERT_NE(OnlyFigure(), nullptr);
    EXPECT_EQ(OnlyFigure()->m_rect.Width(), 2 * half.cx) << "ScaleImport 50 halves the natural size";
    EXPECT_EQ(OnlyFigure()->m_rect.Height(), 2 * half.cy);
}

TEST_F(PictureDropTest, ThePartListNamesThePictureAndItsInnerAnchorsBecomeConnectionPoints)
{
    QMimeData data;
    data.setImageData(Picture(40, 40));
    // Bounds 0..1000: one anchor inside, one on the edge (not inside).
    std::string parts = "1|Description~Router\r\n"
                        "0|left~0|top~0|right~1000|bottom~1000\n"
                        "0|Catagory~1|PartName~Port A|left~200|top~300|right~300|bottom~366";
    parts += '\0'; // lines may end in NUL too
    parts += "0|Catagory~1|PartName~Edge|left~0|top~0|right~100|bottom~100|p1~1";
    data.setText(QString::fromLatin1(parts.data(), qsizetype(parts.size())));
    ASSERT_TRUE(DragTo(data, QPoint(400, 300)));
    EXPECT_EQ(view->DroppedPartName(), "Router");
    EXPECT_EQ(app.statusText, "Drop to insert: Router") << "the status bar while the picture is dragged";
    CFigure* fig = OnlyFigure();
    ASSERT_NE(fig, nullptr);
    ASSERT_TRUE(fig->m_pConPts);
    ASSERT_EQ(fig->m_pConPts->GetCount(), 1);
    // 250 and 333 per mille of 2048, to the nearest unit.
    EXPECT_FLOAT_EQ(fig->m_pConPts->GetAt(0)->m_pos.x, 512.0f);
    EXPECT_FLOAT_EQ(fig->m_pConPts->GetAt(0)->m_pos.y, 682.0f);
    fx.doc.UndoLastStep();
    EXPECT_EQ(DocText(fx.doc), saved);
}

TEST_F(PictureDropTest, WhatIsNoPictureIsRefusedAndALeftDragLeavesNothing)
{
    QMimeData text;
    text.setText("just words");
    EXPECT_FALSE(DragTo(text, QPoint(300, 200)));

    QTemporaryDir dir;
    const QString notPicture = dir.filePath("notes.txt");
    QFile file(notPicture);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a picture");
    file.close();
    QMimeData urls;
    urls.setUrls({QUrl::fromLocalFile(notPicture), QUrl("https://example.invalid/x.png"),
                  QUrl::fromLocalFile(dir.filePath("missing.png"))});
    EXPECT_FALSE(DragTo(urls, QPoint(300, 200)));

    // A picture file from the file manager, dragged out again.
    const QString png = dir.filePath("box.png");
    ASSERT_TRUE(Picture(20, 20).save(png));
    QMimeData file2;
    file2.setUrls({QUrl::fromLocalFile(png)});
    EXPECT_TRUE(DragTo(file2, QPoint(300, 200), false));
    EXPECT_EQ(view->RubberFigure(), nullptr);
    EXPECT_EQ(Steps(), 0);
    EXPECT_EQ(DocText(fx.doc), saved);
    ExpectNoFeedbackLeft();
}

// Any ScaleImport other than 100 scales the natural size, however near 100.
TEST_F(PictureDropTest, EveryImportScaleOtherThanAHundredScalesTheSize)
{
    QMimeData data;
    data.setImageData(Picture(64, 32));
    ASSERT_TRUE(DragTo(data, QPoint(300, 200)));
    ASSERT_NE(OnlyFigure(), nullptr);
    const CSize natural = OnlyFigure()->m_rect.Size();
    fx.doc.UndoLastStep();
    for (const int scale : {99, 300}) {
        ScaleImport = scale;
        ASSERT_TRUE(DragTo(data, QPoint(300, 200)));
        ASSERT_NE(OnlyFigure(), nullptr);
        EXPECT_EQ(OnlyFigure()->m_rect.Width(), natural.cx * scale / 100) << scale;
        EXPECT_EQ(OnlyFigure()->m_rect.Height(), natural.cy * scale / 100) << scale;
        fx.doc.UndoLastStep();
        EXPECT_EQ(DocText(fx.doc), saved);
    }
}

// A drop made while a figure style was chosen for drawing ends that mode:
// the next click selects again. With AutoLabelOnCreate a named picture gets
// its name as a label in the same one undo step; with AutoEditOnCreate that
// label is opened for typing. An unnamed picture gets neither.
TEST_F(PictureDropTest, ADropEndsTheCreateModeAndLabelsANamedPicture)
{
    AutoLabelOnCreate = 1;
    const struct {
        bool named;
        int autoEdit;
        int modeAfter;   // text entry when the label opens
    } rows[] = {{true, 0, 0}, {false, 1, 0}, {true, 1, 3}};
    for (const auto& r : rows) {
        Save();
        AutoEditOnCreate = r.autoEdit;
        g_nUIMode = 2;
        QMimeData data;
        data.setImageData(Picture(40, 40));
        if (r.named)
            data.setText("1|Description~Router");
        ASSERT_TRUE(DragTo(data, QPoint(300, 200)));
        EXPECT_EQ(g_nUIMode, r.modeAfter) << r.named << r.autoEdit;
        ASSERT_EQ(fx.doc.m_pObjList->GetCount(), r.named ? 2 : 1);
        const CFigure* label = r.named ? static_cast<const CFigure*>(fx.doc.m_pObjList->GetAt(1)) : nullptr;
        EXPECT_EQ(view->EditedFigure(), r.autoEdit ? label : nullptr) << r.named << r.autoEdit;
        view->CloseEditor();
        g_nUIMode = 0;
        if (label) {
            EXPECT_TRUE(label->m_bLabel);
            std::string text;
            label->GetPlainText(text, 0);
            EXPECT_EQ(text, "Router");
        }
        EXPECT_EQ(fx.doc.UndoLogRef().GetLastUndoStepCode(), UDMAC_DROPIN);
        fx.doc.UndoLastStep();
        EXPECT_FALSE(fx.doc.CanUndo()) << "one step for the drop and its label";
        EXPECT_EQ(DocText(fx.doc), saved) << r.named << r.autoEdit;
    }
}

// With NonRectBounds a dropped picture is bounded by the outline of what it
// draws, as an inserted one is; without it by its rectangle.
TEST_F(PictureDropTest, FittedBoundsFollowTheDroppedPicture)
{
    QImage disc(64, 64, QImage::Format_ARGB32);
    disc.fill(Qt::transparent);
    {
        QPainter p(&disc);
        p.setBrush(Qt::black);
        p.drawEllipse(QRect(8, 8, 48, 48));
    }
    for (const int nonRect : {1, 0}) {
        NonRectBounds = nonRect;
        QMimeData data;
        data.setImageData(disc);
        ASSERT_TRUE(DragTo(data, QPoint(300, 200)));
        ASSERT_NE(OnlyFigure(), nullptr);
        EXPECT_EQ(OnlyFigure()->m_outline.HasPoints(), nonRect == 1);
        fx.doc.UndoLastStep();
        EXPECT_EQ(DocText(fx.doc), saved);
    }
}

// A picture that gives no size of its own, or no width or no height, comes
// in 100 by 100.
TEST_F(PictureDropTest, APictureWithoutASizeComesInAtTheDefaultSize)
{
    // Frames in 0.01 mm: 2540 is an inch.
    for (const RECT& frame : {RECT{0, 0, 0, 0}, RECT{0, 0, 0, 2540}, RECT{0, 0, 2540, 0}}) {
        CEmfRecorderDC recorder(&frame);
        HENHMETAFILE emf = recorder.Close();
        ASSERT_NE(emf, nullptr);
        QByteArray bytes(int(GetEnhMetaFileBits(emf, 0, nullptr)), '\0');
        GetEnhMetaFileBits(emf, UINT(bytes.size()), reinterpret_cast<BYTE*>(bytes.data()));
        DeleteEnhMetaFile(emf);
        QMimeData data;
        data.setData("image/emf", bytes);
        ASSERT_TRUE(DragTo(data, QPoint(300, 200)));
        ASSERT_NE(OnlyFigure(), nullptr);
        EXPECT_EQ(OnlyFigure()->m_rect.Size(), CSize(100, 100)) << frame.right << "x" << frame.bottom;
        fx.doc.UndoLastStep();
    }
}

// An anchor near the far edge lands near the far edge of the symbol grid:
// 900 per mille of 2048.
TEST_F(PictureDropTest, AnAnchorKeepsItsPlaceAcrossThePicture)
{
    QMimeData data;
    data.setImageData(Picture(40, 40));
    data.setText("0|left~0|top~0|right~1000|bottom~1000\n"
                 "0|Catagory~1|PartName~Far|left~850|top~50|right~950|bottom~150");
    ASSERT_TRUE(DragTo(data, QPoint(400, 300)));
    ASSERT_NE(OnlyFigure(), nullptr);
    ASSERT_TRUE(OnlyFigure()->m_pConPts);
    ASSERT_EQ(OnlyFigure()->m_pConPts->GetCount(), 1);
    EXPECT_FLOAT_EQ(OnlyFigure()->m_pConPts->GetAt(0)->m_pos.x, 1843.0f);
    EXPECT_FLOAT_EQ(OnlyFigure()->m_pConPts->GetAt(0)->m_pos.y, 205.0f);
}

// The picture is lent to the document's scratch style only while it is
// dragged: after a drop or a leave the scratch style holds none.
TEST_F(PictureDropTest, TheScratchStyleKeepsNoPictureAfterTheDrag)
{
    for (const bool drop : {true, false}) {
        QMimeData data;
        data.setImageData(Picture(20, 20));
        ASSERT_TRUE(DragTo(data, QPoint(300, 200), drop));
        EXPECT_EQ(fx.doc.m_curFigStyle.m_props.Graphic, nullptr) << drop;
        EXPECT_EQ(fx.doc.m_curFigStyle.m_props.m_nGraphicType, 0) << drop;
    }
}
