// One editing session end to end: a diagram is opened from a file, edited
// with Qt's mouse and key events on a real view (select, move with grid
// snap, Shift-add, arrow slide, resize, band and Escape), saved, and the
// file compared with the reviewed result. On a difference the saved file is
// left beside the test program for review.
#include "common/FakeAppContext.h"
#include "common/TestSupport.h"
#include "core/Settings.h"
#include "core/UIMode.h"
#include "core/Units.h"
#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "editing/ui/CKavoView.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>

namespace {
std::string ReadBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "<missing>";
    const QByteArray b = f.readAll();
    return std::string(b.constData(), size_t(b.size()));
}

class Session {
public:
    explicit Session(CKavoView& view) : m_view(view) {}
    QPoint At(const CPoint& logical) const
    {
        const CPoint c = m_view.LogicalPtToClient(logical);
        return QPoint(c.x, c.y);
    }
    void Mouse(QEvent::Type type, const QPoint& pos, Qt::MouseButton button, Qt::MouseButtons held,
               Qt::KeyboardModifiers mods)
    {
        QWidget* vp = m_view.viewport();
        QMouseEvent e(type, QPointF(pos), QPointF(vp->mapToGlobal(pos)), button, held, mods);
        QApplication::sendEvent(vp, &e);
    }
    void Click(const QPoint& p, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        Mouse(QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton, m);
        Mouse(QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton, m);
    }
    void Drag(const QPoint& from, const QPoint& to)
    {
        Mouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        for (int i = 1; i <= 5; ++i)
            Mouse(QEvent::MouseMove, from + (to - from) * i / 5, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        Mouse(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    }
    void Key(int key)
    {
        QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(&m_view, &e);
    }

private:
    CKavoView& m_view;
};
} // namespace

TEST(EditSession, ScriptedGesturesSaveTheReviewedFile)
{
    SetScreenPixelHeightForTest(768);
    ScreenHeight = 9.0;
    ShowRulers = 0;
    ShiftToSlide = 0;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString start = QString(KAVO_TEST_DATA_DIR) + "/editing/session-start.kvd";
    const QString expected = QString(KAVO_TEST_DATA_DIR) + "/editing/session-expected.kvd";
    const QString out = dir.filePath("session.kvd");

    CKavoDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(start.toStdString()));
    FakeAppContext app;
    app.doc = &doc;
    SetAppContext(&app);
    g_nUIMode = 0;
    {
        CKavoView view(&doc);
        view.show();
        view.resize(800 + view.verticalScrollBar()->sizeHint().width(),
                    600 + view.horizontalScrollBar()->sizeHint().height());
        view.OnInitialUpdate();
        view.FlushPaint();
        auto box = [&](int i) { return static_cast<CFigure*>(doc.m_pObjList->GetAt(i)); };
        Session s(view);
        // B0: select, then drag it down and right (the grid snaps it).
        s.Click(s.At(box(0)->GetCenter()));
        ASSERT_TRUE(box(0)->m_bSelected);
        s.Drag(s.At(box(0)->GetCenter()), s.At(box(0)->GetCenter()) + QPoint(40, 60));
        // Add B3 with Shift and slide both one snap step down.
        s.Click(s.At(box(3)->GetCenter()), Qt::ShiftModifier);
        EXPECT_EQ(doc.GetSelFigCount(), 2);
        s.Key(Qt::Key_Down);
        // B1 alone: widen it by its bottom-right handle.
        s.Click(s.At(CPoint(1500, 1500)));
        s.Click(s.At(box(1)->GetCenter()));
        s.Drag(s.At(box(1)->GetHandlePoint(9)), s.At(box(1)->GetHandlePoint(9)) + QPoint(30, 15));
        // A band around B2, then Escape deselects.
        s.Drag(s.At(CPoint(-20, 180)), s.At(CPoint(230, 330)));
        EXPECT_TRUE(box(2)->m_bSelected);
        s.Key(Qt::Key_Escape);
        EXPECT_EQ(doc.GetSelCount(), 0);
    }
    SetAppContext(nullptr);
    SetScreenPixelHeightForTest(0);
    ASSERT_TRUE(doc.OnSaveDocument(out.toStdString()));
    const std::string saved = ReadBytes(out);
    if (saved != ReadBytes(expected)) {
        QFile actual(QCoreApplication::applicationDirPath() + "/session-actual.kvd");
        if (actual.open(QIODevice::WriteOnly))
            actual.write(saved.data(), qint64(saved.size()));
    }
    EXPECT_EQ(saved, ReadBytes(expected)) << "the saved file is in session-actual.kvd";
}
