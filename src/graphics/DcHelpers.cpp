#include "graphics/DcHelpers.h"

#include "platform/CPainterDC.h"

void FillCharWidths(CDC* dc, UINT first, UINT last, ABC* table)
{
    if (!dc || !table || first > last)
        return;
    if (dc->GetCharABCWidths(first, last, table))
        return;
    std::vector<int> widths(last - first + 1, 0);
    dc->GetCharWidth(first, last, widths.data());
    for (UINT i = 0; i <= last - first; ++i)
        table[i] = ABC{0, UINT(std::max(0, widths[i])), 0};
}

bool IsSimulatedBold(CDC* dc)
{
    if (!dc || dc->State().logFont.lfWeight <= FW_NORMAL)
        return false;
    OUTLINETEXTMETRIC otm;
    if (dc->GetOutlineTextMetrics(OUTLINETEXTMETRIC_SIZE, &otm) == 0)
        return false;
    return (otm.otmfsSelection & 0x20) == 0;
}

void CopyDCMapping(CDC* target, const CDC* source)
{
    if (!target || !source)
        return;
    target->SetMapMode(source->GetMapMode());
    // The window extent goes first so that an isotropic viewport adjusts to it.
    target->SetWindowExt(source->GetWindowExt());
    target->SetViewportExt(source->GetViewportExt());
    target->SetViewportOrg(source->GetViewportOrg());
    target->SetWindowOrg(source->GetWindowOrg());
}

void DrawXorDotRect(int left, int top, int right, int bottom, CDC* dc)
{
    if (!dc)
        return;
    // With the default opaque background the dots' gaps are drawn in the
    // background colour: a black pen then leaves the dots and inverts the gaps
    // (against white), which a second call undoes.
    CPen pen(int(PS_DOT), 1, RGB(0, 0, 0));
    CPen* oldPen = dc->SelectObject(&pen);
    CGdiObject* oldBrush = dc->SelectStockObject(HOLLOW_BRUSH);
    const int oldRop = dc->SetROP2(R2_XORPEN);
    dc->Rectangle(left, top, right, bottom);
    dc->SetROP2(oldRop);
    if (oldBrush)
        dc->SelectObject(static_cast<CBrush*>(oldBrush));
    if (oldPen)
        dc->SelectObject(oldPen);
}

void DrawTransparentBitmap(CDC* dc, CBitmap* bitmap, int x, int y, COLORREF transparent,
                           bool invert)
{
    if (!dc || !bitmap || !bitmap->IsCreated())
        return;
    const CSize px = bitmap->GetSize();
    SIZE logical{px.cx, px.cy};
    dc->DPtoLP(&logical);
    const int w = px.cx, h = px.cy;

    CPainterDC bitmapDC, maskDC, invMaskDC, backDC;
    bitmapDC.CreateCompatibleDC(dc);
    bitmapDC.SelectObject(bitmap);
    const QImage saved = bitmap->Image().copy();

    // Mask: white where the bitmap has the transparent colour, black elsewhere.
    CBitmap mask, invMask, back;
    if (!mask.CreateBitmap(w, h, 1, 1, nullptr) || !invMask.CreateBitmap(w, h, 1, 1, nullptr)
        || !back.CreateCompatibleBitmap(dc, w, h))
        return;
    maskDC.SelectObject(&mask);
    invMaskDC.SelectObject(&invMask);
    backDC.CreateCompatibleDC(dc);
    backDC.SelectObject(&back);
    bitmapDC.SetBkColor(transparent);
    maskDC.BitBlt(0, 0, w, h, &bitmapDC, 0, 0, SRCCOPY);
    invMaskDC.BitBlt(0, 0, w, h, &maskDC, 0, 0, NOTSRCCOPY);
    CPainterDC* keepBack = invert ? &invMaskDC : &maskDC;
    CPainterDC* keepBitmap = invert ? &maskDC : &invMaskDC;

    // Monochrome sources become colour as white -> background, black -> text colour.
    backDC.SetBkColor(RGB(255, 255, 255));
    backDC.SetTextColor(RGB(0, 0, 0));
    bitmapDC.SetBkColor(RGB(255, 255, 255));
    bitmapDC.SetTextColor(RGB(0, 0, 0));
    backDC.BitBlt(0, 0, w, h, dc, x, y, SRCCOPY);
    backDC.BitBlt(0, 0, w, h, keepBack, 0, 0, SRCAND);
    bitmapDC.BitBlt(0, 0, w, h, keepBitmap, 0, 0, SRCAND);
    backDC.BitBlt(0, 0, w, h, &bitmapDC, 0, 0, SRCPAINT);
    dc->BitBlt(x, y, logical.cx, logical.cy, &backDC, 0, 0, SRCCOPY);

    // The caller's bitmap gets its pixels back.
    bitmapDC.Flush();
    bitmap->Image() = saved;
}
