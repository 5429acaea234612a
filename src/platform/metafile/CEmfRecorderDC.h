#pragma once
// The EMF recorder: a device-context target that writes every call as an
// enhanced metafile record, against the screen reference ("DISPLAY"). The
// bytes are the EMF format other programs read: a header with the bounds of
// what was drawn (reference pixels) and the frame (0.01 mm), the records, and
// the end record. Objects selected are written once per distinct creation
// record and kept for the whole metafile, so that a RestoreDC that re-selects an
// earlier object always finds it alive.
// The picture is held in memory and handed over as a metafile (Close), or
// streamed to a device as it is recorded (Finish): then only the records of
// the last few hundred kilobytes are held, whatever the picture's size.
#include "platform/metafile/CMetaRecorderDC.h"
#include "platform/metafile/MetaFileHandles.h"

#include <map>
#include <string>
#include <vector>

class QIODevice;

class CEmfRecorderDC : public CMetaRecorderDC {
public:
    // frame: the picture frame in 0.01 mm (null: from the bounds drawn);
    // description: Windows-1252 bytes, as "AppTitle\0DocTitle\0\0".
    explicit CEmfRecorderDC(const RECT* frame = nullptr, const std::string& description = {});
    // Streams the records to `out` (open for writing, seekable, empty) as
    // they are made; the header, written first, is rewritten by Finish once
    // the bounds and counts are known.
    CEmfRecorderDC(QIODevice* out, const RECT* frame, const std::string& description = {});
    ~CEmfRecorderDC() override;

    // Ends the recording and returns the metafile (null when already closed,
    // when recording to a device, or when a record could not be written:
    // nothing is left out silently).
    HENHMETAFILE Close();
    // Ends a recording to a device: the last records and the end record
    // written, the header rewritten at the device's start. False when
    // already ended, when a record could not be made or written, or when the
    // picture outgrew the 4 GB the format can count (the device then holds
    // no usable metafile).
    bool Finish();
    // Records written so far, the header included.
    DWORD RecordCount() const { return m_records; }

    int SetMapMode(int mode) override;
    using CDC::SetWindowOrg;
    using CDC::SetWindowExt;
    using CDC::SetViewportOrg;
    using CDC::SetViewportExt;
    CPoint SetWindowOrg(int x, int y) override;
    CSize SetWindowExt(int cx, int cy) override;
    CPoint SetViewportOrg(int x, int y) override;
    CSize SetViewportExt(int cx, int cy) override;
    bool SetWorldTransform(const XFORM* xf) override;
    bool ModifyWorldTransform(const XFORM* xf, DWORD mode) override;

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
    int SetArcDirection(int direction) override;
    CPoint SetBrushOrg(int x, int y) override;
    float SetMiterLimit(float limit) override;
    bool GdiComment(UINT size, const BYTE* data) override;

    using CDC::MoveTo;
    using CDC::LineTo;
    CPoint MoveTo(int x, int y) override;
    bool LineTo(int x, int y) override;
    bool Polyline(const POINT* points, int count) override;
    bool PolylineTo(const POINT* points, int count) override;
    bool Polygon(const POINT* points, int count) override;
    bool PolyPolygon(const POINT* points, const int* counts, int polygons) override;
    bool PolyPolyline(const POINT* points, const DWORD* counts, int polylines) override;
    bool PolyBezier(const POINT* points, int count) override;
    bool PolyBezierTo(const POINT* points, int count) override;
    using CDC::Rectangle;
    using CDC::Ellipse;
    bool Rectangle(int left, int top, int right, int bottom) override;
    bool Ellipse(int left, int top, int right, int bottom) override;
    bool RoundRect(int left, int top, int right, int bottom, int width, int height) override;
    bool Arc(int l, int t, int r, int b, int xs, int ys, int xe, int ye) override;
    bool ArcTo(int l, int t, int r, int b, int xs, int ys, int xe, int ye) override;
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
    bool EndPath() override;
    bool AbortPath() override;
    bool CloseFigure() override;
    bool StrokePath() override;
    bool FillPath() override;
    bool StrokeAndFillPath() override;
    bool SelectClipPath(int mode) override;
    bool FlattenPath() override;

    bool ExtTextOut(int x, int y, UINT options, const RECT* rect, const char* text, UINT count,
                    const int* dx) override;


private:
    // Appends a record made by the record writers (malloc'd; freed here).
    void Emit(char* record);
    void EmitBytes(const std::vector<BYTE>& record);
    void Append(const BYTE* bytes, size_t size);
    // Hands the records held to the device (streaming); false on failure.
    bool Drain();
    // The header record with the bounds and frame drawn so far and the
    // totals of a picture of `bytes` bytes and `records` records.
    std::vector<BYTE> Header(quint64 bytes, DWORD records) const;
    // Writes a creation record once per distinct content and selects it.
    void SelectCreated(char* createRecord);
    void SelectStock(const CGdiObject* object);
    void SelectCurrentBrush();
    // Widen the drawing's bounds (device pixels, inclusive) by what a call
    // draws: lines and polygons through logical points (an open one leaves
    // out its last point), shapes in a box outlined by the pen, and areas
    // with exclusive right and bottom (blits, text).
    void AddBoundsPoints(const POINT* points, int count, bool open);
    void AddBoundsBox(int left, int top, int right, int bottom);
    void AddBoundsArea(int left, int top, int right, int bottom);
    void AddDeviceBounds(LONG left, LONG top, LONG right, LONG bottom);
    // Pixels the pen reaches beyond the line it follows, before and after it.
    void PenReach(int& lo, int& hi) const;
    RECT LastBounds() const { return m_lastBounds; }
    bool EmitPoly(DWORD type, const POINT* points, int count);
    bool EmitPolyPoly(DWORD type, const POINT* points, const DWORD* counts, int polys);
    bool EmitArcLike(DWORD type, int l, int t, int r, int b, int xs, int ys, int xe, int ye);
    bool WriteDib(int x, int y, int w, int h, int xs, int ys, int ws, int hs, const std::vector<BYTE>& dib,
                  size_t infoSize, UINT usage, DWORD rop) override;
    // An EMR_ALPHABLEND record of the whole DIB.
    bool WriteAlphaDib(int x, int y, int w, int h, const std::vector<BYTE>& dib, BLENDFUNCTION blend) override;

    std::vector<BYTE> m_bytes;   // records not yet handed to the device
    QIODevice* m_out = nullptr;  // streaming: where the records go
    quint64 m_written = 0;       // streaming: bytes handed to it, header included
    DWORD m_records = 0;
    bool m_closed = false;
    bool m_failed = false;   // a record could not be written
    bool m_haveFrame = false;
    RECT m_frame;
    std::u16string m_description;
    bool m_haveBounds = false;
    RECT m_bounds;       // all drawing, device pixels, inclusive
    RECT m_lastBounds;   // the last drawing call
    std::map<std::vector<BYTE>, DWORD> m_objects;  // creation record (index 0) -> index
    DWORD m_nextObject = 1;
    int m_depth = 0;  // saved states
};

// CreateEnhMetaFile against the screen reference; CloseEnhMetaFile ends it.
std::unique_ptr<CEmfRecorderDC> CreateEnhMetaFile(const RECT* frame, const std::string& description);
HENHMETAFILE CloseEnhMetaFile(CEmfRecorderDC* dc);
