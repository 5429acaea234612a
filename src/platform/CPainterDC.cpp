#include "platform/CPainterDC.h"

class CPainterDC::Impl {};

CPainterDC::CPainterDC() = default;
CPainterDC::CPainterDC(QImage* image) : m_image(image) {}
CPainterDC::CPainterDC(QPagedPaintDevice* device) : m_paged(device) {}
CPainterDC::~CPainterDC() = default;
bool CPainterDC::CreateCompatibleDC(CDC*) { return false; }
int CPainterDC::GetDeviceCaps(int index) const { return CDC::GetDeviceCaps(index); }
void CPainterDC::Flush() {}
CBitmap* CPainterDC::SelectObject(CBitmap*) { return nullptr; }
bool CPainterDC::LineTo(int, int) { return false; }
bool CPainterDC::Polyline(const POINT*, int) { return false; }
bool CPainterDC::Polygon(const POINT*, int) { return false; }
bool CPainterDC::PolyPolygon(const POINT*, const int*, int) { return false; }
bool CPainterDC::PolyBezier(const POINT*, int) { return false; }
bool CPainterDC::Rectangle(int, int, int, int) { return false; }
bool CPainterDC::Ellipse(int, int, int, int) { return false; }
bool CPainterDC::RoundRect(int, int, int, int, int, int) { return false; }
bool CPainterDC::Arc(int, int, int, int, int, int, int, int) { return false; }
bool CPainterDC::Pie(int, int, int, int, int, int, int, int) { return false; }
bool CPainterDC::Chord(int, int, int, int, int, int, int, int) { return false; }
void CPainterDC::FillRect(const RECT*, CBrush*) {}
void CPainterDC::FrameRect(const RECT*, CBrush*) {}
bool CPainterDC::FillRgn(CRgn*, CBrush*) { return false; }
bool CPainterDC::FrameRgn(CRgn*, CBrush*, int, int) { return false; }
bool CPainterDC::PatBlt(int, int, int, int, DWORD) { return false; }
bool CPainterDC::BitBlt(int, int, int, int, CDC*, int, int, DWORD) { return false; }
bool CPainterDC::StretchBlt(int, int, int, int, CDC*, int, int, int, int, DWORD) { return false; }
int CPainterDC::StretchDIBits(int, int, int, int, int, int, int, int, const void*, const BITMAPINFO*, UINT, DWORD) { return 0; }
COLORREF CPainterDC::SetPixel(int, int, COLORREF) { return CLR_INVALID; }
COLORREF CPainterDC::GetPixel(int, int) const { return CLR_INVALID; }
bool CPainterDC::ExtFloodFill(int, int, COLORREF, UINT) { return false; }
bool CPainterDC::StrokePath() { return false; }
bool CPainterDC::FillPath() { return false; }
bool CPainterDC::StrokeAndFillPath() { return false; }
bool CPainterDC::ExtTextOut(int, int, UINT, const RECT*, const char*, UINT, const int*) { return false; }
void CPainterDC::GpFillPath(const QPainterPath&, const CGpBrush&, const CGpState&) {}
void CPainterDC::GpDrawPath(const QPainterPath&, const CGpPen&, const CGpState&) {}
void CPainterDC::GpDrawImage(const QImage&, const QRectF&, const QRectF&, const CGpImageAttributes*, const CGpState&) {}
void CPainterDC::OnStateChanged() {}
