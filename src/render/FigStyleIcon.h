#pragma once
// A figure style's own sample, as the style lists, pickers and style-bar
// buttons draw it. Picture styles drawn smoothly come from an icon cache of
// the style, made once per size and key with alpha-correct edges, because
// drawing a picture smoothly at a button's size is slow and the same samples
// are drawn over and over.
#include "platform/CRect.h"

#include <QImage>

#include <cstdint>
#include <vector>

class CFigStyle;
class CGraphics;
class CKavoDoc;

// Draws the style's sample into the rectangle: from the cache when smooth
// is asked for, the DisplayQuality setting is on and the style shows a
// picture; otherwise directly. Nothing for a style the document does not hold.
void DrawFigStyleIcon(const CFigStyle& style, CKavoDoc* doc, CGraphics* graphics, const RECT& rect, bool smooth,
                      int cacheKey);

class FigStyleIconCache {
public:
    // At most this many samples per style; the oldest goes first.
    static constexpr size_t kMaxEntries = 8;

    const QImage* Find(int width, int height, int key) const;
    const QImage& Store(int width, int height, int key, QImage image);
    size_t Size() const { return m_entries.size(); }
    void Clear() { m_entries.clear(); }

    // What the samples were made from: they are dropped when the style
    // changed (its kind's stamp in the document) or shows another picture.
    uint32_t m_nStamp = 0;
    const void* m_pPicture = nullptr;

private:
    struct Entry {
        int width, height, key;
        QImage image;
    };
    std::vector<Entry> m_entries;
};

// The cache of a style (made on first use); null when it has none yet.
FigStyleIconCache* FindFigStyleIconCache(const CFigStyle& style);

// The picture that, drawn over white and over black, gives the two renders:
// alpha from how much the two differ, colour from the render on black
// divided by that alpha (so soft edges keep their own colour instead of
// taking the white they were drawn on). Null when the sizes differ.
QImage AlphaCorrectFromPair(const QImage& onWhite, const QImage& onBlack);
