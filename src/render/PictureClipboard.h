#pragma once
// Pictures from the clipboard: the bytes of a clipboard format as a picture
// block, and the paste of such a picture as a new figure. The widget side
// reads the system clipboard and passes the bytes in.
#include "platform/GlobalMem.h"

#include <cstddef>

class CKavoDoc;

// The clipboard formats a picture comes in.
constexpr int CF_DIB = 8;           // a packed bitmap: info header, colours, pixels
constexpr int CF_ENHMETAFILE = 14;  // the bits of an enhanced metafile

// The block of clipboard data of the format: a CF_DIB bitmap with its file
// header in front (kind 1), an enhanced metafile's bits (kind 3), with its
// size in logical units; null for another format or for data that is not a
// picture whose size can be read. A bitmap's border background is made
// transparent as the active diagram asks, and it stays kind 1.
HGLOBAL GetGraphicFromClipboard(int format, const BYTE* data, size_t size, int& kind, int& width, int& height);

// Paste of a picture: a new picture figure at the next new-object position,
// in one paste undo step. False (nothing changed) when the data is no
// picture or the figure cannot be added.
bool PasteGraphic(CKavoDoc& doc, int format, const BYTE* data, size_t size);
