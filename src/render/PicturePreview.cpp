#include "render/PicturePreview.h"

#include "graphics/MetaRecolour.h"
#include "platform/CGraphics.h"
#include "platform/CPainterDC.h"
#include "render/PictureColours.h"
#include "render/PictureImport.h"
#include "render/PicturePlay.h"

#include <algorithm>

namespace {

// The picture's size scaled down (never up) to fit the box, keeping its shape.
QSize Fitted(int width, int height, const QSize& box)
{
    if (width <= 0 || height <= 0)
        return box;
    const double scale = std::min({1.0, double(box.width()) / width, double(box.height()) / height});
    return QSize(std::max(1, int(width * scale)), std::max(1, int(height * scale)));
}
} // namespace

bool LoadPicturePreview(const QString& path, bool cleanBackground, bool transparentEdges, const QSize& box,
                        PicturePreview& out)
{
    out = PicturePreview();
    const int type = GetPictureFileType(path);
    int kind = 0, width = 0, height = 0, hasTransparency = 0;
    HGLOBAL block = LoadGraphicFromFile(path, kind, width, height, kPictureWhite, cleanBackground, transparentEdges,
                                        hasTransparency);
    out.optionsApply = type != 2 && type != 3 && !hasTransparency;
    if (!block)
        return false;
    const QSize size = Fitted(width, height, box);
    QImage canvas(size, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::white);
    {
        CPainterDC dc(&canvas);
        CGraphics graphics(&dc);
        PlayPicture(&graphics, block, kind, QRectF(0, 0, size.width(), size.height()), false, 0, NO_COLOR, false,
                    PLAY_HIGH_QUALITY);
    }
    GlobalFree(block);
    out.image = canvas.convertToFormat(QImage::Format_RGB32);
    return true;
}
