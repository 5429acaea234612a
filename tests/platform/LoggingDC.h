#pragma once
// A device context that draws nothing and logs each drawing call with its
// points mapped to device pixels, so metafile play-back can be checked call by
// call and coordinate by coordinate.
#include "platform/CDC.h"

#include <string>
#include <vector>

class CLoggingDC : public CDC {
public:
    struct Call {
        std::string name;
        std::vector<POINT> device;  // the call's points in device pixels
        COLORREF pen = 0, brush = 0, text = 0;
        int penWidth = 0, fontHeight = 0;
        std::string str;
        std::vector<int> dx;
    };
    std::vector<Call> calls;

    CLoggingDC() { SetDeviceCaps(DisplayDeviceCaps()); }

    const Call* Find(const std::string& name) const
    {
        for (const Call& c : calls)
            if (c.name == name)
                return &c;
        return nullptr;
    }

    bool LineTo(int x, int y) override
    {
        Log("LineTo", {GetCurrentPosition(), {x, y}});
        MoveTo(x, y);
        return true;
    }
    bool Polyline(const POINT* p, int n) override { return Log("Polyline", {p, p + n}); }
    bool Polygon(const POINT* p, int n) override { return Log("Polygon", {p, p + n}); }
    bool PolyPolygon(const POINT* p, const int* c, int n) override
    {
        int total = 0;
        for (int i = 0; i < n; ++i)
            total += c[i];
        return Log("PolyPolygon", {p, p + total});
    }
    bool PolyBezier(const POINT* p, int n) override { return Log("PolyBezier", {p, p + n}); }
    bool Rectangle(int l, int t, int r, int b) override { return Log("Rectangle", {{l, t}, {r, b}}); }
    bool Ellipse(int l, int t, int r, int b) override { return Log("Ellipse", {{l, t}, {r, b}}); }
    bool RoundRect(int l, int t, int r, int b, int, int) override { return Log("RoundRect", {{l, t}, {r, b}}); }
    bool Arc(int l, int t, int r, int b, int xs, int ys, int xe, int ye) override
    {
        return Log("Arc", {{l, t}, {r, b}, {xs, ys}, {xe, ye}});
    }
    bool Pie(int l, int t, int r, int b, int xs, int ys, int xe, int ye) override
    {
        return Log("Pie", {{l, t}, {r, b}, {xs, ys}, {xe, ye}});
    }
    bool Chord(int l, int t, int r, int b, int xs, int ys, int xe, int ye) override
    {
        return Log("Chord", {{l, t}, {r, b}, {xs, ys}, {xe, ye}});
    }
    void FillRect(const RECT* r, CBrush*) override { Log("FillRect", {{r->left, r->top}, {r->right, r->bottom}}); }
    void FrameRect(const RECT* r, CBrush*) override { Log("FrameRect", {{r->left, r->top}, {r->right, r->bottom}}); }
    bool FillRgn(CRgn*, CBrush*) override { return Log("FillRgn", {}); }
    bool FrameRgn(CRgn*, CBrush*, int, int) override { return Log("FrameRgn", {}); }
    bool PatBlt(int x, int y, int w, int h, DWORD) override { return Log("PatBlt", {{x, y}, {x + w, y + h}}); }
    bool BitBlt(int x, int y, int w, int h, CDC*, int, int, DWORD) override
    {
        return Log("BitBlt", {{x, y}, {x + w, y + h}});
    }
    bool StretchBlt(int x, int y, int w, int h, CDC*, int, int, int, int, DWORD) override
    {
        return Log("StretchBlt", {{x, y}, {x + w, y + h}});
    }
    int StretchDIBits(int x, int y, int w, int h, int, int, int, int, const void*, const BITMAPINFO* info, UINT,
                      DWORD) override
    {
        Log("StretchDIBits", {{x, y}, {x + w, y + h}});
        return info ? 1 : 0;
    }
    COLORREF SetPixel(int x, int y, COLORREF c) override
    {
        Log("SetPixel", {{x, y}});
        return c;
    }
    bool StrokePath() override { return Log("StrokePath", {}); }
    bool FillPath() override { return Log("FillPath", {}); }
    bool StrokeAndFillPath() override { return Log("StrokeAndFillPath", {}); }
    bool ExtTextOut(int x, int y, UINT, const RECT*, const char* text, UINT count, const int* dx) override
    {
        Log("ExtTextOut", {{x, y}});
        calls.back().str.assign(text, count);
        if (dx)
            calls.back().dx.assign(dx, dx + count);
        return true;
    }
    void GpFillPath(const QPainterPath&, const CGpBrush&, const CGpState&) override { Log("GpFillPath", {}); }
    void GpDrawPath(const QPainterPath&, const CGpPen&, const CGpState&) override { Log("GpDrawPath", {}); }
    void GpDrawImage(const QImage&, const QRectF&, const QRectF&, const CGpImageAttributes*, const CGpState&) override
    {
        Log("GpDrawImage", {});
    }

private:
    bool Log(const char* name, std::vector<POINT> points)
    {
        LPtoDP(points.data(), int(points.size()));
        calls.push_back(Call{name, std::move(points), State().logPen.lopnColor, State().logBrush.lbColor,
                             State().textColor, State().logPen.lopnWidth.x, State().logFont.lfHeight, {}, {}});
        return true;
    }
};
