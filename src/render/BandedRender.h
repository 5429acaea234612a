#pragma once
// The diagram drawn into a picture band by band: each band of the final
// picture's rows is drawn on its own image (supersampled by the factor, with
// the rows the shrinking filter reaches above and below it) and shrunk to its
// rows, so a picture of any size needs only a few bands' memory. Bands are
// drawn on several threads and handed over in order from the top; the result
// equals the picture drawn whole, pixel for pixel.
#include "graphics/PngBandWriter.h"
#include "platform/CRect.h"
#include "platform/Colorref.h"

#include <QImage>

#include <functional>

class CKavoDoc;

struct RenderedBand {
    int firstRow = 0;
    bool last = false;
    QImage rows;          // RGB32, the final picture's width
    PngDeflatedBand png;  // when the band was packed for a PNG
};
// Runs on the thread that drew the band (packing it for a writer, say).
using BandPackFn = std::function<void(RenderedBand& band)>;
// Runs on the calling thread, band after band from the top; false stops.
using BandTakeFn = std::function<bool(RenderedBand& band)>;

struct BandedRequest {
    int which = 0;
    CRect rect;            // the export rectangle, fitted to the picture as RenderToDDB fits it
    int width = 0, height = 0;
    COLORREF background = 0xFFFFFF;
    int factor = 1;        // 4 or 2 to anti-alias by drawing that much larger and shrinking
    int smoothing = -1;    // as in ExportDrawRequest
    int bandRows = 0;      // final rows a band; 0 chooses by the width and the memory a band may take
    qint64 bandBytes = 0;  // memory a band may take; 0 chooses by what the process holds
    int threads = 0;       // 0: one a core
    int run = 0;           // bands a thread draws one after another; 0 chooses
};

enum class BandedResult { Done, NoMemory, Stopped };

// Draws the picture band by band. NoMemory when a band's image could not be
// made (nothing was handed over then, unless the first band succeeded);
// Stopped when take returned false.
BandedResult RenderBanded(CKavoDoc& doc, const BandedRequest& request, const BandPackFn& pack,
                          const BandTakeFn& take);

// The memory each of `threads` bands may take while the process holds
// `resident` bytes (0: not known) and the diagram `objects` objects.
qint64 BandBytesFor(qint64 resident, qint64 objects, int threads);

// The whole picture (RGB32) drawn in bands; null without memory for it.
QImage RenderBandedImage(CKavoDoc& doc, const BandedRequest& request);
