#pragma once
// Pictures on the system clipboard: which picture formats it offers, their
// bytes as the picture import takes them, and the paste of a picture.
#include "platform/WinTypes.h"

#include <vector>

class CKavoDoc;
class QMimeData;
class QString;

// The picture format (CF_ENHMETAFILE, CF_DIB) a MIME type carries, 0 none.
int PictureFormatOfMime(const QString& mime);

// The picture formats (CF_ENHMETAFILE, CF_DIB) the data offers, in the order
// of its own formats, each once.
std::vector<int> PictureFormatsOf(const QMimeData* data);
// The bytes of one picture format: an enhanced metafile's bits, or a packed
// bitmap (the bitmap file's bytes without its file header, or an image drawn
// on white). False when the data does not offer the format.
bool PictureBytesOf(const QMimeData* data, int format, std::vector<BYTE>& bytes);

// Whether the clipboard offers a picture of the format (0: any).
bool ClipboardHasPicture(int format);
// The paste of the clipboard's picture of the format (0: the first picture
// format it offers) as a new figure; false when there is none or it cannot
// be added.
bool PastePictureFromClipboard(CKavoDoc& doc, int format);
