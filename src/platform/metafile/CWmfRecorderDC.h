#pragma once
// The WMF recorder: a device-context target that writes Windows metafile
// records. Coordinates are written in the device context's page space (after
// its world transform, which WMF cannot carry), rounded and clamped to 16 bits;
// lengths (pen widths, font heights, advances) are scaled the same way. Paths
// and beziers, which WMF lacks, are written as the polygons they flatten to.
// Objects are written once per distinct creation record and kept.
#include "platform/metafile/CMetaRecorderDC.h"
#include "platform/metafile/MetaFileHandles.h"

#include <QPainterPath>

#include <initializer_list>
#include <map>
#include <vector>

class CWmfRecorderDC : public CMetaRecorderDC {
public:
    CWmfRecorderDC();
    ~CWmfRecorderDC() override;

    // The standard header, the records and the end record; empty when a
    // record could not be written (nothing is left out silently).
    std::vector<BYTE> Close();

    int SetMapMode(int mode) override;
    using CDC::SetWindowOrg;
    using CDC::SetWindowExt;
    using CDC::SetViewportOrg;
    using CDC::SetViewportExt;
    CPoint SetWindowOrg(int x, int y) override;
    CSize SetWindowExt(int cx, int cy) override;
    CPoint SetViewportOrg(int x, int y) override;
    CSize SetViewportExt(int cx, int cy) override;

    using CDC::SelectObject;
    CPen* SelectObject(CPen* pen) override;
    CBrush* SelectObject(CBrush* brush) override;
    CFont* SelectObject(CFont* font) override;
    int SaveDC() override;
    bool RestoreDC(int level) override;
    int SetROP2(int mode) override;
    int SetBkMode(int mode) override;
    COLORREF SetBkColor(COLORREF color) override;
    COLORREF SetTextColor(COLORREF color) override;
    UINT SetTextAlign(UINT align) override;
    int SetPolyFillMode(int mode) override;
    int SetStretchBltMode(int mode) override;

    using CDC::MoveTo;
    using CDC::LineTo;
    CPoint MoveTo(int x, int y) override;
    bool LineTo(int x, int y) override;
    bool Polyline(const POINT* points, int count) override;
    bool Polygon(const POINT* points, int count) override;
    bool PolyPolygon(const POINT* points, const int* counts, int polygons) override;
    bool PolyBezier(const POINT* points, int count) override;
    using CDC::Rectangle;
    using CDC::Ellipse;
    bool Rectangle(int left, int top, int right, int bottom) override;
    bool Ellipse(int left, int top, int right, int bottom) override;
    bool RoundRect(int left, int top, int right, int bottom, int width, int height) override;
    bool Arc(int l, int t, int r, int b, int xs, int ys, int xe, int ye) override;
    bool Pie(int l, int t, int r, int b, int xs, int ys, int xe, int ye) override;
    bool Chord(int l, int t, int r, int b, int xs, int ys, int xe, int ye) override;
    bool PatBlt(int x, int y, int width, int height, DWORD rop) override;
    COLORREF SetPixel(int x, int y, COLORREF color) override;
    bool ExtFloodFill(int x, int y, COLORREF color, UINT fillType) override;
    int SelectClipRgn(CRgn* region, int mode = RGN_COPY) override;
    int IntersectClipRect(int left, int top, int right, int bottom) override;
    int ExcludeClipRect(int left, int top, int right, int bottom) override;
    int OffsetClipRgn(int dx, int dy) override;
    bool BeginPath() override;
    bool CloseFigure() override;
    bool StrokePath() override;
    bool FillPath() override;
    bool StrokeAndFillPath() override;
    bool SelectClipPath(int mode) override;
    bool ExtTextOut(int x, int y, UINT options, const RECT* rect, const char* text, UINT count,
                    const int* dx) override;

private:
    void Rec(WORD function, std::initializer_list<int> params);
    // A device rectangle in page coordinates (its bounding box there); ok is
    // false when the mapping cannot be undone.
    QRectF DeviceToPage(const QRect& device, bool& ok) const;
    void WriteClipRect(WORD function, const QRectF& page);
    void RecWords(WORD function, const std::vector<WORD>& params);
    // Page coordinates of a logical point (the world transform applied).
    QPointF Page(int x, int y) const;
    SHORT PX(double v) const;
    std::vector<WORD> PagePoints(const POINT* points, int count) const;
    SHORT LenX(int v) const;
    SHORT LenY(int v) const;
    void SelectCreated(WORD function, const std::vector<WORD>& params);
    void WriteCurrentPen();
    void WriteCurrentBrush();
    void WritePolygons(const QList<QPolygonF>& polygons, bool filled);
    bool AddToPath(const QPainterPath& pagePath);
    bool WriteDib(int x, int y, int w, int h, int xs, int ys, int ws, int hs, const std::vector<BYTE>& dib,
                  size_t infoSize, UINT usage, DWORD rop) override;
    bool ArcLike(WORD function, int l, int t, int r, int b, int xs, int ys, int xe, int ye);

    std::vector<BYTE> m_bytes;
    bool m_failed = false;   // a record could not be written
    DWORD m_maxRecord = 3;
    std::map<std::vector<WORD>, WORD> m_objects;  // function and parameters -> slot
    WORD m_nextObject = 0;
    int m_depth = 0;
    bool m_inPath = false;
    QPainterPath m_path;  // page coordinates
};

// METAFILEPICT: a picture's mapping mode and size (0.01 mm for MM_ANISOTROPIC).
struct METAFILEPICT {
    LONG mm = MM_ANISOTROPIC;
    LONG xExt = 0;
    LONG yExt = 0;
};

// The WMF bits of an enhanced metafile, for the anisotropic mapping against the
// screen reference: SETMAPMODE, SETWINDOWORG and SETWINDOWEXT (the frame in
// reference pixels), then the drawing. Empty on failure.
std::vector<BYTE> GetWinMetaFileBits(HENHMETAFILE metafile, int mapMode);
// An enhanced metafile from WMF bits: with a picture size in 0.01 mm, the
// frame is that size and the metafile's window fills it; without one, the
// frame comes from the metafile's window box at the reference's pixel size.
HENHMETAFILE SetWinMetaFileBits(UINT size, const BYTE* bits, const METAFILEPICT* picture);
