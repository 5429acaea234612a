#include "render/FigTextRender.h"

#include "richtext/CTextBlock.h"
#include "richtext/FigureTextFit.h"
#include "richtext/TextFormatRec.h"
#include "richtext/TextLineRender.h"

#include <algorithm>

namespace {

// The box less the frame margin on each side, as far as the laid-out text
// leaves room for it: text that fills its box keeps the whole box.
CRect InsetFromFrame(const CRect& box, const CTextBlock& block, int rotation)
{
    if (block.LineCount() == 0)
        return box;
    const int margin = TextFrameMargin(block.GetLine(0).height);
    CSize text(block.GetExtent(false).cx, block.GetTotalHeight());
    if (rotation != 0)
        std::swap(text.cx, text.cy);
    const int dx = std::clamp((box.Width() - text.cx) / 2, 0, margin);
    const int dy = std::clamp((box.Height() - text.cy) / 2, 0, margin);
    return CRect(box.left + dx, box.top + dy, box.right - dx, box.bottom - dy);
}

} // namespace

void RenderFigTextPiece(CDC& dc, const FigTextPiece& piece)
{
    if (!piece.attrs || piece.attrs->lfHeight == 0 || piece.text.empty())
        return;
    // The base format: the figure's font, colour and alignment word; then the
    // leading control words of the box's format markup.
    TextFormatRec format;
    format.Init();
    format.font = *piece.attrs;
    format.color = piece.colour;
    format.align = uint16_t(piece.formatWord);
    if (piece.format)
        format.SetFromMarkup(*piece.format);
    RenderTextRequest r;
    r.textColor = piece.colour;
    r.format = &format;
    r.dc = &dc;
    r.text = piece.text;
    r.rotation = piece.params[0] == 900 || piece.params[0] == 2700 ? piece.params[0] : 0;
    r.rect = piece.box;
    r.clip = true;
    // A sample shrunk onto a small button: measured on the display and drawn
    // in device pixels, so that its runs keep their proportions.
    r.deviceScaling = piece.textScale > 1;
    r.spacing.kind = piece.params[1];
    r.spacing.value = float(piece.params[2]) / 100.0f;
    CTextBlock block;
    if (piece.offFrame && !r.deviceScaling) {
        // Laid out for the whole box, placed in it off the frame, clipped to
        // the box: glyphs that reach past their advances stay whole.
        const int wanted = r.rotation == 0 ? r.rect.Height() : r.rect.Width();
        block.Layout(r.text, r.rotation, format, &dc, false, true, r.spacing, wanted);
        r.block = &block;
        r.rect = InsetFromFrame(piece.box, block, r.rotation);
        r.clipRect = &piece.box;
    }
    RenderFigTextBlock(r);
}
