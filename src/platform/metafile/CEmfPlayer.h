#pragma once
// Plays enhanced metafile records onto a device context. The metafile's own
// mapping (map mode, window and viewport, world transform) is kept here and
// handed to the device context as one world transform, composed with the
// transform that maps the picture frame onto the destination rectangle; the
// device context's own mapping is left as the caller set it. Every record is
// read through checked offsets: a record too short for what it claims is
// skipped, never read past.
#include "platform/CDC.h"
#include "platform/PackedDib.h"
#include "platform/metafile/MetaFileHandles.h"

#include <QTransform>

#include <functional>
#include <map>
#include <memory>
#include <tuple>
#include <vector>

// What of the picture is mapped onto the destination: the frame (0.01 mm),
// as the GDI play call does, or the bounds of what was drawn (reference
// pixels, inclusive), as the anti-aliased drawing path does.
enum class EmfPlaySource { Frame, Bounds };

class CEmfPlayer {
public:
    // Saves the device context's state; the destructor restores it.
    CEmfPlayer(CDC* dc, HENHMETAFILE metafile, const RECT& dest, EmfPlaySource source = EmfPlaySource::Frame);
    ~CEmfPlayer();
    CEmfPlayer(const CEmfPlayer&) = delete;
    CEmfPlayer& operator=(const CEmfPlayer&) = delete;

    // False when the metafile or destination cannot be played at all.
    bool Ok() const { return m_ok; }
    // Plays one record (a copy that may have been rewritten). False when the
    // record was malformed or the device context refused it.
    bool PlayRecord(MetaBytes record);

private:
    struct MapState {
        int mapMode = MM_TEXT;
        QPointF windowOrg, viewportOrg;
        QSizeF windowExt{1, 1}, viewportExt{1, 1};
        QTransform world;
        CPen* pen = nullptr;    // the metafile's selected pen and font (not scaled)
        CFont* font = nullptr;
    };

    void ApplyTransform();
    // While the metafile's transform only scales and moves, the mapping is
    // done here: the device context gets coordinates in its own logical units
    // and pens and fonts scaled to match (lengths a device context would not
    // take from a world transform). Otherwise the device context's world
    // transform carries it.
    POINT Map(LONG x, LONG y) const;
    void MapPoints(std::vector<POINT>& points) const;
    LONG LenX(LONG v) const;
    LONG LenY(LONG v) const;
    // A destination box (x, y, width, height) mapped the same way.
    void MapBox(LONG& x, LONG& y, LONG& w, LONG& h) const;
    void SelectPen(CPen* pen);
    void SelectFont(CFont* font);
    // The scaled copy of a pen or font for the current scale, made once.
    CGdiObject* ScaledCopy(const CGdiObject* source, const std::function<std::unique_ptr<CGdiObject>()>& make);
    QTransform MapTransform() const;
    QTransform LogicalToDevice() const;  // the metafile's logical units to device pixels
    // True when the points land within the device range the device context
    // computes in (a record whose points would overflow it is skipped).
    bool PointsFit(const POINT* points, size_t count) const;
    bool BoxFits(LONG l, LONG t, LONG r, LONG b) const;
    bool PlayState(DWORD type, CMetaByteReader& r);
    bool PlayObject(DWORD type, CMetaByteReader& r);
    bool PlayShape(DWORD type, CMetaByteReader& r);
    bool PlayPoly(DWORD type, CMetaByteReader& r);
    bool PlayBlit(DWORD type, CMetaByteReader& r);
    bool PlayText(DWORD type, CMetaByteReader& r);
    bool PlayRegion(DWORD type, CMetaByteReader& r);
    bool SelectClipFromRecord(CMetaByteReader& r);
    void StoreObject(DWORD index, std::unique_ptr<CGdiObject> object);
    CGdiObject* ObjectAt(DWORD index) const;
    // A region from RGNDATA at `offset` whose rectangles are mapped by `map`.
    bool ReadRegion(CMetaByteReader& r, size_t offset, size_t size, const QTransform& map, QRegion& out);
    // A DIB in a record: destination, source and where header and bits lie.
    struct CDibSource {
        LONG x, y, w, h, xs, ys, ws, hs;
        size_t offBmi, cbBmi, offBits, cbBits;
    };
    bool ReadDib(CMetaByteReader& r, const CDibSource& d, std::vector<DWORD>& info, MetaBytes& bits) const;
    bool StretchDib(CMetaByteReader& r, const CDibSource& d, UINT usage, DWORD rop);
    bool AlphaBlendDib(CMetaByteReader& r, const CDibSource& d, BLENDFUNCTION blend);

    CDC* m_dc;
    HENHMETAFILE m_mf;
    bool m_ok = false;
    int m_baseDepth = 0;        // the device context's save depth after our own save
    int m_depth = 0;            // saves made by the metafile
    QTransform m_frameToDest;   // reference pixels -> destination logical units
    QTransform m_destBase;      // the caller's logical -> device mapping
    QSizeF m_pixelsPerMm{1, 1}; // the reference device
    MapState m_state;
    std::vector<MapState> m_saved;
    std::vector<std::unique_ptr<CGdiObject>> m_objects;
    std::vector<std::unique_ptr<CGdiObject>> m_retired;  // deleted, maybe still selected
    std::map<std::tuple<const CGdiObject*, double, double>, std::unique_ptr<CGdiObject>> m_scaled;
    bool m_manual = false;      // the mapping is done here (see Map)
    QTransform m_toDest;        // metafile logical units -> destination logical units
    bool m_hadClip = false;
    QRegion m_initialClip;      // device units
};

// Plays the whole metafile into the rectangle (logical units of dc).
bool PlayEnhMetaFile(CDC* dc, HENHMETAFILE metafile, const RECT* rect);
// Enumerates the records into the rectangle: each record is copied, handed to
// the callback (which may rewrite the copy and play it with PlayRecord), and
// the enumeration stops when the callback returns 0. Non-zero when it ran to
// the end.
using EnhPlayProc = std::function<int(CEmfPlayer& player, std::vector<BYTE>& record)>;
int EnumEnhMetaFile(CDC* dc, HENHMETAFILE metafile, const RECT* rect, const EnhPlayProc& proc,
                    EmfPlaySource source = EmfPlaySource::Frame);
// Plays the picture's drawn bounds (not its frame) into the rectangle.
bool PlayEnhMetaFileBounds(CDC* dc, HENHMETAFILE metafile, const RECT* rect);
