// Pictures dragged over the view from other programs or the file manager.
// Everything comes from the drag's own data: the system clipboard is neither
// read nor emptied, so a drag never loses what the user had copied.
#include "editing/ui/CKavoView.h"

#include "core/Settings.h"
#include "core/Trace.h"
#include "core/UIMode.h"
#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "editing/ui/PictureClipboardUi.h"
#include "fileformat/CPartListRecord.h"
#include "platform/Ansi.h"
#include "platform/StringTable.h"
#include "render/HotZoneTrace.h"
#include "render/PictureClipboard.h"
#include "render/PictureImport.h"
#include "shapes/CFigStyle.h"
#include "undo/UndoCodes.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include <array>
#include <vector>

namespace {
constexpr unsigned IDS_DROP_TO_INSERT = 715;
constexpr int kBackToSelectMode = 6;
constexpr int kDefaultDropSize = 100;

struct DroppedPicture {
    HGLOBAL block = nullptr;
    int kind = 0, width = 0, height = 0;
};

// The first picture the data carries itself, else the first local file it
// names that loads as a picture (not past the picture size limit).
DroppedPicture PictureOfDrag(const QMimeData* data)
{
    DroppedPicture p;
    std::vector<BYTE> bytes;
    for (int format : PictureFormatsOf(data)) {
        if (!PictureBytesOf(data, format, bytes))
            continue;
        p.block = GetGraphicFromClipboard(format, bytes.data(), bytes.size(), p.kind, p.width, p.height);
        if (p.block)
            return p;
    }
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            continue;
        const QString path = url.toLocalFile();
        QSize size;
        if (PictureFileTooLarge(path, size))
            continue;
        int transparency = 0;
        p.block = LoadGraphicFromFile(path, p.kind, p.width, p.height, 0xFFFFFF, ImportCleanBackground != 0,
                                      ImportTranspEdges != 0, transparency);
        if (p.block)
            return p;
    }
    return DroppedPicture();
}

// Per mille of the span, then on the symbol grid of 2048, each rounded to
// the nearest.
float OnSymbolGrid(int offset, int span)
{
    const int perMille = (offset * 1000 + span / 2) / span;
    return float((perMille * 2048 + 500) / 1000);
}

// The part anchors strictly inside the bounds, as connection points.
CConPtList ConPtsOfParts(const CPartListRecord& parts)
{
    CConPtList list;
    const CRect b = parts.Bounds();
    if (!parts.m_bBoundsFound || b.Width() <= 0 || b.Height() <= 0)
        return list;
    for (int n = 1; n <= parts.m_nParts; ++n) {
        const CPoint& a = parts.PartAnchor(n);
        if (a.x <= b.left || a.x >= b.right || a.y <= b.top || a.y >= b.bottom)
            continue;
        list.AddConPt(CFltPoint(OnSymbolGrid(a.x - b.left, b.Width()), OnSymbolGrid(a.y - b.top, b.Height())),
                      parts.PartName(n), 0, false, -1);
    }
    return list;
}

} // namespace

// The view itself takes the drops (its viewport does not, so that nothing
// about the viewport changes for the mouse): positions come in the view's
// own pixels and are taken over into the viewport's.
CPoint CKavoView::DropPoint(const QPointF& pos) const
{
    const QPoint p = viewport()->mapFrom(this, pos.toPoint());
    return CPoint(p.x(), p.y());
}

void CKavoView::ForgetDropPicture(bool free)
{
    if (m_pDoc) {
        CFigProps& scratch = m_pDoc->m_curFigStyle.m_props;
        if (scratch.Graphic == m_hDropPicture) {
            scratch.Graphic = nullptr;
            scratch.m_nGraphicType = 0;
        }
        m_pDoc->m_curFigStyle.m_conPts = CConPtList();
    }
    if (free && m_hDropPicture)
        GlobalFree(m_hDropPicture);
    m_hDropPicture = nullptr;
}

