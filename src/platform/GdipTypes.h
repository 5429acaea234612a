#pragma once
// The anti-aliased ("GDI+") side of drawing: ARGB colours, pens and brushes with
// real-valued geometry, gradients and image attributes. A CGraphics (CGraphics.h)
// draws with them on a device context.
#include "platform/Colorref.h"
#include "platform/WinTypes.h"

#include <QImage>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QTransform>

#include <array>
#include <optional>
#include <vector>

// 0xAARRGGBB, as GDI+ keeps colours (red in the third byte, unlike COLORREF).
using ARGB = DWORD;
inline constexpr ARGB MakeARGB(int a, int r, int g, int b)
{
    return (ARGB(BYTE(a)) << 24) | (ARGB(BYTE(r)) << 16) | (ARGB(BYTE(g)) << 8) | ARGB(BYTE(b));
}
inline constexpr ARGB ColorRefToARGB(COLORREF c, int alpha = 255)
{
    return MakeARGB(alpha, GetRValue(c), GetGValue(c), GetBValue(c));
}

enum class GpSmoothingMode { Default = 0, HighSpeed = 1, HighQuality = 2, None = 3, AntiAlias = 4 };
// None/Default/HighSpeed put pixel centres on integer coordinates; Half and
// HighQuality put them at +0.5 (Qt's own convention).
enum class GpPixelOffsetMode { Default = 0, HighSpeed = 1, HighQuality = 2, None = 3, Half = 4 };
enum class GpInterpolationMode {
    Default = 0, LowQuality = 1, HighQuality = 2, Bilinear = 3, Bicubic = 4,
    NearestNeighbor = 5, HighQualityBilinear = 6, HighQualityBicubic = 7
};
enum class GpCompositingQuality { Default = 0, HighSpeed = 1, HighQuality = 2 };
enum class GpDashStyle { Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4, Custom = 5 };
enum class GpDashCap { Flat = 0, Round = 2, Triangle = 3 };
enum class GpLineCap { Flat = 0, Square = 1, Round = 2, Triangle = 3 };
enum class GpLineJoin { Miter = 0, Bevel = 1, Round = 2, MiterClipped = 3 };
enum class GpWrapMode { Tile = 0, TileFlipX = 1, TileFlipY = 2, TileFlipXY = 3, Clamp = 4 };
enum class GpFillMode { Alternate = 0, Winding = 1 };

struct CGpPen {
    ARGB color = 0xFF000000;
    float width = 1.0f;
    GpDashStyle dashStyle = GpDashStyle::Solid;
    std::vector<float> dashPattern;   // Custom: on/off lengths in pen widths
    GpDashCap dashCap = GpDashCap::Flat;
    GpLineCap startCap = GpLineCap::Flat;
    GpLineCap endCap = GpLineCap::Flat;
    GpLineJoin lineJoin = GpLineJoin::Miter;
    float miterLimit = 10.0f;
};

enum class GpBrushKind { Solid, Hatch, LinearGradient, PathGradient, Texture };

// One brush description for all kinds; the fields a kind does not use are ignored.
struct CGpBrush {
    GpBrushKind kind = GpBrushKind::Solid;
    ARGB color = 0xFF000000;              // solid; hatch foreground
    ARGB backColor = 0x00000000;          // hatch background
    int hatchStyle = 0;                   // HS_ values
    // Linear: the gradient runs across rect at angle degrees (0 = left to right),
    // from color1 to color2, tiling outside the rectangle (the GDI+ default).
    QRectF rect;
    float angle = 0.0f;
    bool angleIsScalable = false;
    ARGB color1 = 0xFF000000;
    ARGB color2 = 0xFFFFFFFF;
    GpWrapMode wrapMode = GpWrapMode::Tile;
    bool gammaCorrection = false;
    // Blend (factors at positions 0..1) or preset colours (colours at positions).
    std::vector<float> blendFactors;
    std::vector<float> blendPositions;
    std::vector<ARGB> presetColors;
    std::vector<float> presetPositions;
    // Path gradient: the boundary polygon (world units), centre colour at
    // centerPoint, surround colour(s) on the boundary, focus scales.
    std::vector<QPointF> pathPoints;
    QPointF centerPoint;
    ARGB centerColor = 0xFFFFFFFF;
    std::vector<ARGB> surroundColors;
    QPointF focusScales{0, 0};
    // Texture: the image tiled from the world origin.
    QImage* textureImage = nullptr;
    QTransform brushTransform;
};

// Image attributes of DrawImage: a colour key (pixels whose channels all lie
// within [low, high] become transparent), a 5x5 colour matrix applied to
// (r, g, b, a, 1) in 0..1 units, and a colour remap table.
struct CGpImageAttributes {
    std::optional<std::pair<ARGB, ARGB>> colorKey;
    std::optional<std::array<std::array<float, 5>, 5>> colorMatrix;
    std::vector<std::pair<ARGB, ARGB>> remap;
};

// The state a CGraphics hands to its device context with each call.
struct CGpState {
    QTransform world;                     // world to device pixels
    GpSmoothingMode smoothing = GpSmoothingMode::Default;
    GpPixelOffsetMode pixelOffset = GpPixelOffsetMode::Default;
    GpInterpolationMode interpolation = GpInterpolationMode::Default;
    GpCompositingQuality compositing = GpCompositingQuality::Default;
    bool hasClip = false;
    QPainterPath clip;                    // device pixels, when hasClip
    bool AntiAliased() const
    {
        return smoothing == GpSmoothingMode::HighQuality || smoothing == GpSmoothingMode::AntiAlias;
    }
};
