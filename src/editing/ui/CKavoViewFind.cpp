// Showing a Find match: the text area scrolled into sight beside the find
// dialog and the in-place editor opened on it with the match selected.
#include "editing/ui/CKavoView.h"

#include "core/Settings.h"
#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "editing/ui/CTextDialog.h"
#include "render/CZoomMapping.h"
#include "undo/CUndoLog.h"
#include "undo/UndoCodes.h"

#include <QGuiApplication>
#include <QScreen>

namespace {
// What is left of `area` once `cover` is taken away, when that leaves a
// rectangle (the cover spans a whole side); otherwise the area unchanged.
QRect SubtractRect(const QRect& area, const QRect& cover)
{
    const QRect c = area.intersected(cover);
    if (c.isEmpty())
        return area;
    QRect r = area;
    if (c.top() <= area.top() && c.bottom() >= area.bottom()) {
        if (c.left() <= area.left())
            r.setLeft(c.right() + 1);
        else if (c.right() >= area.right())
            r.setRight(c.left() - 1);
    } else if (c.left() <= area.left() && c.right() >= area.right()) {
        if (c.top() <= area.top())
            r.setTop(c.bottom() + 1);
        else if (c.bottom() >= area.bottom())
            r.setBottom(c.top() - 1);
    }
    return r.isValid() ? r : area;
}

// A quarter of an inch of screen, by the calibrated screen height.
int QuarterInchPixels(const QWidget* w)
{
    const QScreen* screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    const int height = screen ? screen->geometry().height() : 800;
    return std::max(1, int(height / CalibratedScreenHeight() / 4));
}
} // namespace

void CKavoView::ShowTextInView(CFigure* fig, bool force, int area, const QRect& avoid)
{
    if (!fig || !m_pDoc)
        return;
    CRect target;
    if (area < 0 || !GetEditableTextRect(*fig, area, target)) {
        target = fig->m_rect;
        target.NormalizeRect();
    }
    // The client area widened by a quarter inch on every side, less the
    // part the find dialog covers, in client pixels.
    const QRect client = viewport()->rect();
    const int margin = QuarterInchPixels(this);
    QRect usable = client.adjusted(-margin, -margin, margin, margin);
    if (avoid.isValid())
        usable = SubtractRect(usable, QRect(viewport()->mapFromGlobal(avoid.topLeft()), avoid.size()));
    usable = usable.intersected(client);
    if (usable.isEmpty())
        usable = client;
    const CRect visible =
        ClientRectToLogical(CRect(usable.left(), usable.top(), usable.right() + 1, usable.bottom() + 1));
    if (!force && visible.left <= target.left && visible.top <= target.top && visible.right >= target.right &&
        visible.bottom >= target.bottom)
        return;
    // The usable part's size centred on the target, moved back by where the
    // usable part starts in the client.
    const CPoint clientOrigin = ClientPtToLogical(CPoint(0, 0));
    const CPoint centre = target.CenterPoint();
    CPoint topLeft(centre.x - visible.Width() / 2 - (visible.left - clientOrigin.x),
                   centre.y - visible.Height() / 2 - (visible.top - clientOrigin.y));
    topLeft = ClampPtToWorkSpace(topLeft);
    if (topLeft == GetViewAnchorPoint(kAnchorTopLeft))
        return;
    ScrollToViewAnchorPoint(topLeft, kAnchorTopLeft, true);
}

bool CKavoView::ShowFindMatch(CFigure* fig, int area, int start, int end, const QRect& avoid)
{
    if (!fig || !m_pDoc)
        return false;
    CloseEditor();
    ShowTextInView(fig, false, area, avoid);
    if (!m_pDoc->LogTextEditStep(fig, area))
        return false;
    if (!PrepareEditor(fig, area)) {
        CUndoLog& log = m_pDoc->UndoLogRef();
        if (log.GetLastUndoStepCode() == UDMAC_TEXTEDIT)
            log.DiscardLastUndoStep();
        return false;
    }
    TextDialogArgs args;
    args.selStart = start;
    args.selEnd = end;
    // The find dialog keeps the keyboard: the next Find Next is one key away.
    args.takeFocus = false;
    StartEditor(fig, area, args);
    return true;
}