bool CKavoView::OnDragEnter(const QMimeData* data, const CPoint& client)
{
    if (!m_pDoc || !data || m_pRubberFig)
        return false;
    CloseEditor();
    DroppedPicture pic = PictureOfDrag(data);
    if (!pic.block)
        return false;
    if (pic.width <= 0 || pic.height <= 0)
        pic.width = pic.height = kDefaultDropSize;
    if (ScaleImport != 100 && ScaleImport > 0) {
        pic.width = std::max(1, pic.width * ScaleImport / 100);
        pic.height = std::max(1, pic.height * ScaleImport / 100);
    }
    // The scratch style the rubber figure is made from.
    m_pDoc->m_nCurFigStyle = -1;
    CFigStyle& st = m_pDoc->m_curFigStyle;
    st.m_props = CFigProps();
    SetPictureFigFlags(st.m_props.Behavior);
    st.m_props.BindToStyle = 0;
    st.m_props.Graphic = pic.block;
    st.m_props.m_nGraphicType = pic.kind;
    st.m_props.ClearFill();
    st.Width = pic.width;
    st.Height = pic.height;
    st.AutoLabel = AutoLabelOnCreate;
    st.DefaultText.clear();
    st.TextInits.clear();
    m_hDropPicture = pic.block;
    m_strDroppedPart.clear();
    CPartListRecord parts;
    if (data->hasText() && parts.ParseText(QStringToAnsi(data->text()))) {
        if (parts.m_bDescriptionFound)
            m_strDroppedPart = parts.m_strDescription;
        st.m_conPts = ConPtsOfParts(parts);
    }
    if (!NewRubberFig(ClientPtToLogical(client))) {
        ForgetDropPicture(true);
        return false;
    }
    if (st.m_conPts.GetCount() > 0)
        m_pRubberFig->m_pConPts = std::make_unique<CConPtList>(st.m_conPts);
    return true;
}

bool CKavoView::OnDragOver(const CPoint& client)
{
    if (!m_pRubberFig || !m_hDropPicture)
        return false;
    std::string prompt = FindResString(IDS_DROP_TO_INSERT);
    if (!m_strDroppedPart.empty())
        prompt += ": " + m_strDroppedPart;
    if (IAppContext* app = GetAppContext())
        app->SetStatusBarText(prompt);
    MoveRubberFig(ClientPtToLogical(client));
    return true;
}

void CKavoView::OnDragLeave()
{
    if (!m_hDropPicture)
        return;
    EndRubberFigure(true, true);
    ForgetDropPicture(true);
}

bool CKavoView::OnDrop(const CPoint& client)
{
    if (!m_pDoc)
        return false;
    if (!m_pRubberFig || !m_hDropPicture) {
        // Nothing to place: the next paste goes where the drop was.
        m_pDoc->StartPasteOffset(ClientPtToLogical(client));
        return false;
    }
    EndRubberFigure(true, false);
    DiagPrintf("USER  Drop in picture\n");
    EnterUIMode(kBackToSelectMode, 0);
    if (QWidget* top = window()) {
        top->raise();
        top->activateWindow();
    }
    const bool autoLabel = m_pDoc->m_curFigStyle.AutoLabel != 0;
    CFigure* fig = m_pRubberFig.release();
    m_bRubberShown = 0;
    CFigure* added = m_pDoc->AddNewFig(UDMAC_DROPIN, fig, false, autoLabel && !m_strDroppedPart.empty(),
                                       m_strDroppedPart);
    // The document now keeps the picture; a refused figure leaves it ours.
    ForgetDropPicture(!added);
    if (!added) {
        fig->m_props.Graphic = nullptr;
        fig->m_props.m_nGraphicType = 0;
        delete fig;
        return false;
    }
    if (NonRectBounds) {
        // The picture's own outline, as a picture inserted from a file has.
        static std::array<POINT, kMaxTracePts> points;
        int count = 0;
        GetHotZoneFromGraphic(added->m_props.Graphic, added->m_props.m_nGraphicType, &count, points.data());
        added->SetPolyPoints(count, points.data());
    }
    if (AutoEditOnCreate)
        EditNewFigText(added);
    return true;
}

void CKavoView::dragEnterEvent(QDragEnterEvent* event)
{
    if (OnDragEnter(event->mimeData(), DropPoint(event->position())))
        event->acceptProposedAction();
    else
        event->ignore();
}

void CKavoView::dragMoveEvent(QDragMoveEvent* event)
{
    if (OnDragOver(DropPoint(event->position())))
        event->acceptProposedAction();
    else
        event->ignore();
}

void CKavoView::dragLeaveEvent(QDragLeaveEvent* event)
{
    OnDragLeave();
    event->accept();
}

void CKavoView::dropEvent(QDropEvent* event)
{
    if (OnDrop(DropPoint(event->position())))
        event->acceptProposedAction();
    else
        event->ignore();
}

bool CKavoView::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
        dragEnterEvent(static_cast<QDragEnterEvent*>(event));
        return true;
    case QEvent::DragMove:
        dragMoveEvent(static_cast<QDragMoveEvent*>(event));
        return true;
    case QEvent::DragLeave:
        dragLeaveEvent(static_cast<QDragLeaveEvent*>(event));
        return true;
    case QEvent::Drop:
        dropEvent(static_cast<QDropEvent*>(event));
        return true;
    default:
        return CZoomView::event(event);
    }
}
