// CPainterDC: text output as positioned glyph runs.
#include "platform/CDeviceFont.h"
#include "platform/GdiRounding.h"
#include "platform/PainterDCImpl.h"

#include <QGlyphRun>

#include <algorithm>
#include <cmath>

bool CPainterDC::ExtTextOut(int x, int y, UINT options, const RECT* rect, const char* text,
                            UINT count, const int* dx)
{
    if (count > 0 && !text)
        return false;
    const CDCState& s = State();
    const bool updateCp = (s.textAlign & TA_UPDATECP) != 0;
    const CPoint refLog = updateCp ? s.currentPos : CPoint(x, y);
    const CDeviceFont& font = DeviceFont();
    // Advances: from dx (cumulative logical positions mapped, so rounding does
    // not drift), else the font's whole-pixel widths.
    std::vector<double> pos(count + 1, 0.0);
    qint64 logicalWidth = 0;
    const double sx = LogToDevScaleX();
    for (UINT i = 0; i < count; ++i) {
        const unsigned char ch = static_cast<unsigned char>(text[i]);
        if (dx) {
            logicalWidth += dx[i];
            pos[i + 1] = std::floor(double(logicalWidth) * std::abs(sx) + 0.5);
        } else {
            pos[i + 1] = pos[i] + font.Advance(ch);
        }
    }
    const double width = pos[count];
    if (!dx) {
        SIZE sz{ClampToInt(qint64(width)), 0};
        DPtoLP(&sz);
        logicalWidth = sz.cx;
    }
    const QPoint ref = m_impl->ToDev(refLog.x, refLog.y);
    // Alignment moves the glyphs' origin relative to the reference point.
    double ox = 0;
    switch (s.textAlign & TA_CENTER) {
    case TA_CENTER: ox = -std::floor(width / 2); break;
    case TA_RIGHT: ox = -width; break;
    default: break;
    }
    double baseline = 0;
    switch (s.textAlign & TA_BASELINE) {
    case TA_BASELINE: baseline = 0; break;
    case TA_BOTTOM: baseline = -font.Descent(); break;
    default: baseline = font.Ascent(); break;
    }
    const double angle = s.logFont.lfEscapement / 10.0;
    QTransform local;
    local.translate(ref.x(), ref.y());
    local.rotate(-angle);

    // The current position follows left- and right-aligned text; centred text
    // leaves it where it was.
    if (updateCp && (s.textAlign & TA_CENTER) != TA_CENTER)
        MutableState().currentPos.x =
            ClampToInt(refLog.x + ((s.textAlign & TA_CENTER) == TA_RIGHT ? -logicalWidth : logicalWidth));

    QGlyphRun run;
    run.setRawFont(font.Raw());
    QVector<quint32> glyphs;
    QVector<QPointF> positions;
    for (UINT i = 0; i < count; ++i) {
        glyphs << font.Glyph(static_cast<unsigned char>(text[i]));
        positions << QPointF(ox + pos[i], baseline);
    }
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    run.setUnderline(s.logFont.lfUnderline != 0);
    run.setStrikeOut(s.logFont.lfStrikeOut != 0);

    if (InPath()) {
        QPainterPath outline;
        for (int i = 0; i < glyphs.size(); ++i)
            outline.addPath(font.Raw().pathForGlyph(glyphs[i]).translated(positions[i]));
        PathAddPath(local.map(outline));
        return true;
    }
    // A clip of the text's own needs a painter save to be undone; otherwise
    // the painter keeps the text's transform and pen (see TextPainter).
    const bool clipped = rect && (options & ETO_CLIPPED);
    const QRect devRect = rect ? m_impl->DevRect(rect->left, rect->top, rect->right, rect->bottom) : QRect();
    // Where the text's pixels can lie: its glyphs' boxes, widened by two
    // pixels for hinting and anti-aliasing; the cells where they are filled
    // or lined (underline, strike-out); the opaque rectangle.
    QRectF glyphInk;
    for (UINT i = 0; i < count; ++i)
        glyphInk |= font.InkOf(static_cast<unsigned char>(text[i])).translated(ox + pos[i], baseline);
    const QRectF cell(ox, baseline - font.Ascent(), width, font.Height());
    if (s.bkMode == OPAQUE || s.logFont.lfUnderline || s.logFont.lfStrikeOut)
        glyphInk |= cell;
    QRectF ink = glyphInk.isNull() ? QRectF() : local.mapRect(glyphInk.adjusted(-2, -2, 2, 2));
    if (rect && (options & ETO_OPAQUE))
        ink |= QRectF(devRect);
    QPainter* p = nullptr;
    if (clipped || (rect && (options & ETO_OPAQUE))) {
        // In device pixels, on the painter's plain state.
        p = clipped ? m_impl->Painter() : m_impl->Painter(&ink);
        if (!p)
            return false;
        if (clipped)
            p->save();
        if (options & ETO_OPAQUE)
            p->fillRect(devRect, QColorFromRef(s.bkColor));
        if (clipped)
            p->setClipRect(devRect, s.hasClip ? Qt::IntersectClip : Qt::ReplaceClip);
    }
    const bool smooth = !(font.Font().styleStrategy() & QFont::NoAntialias);
    // Smooth glyphs come out the same under either anti-aliasing hint (Qt
    // draws them from its glyph cache, or as paths it anti-aliases itself);
    // the cell fill and the lines of underline and strike-out follow it.
    const bool hintFree = smooth && s.bkMode != OPAQUE && !s.logFont.lfUnderline && !s.logFont.lfStrikeOut;
    if (clipped)
        p->setTransform(local);
    else
        p = m_impl->TextPainter(local, &ink, hintFree);
    if (!p)
        return false;
    if (s.bkMode == OPAQUE && count > 0) {
        // The character cells are filled with the background colour.
        p->fillRect(cell, QColorFromRef(s.bkColor));
    }
    if (count > 0) {
        const bool wasSmooth = p->testRenderHint(QPainter::TextAntialiasing);
        if (smooth != wasSmooth)
            p->setRenderHint(QPainter::TextAntialiasing, smooth);
        if (clipped)
            p->setPen(QColorFromRef(s.textColor));
        else
            m_impl->SetTextPen(*p, s.textColor);
        p->drawGlyphRun(QPointF(0, 0), run);
        if (smooth != wasSmooth && !clipped)
            p->setRenderHint(QPainter::TextAntialiasing, wasSmooth);
    }
    if (clipped)
        p->restore();
    return true;
}
