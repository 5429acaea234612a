#include "render/FigTextRender.h"

#include "richtext/TextFormatRec.h"
#include "richtext/TextLineRender.h"

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
    RenderFigTextBlock(r);
}
