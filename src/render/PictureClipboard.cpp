#include "render/PictureClipboard.h"

#include "document/CKavoDoc.h"
#include "document/GraphicExtent.h"
#include "graphics/BitmapHelpers.h"
#include "graphics/MetafileHelpers.h"
#include "render/ArgbBitmaps.h"
#include "render/PictureColours.h"
#include "render/PictureImport.h"
#include "undo/UndoCodes.h"

namespace {
} // namespace

HGLOBAL GetGraphicFromClipboard(int format, const BYTE* data, size_t size, int& kind, int& width, int& height)
{
    if (!data || size == 0)
        return nullptr;
    HGLOBAL block = nullptr;
    if (format == CF_DIB) {
        block = ClipboardDibToBitmapBlock(data, size);
        kind = 1;
    } else if (format == CF_ENHMETAFILE) {
        block = GlobalFromBytes(data, size);
        if (block && !IsEnhMetafileBlock(block))
            block = GlobalFree(block);
        kind = 3;
    }
    if (!block)
        return nullptr;
    // A block whose size cannot be read cannot be drawn either.
    int w = 0, h = 0;
    if (!GetGraphicExtent(block, kind, &w, &h)) {
        GlobalFree(block);
        return nullptr;
    }
    width = w;
    height = h;
    const CKavoDoc* doc = GetActiveKavoDoc();
    if (doc && doc->m_bTranspBMPs && doc->m_crTranspColor == kTransparentKey && kind == 1) {
        if (HGLOBAL filled = FloodFillBorderColor(block, kPictureWhite, kTransparentKey)) {
            GlobalFree(block);
            block = filled;
        }
    }
    return block;
}

bool PasteGraphic(CKavoDoc& doc, int format, const BYTE* data, size_t size)
{
    int kind = 0, width = 0, height = 0;
    HGLOBAL block = GetGraphicFromClipboard(format, data, size, kind, width, height);
    if (!block)
        return false;
    if (!doc.AddGraphicAsFig(UDMAC_PASTE, block, kind, doc.GetNewObjPos(), width, height)) {
        GlobalFree(block);
        return false;
    }
    return true;
}
