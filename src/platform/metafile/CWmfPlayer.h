#pragma once
// Plays Windows metafile records onto a device context, as GDI plays them: the
// mapping records set the device context's own window and viewport, objects
// go into the metafile's object table (the lowest free slot), and every
// parameter count is checked against the record before it is read.
#include "platform/CDC.h"
#include "platform/metafile/MetaFileHandles.h"

#include <functional>
#include <memory>
#include <vector>

class CWmfParams;

class CWmfPlayer {
public:
    // Saves the device context's state; the destructor restores it.
    CWmfPlayer(CDC* dc, HMETAFILE metafile);
    ~CWmfPlayer();
    CWmfPlayer(const CWmfPlayer&) = delete;
    CWmfPlayer& operator=(const CWmfPlayer&) = delete;

    bool Ok() const { return m_ok; }
    CDC* DC() const { return m_dc; }
    // Plays one record (a copy, possibly rewritten). False when it was malformed
    // or the device context refused it.
    bool PlayRecord(MetaBytes record);

private:
    bool PlayMapping(WORD function, CWmfParams& p);
    bool PlayMode(WORD function, CWmfParams& p);
    bool PlayObject(WORD function, CWmfParams& p);
    bool PlayShape(WORD function, CWmfParams& p);
    bool PlayText(WORD function, CWmfParams& p);
    bool PlayBitmap(WORD function, CWmfParams& p);
    bool PlayRegionRecord(WORD function, CWmfParams& p);
    std::unique_ptr<CRgn> ReadRegion(CWmfParams& p) const;
    void AddObject(std::unique_ptr<CGdiObject> object);
    bool StretchDib(MetaBytes dib, int x, int y, int w, int h, int xs, int ys, int ws, int hs, UINT usage, DWORD rop);

    CDC* m_dc;
    bool m_ok = false;
    int m_baseDepth = 0;
    int m_depth = 0;
    bool m_hadClip = false;   // the caller's clip when play-back began
    QRegion m_initialClip;
    std::vector<std::unique_ptr<CGdiObject>> m_objects;
    std::vector<std::unique_ptr<CGdiObject>> m_retired;
};

// Plays the whole metafile with the device context's current mapping.
bool PlayMetaFile(CDC* dc, HMETAFILE metafile);
// Enumerates the records with a player: the callback gets a copy of each
// record, may rewrite it and play it with PlayRecord; 0 from it stops.
using WmfPlayProc = std::function<int(CWmfPlayer& player, std::vector<BYTE>& record)>;
int EnumMetaFile(CDC* dc, HMETAFILE metafile, const WmfPlayProc& proc);
