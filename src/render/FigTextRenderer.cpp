#include "render/FigTextRenderer.h"

#include "platform/LogFont.h"
#include "render/FigShapeDraw.h"
#include "richtext/TextFormatRec.h"
#include "richtext/TextLineRender.h"

void RenderFigTextPiece(CDC& dc, const FigTextPiece& piece)
{
    if (piece.text.empty() || !piece.attrs || piece.box.IsRectEmpty())
        return;
    // The attributes record is the figure's LOGFONT: its first word is the
    // height, 0 meaning "no text".
    const auto* font = reinterpret_cast<const LOGFONT*>(piece.attrs);
    TextFormatRec format;
    format.Init();
    format.font = *font;
    format.align = uint16_t(piece.formatWord);
    format.color = piece.colour;
    if (piece.format && !piece.format->empty())
        format.SetFromMarkup(*piece.format);
    RenderTextRequest request;
    request.dc = &dc;
    request.format = &format;
    request.textColor = piece.colour;
    request.text = piece.text;
    request.rect = piece.box;
    request.clip = piece.keepClip != 0;
    RenderFigTextBlock(request);
}

void InstallFigTextRenderer()
{
    SetFigTextRenderer(&RenderFigTextPiece);
}
