#pragma once
// The image library (FreeImage) behind picture import and export: start and
// stop, load, save with the format's preparation (GIF: 24 bits then Wu
// quantisation to 8 bits; JPEG: 24 bits), and the DIB-block entry points.
// Format codes are the library's: 0 BMP, 2 JPEG, 10 PCX, 13 PNG, 18 TIFF, 25 GIF.
#include "platform/Colorref.h"
#include "platform/GlobalMem.h"

#include <QImage>
#include <QString>

constexpr int IMAGE_FORMAT_BMP = 0;
constexpr int IMAGE_FORMAT_JPEG = 2;
constexpr int IMAGE_FORMAT_PCX = 10;
constexpr int IMAGE_FORMAT_PNG = 13;
constexpr int IMAGE_FORMAT_TIFF = 18;
constexpr int IMAGE_FORMAT_GIF = 25;

// Largest picture accepted from a file, read from its header before decoding:
// 64 megapixels. An imported picture is kept as 32-bit pixels (256 MB at the
// cap) beside its decoded copy while it is converted.
constexpr qint64 kMaxImagePixels = qint64(64) * 1024 * 1024;

// How many pixels one byte of a compressed picture may stand for. Deflate
// (PNG, TIFF) packs at most about 1,032 bytes into one, so a 1-bit picture
// reaches some 8,300 pixels a byte; LZW (GIF) and run-length codes stay below.
constexpr qint64 kMaxPixelsPerFileByte = 16384;
// Whether a picture of the given size may be decoded from a file of fileBytes:
// within kMaxImagePixels, and within what the file can hold: pixelBytes, the
// fewest bytes a file of that picture can have (an uncompressed picture's
// pixel bytes; for PCX the header and the least each coded row takes), must
// all be in the file (-1: a compressed picture, bounded by
// kMaxPixelsPerFileByte).
bool ImageDecodeAcceptable(qint64 width, qint64 height, qint64 fileBytes, qint64 pixelBytes);

// What a picture file's header says of its size (read without decoding):
// Accepted when ImageDecodeAcceptable takes it, TooLarge when it has more than
// kMaxImagePixels pixels, Refused when its size cannot be read or the file
// cannot hold its pixels. size receives the size read (empty when none).
enum class ImageSizeVerdict { Accepted, TooLarge, Refused };
ImageSizeVerdict CheckImageFileSize(int format, const QString& file, QSize* size = nullptr);

void ImageLibraryInitialise();
void ImageLibraryDeInitialise();

// Loads with flags 0. The picture's width and height are read from the file's
// header first and only a picture that CheckImageFileSize accepts is decoded.
// hasTransparent/transparent: the fully transparent palette entry of a
// picture that reports transparency (else the last entry of its transparency
// table), as a COLORREF. Null image on failure. The result is RGB32 (alpha
// dropped), except with keepAlpha for a picture that reports transparency (an
// alpha channel or a transparency table): then it is ARGB32 with the
// picture's own alpha.
QImage ImageLibraryLoad(int format, const QString& file, bool* hasTransparent,
                        COLORREF* transparent, bool keepAlpha = false);
// Saves the image (its pixels copied into a 24-bit library image) after the
// format's preparation; false when any step fails (PCX cannot be written).
// With a transparent key, a GIF marks the palette entry nearest to the key as
// transparent (quantising may not keep the key exactly).
bool ImageLibrarySave(int format, const QImage& image, const QString& file, int flags,
                      const COLORREF* transparentKey = nullptr);

// The DIB-block entry points: SaveImageFile converts the block to a bitmap and
// saves it; LoadImageFile gives a 24-bit DIB with the BMP file header (alpha is
// lost) and reports the transparent colour (has-transparent 1 or 0).
bool SaveImageFile(int format, HGLOBAL dib, const QString& file, int flags,
                   const COLORREF* transparentKey = nullptr);
HGLOBAL LoadImageFile(int format, const QString& file, int* hasTransparent, COLORREF* transparent);
