#pragma once
// Export file types and how each is written. Type codes: 1 BMP, 2 WMF, 3 EMF,
// 4 JPEG, 5 PNG, 6 TIFF, 7 GIF, 8 PCX. The file chooser lists seven of them by
// filter index 1..7 (PCX is not offered).
#include "platform/GlobalMem.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <string>

enum EExportType {
    EXPORT_BMP = 1, EXPORT_WMF = 2, EXPORT_EMF = 3, EXPORT_JPEG = 4,
    EXPORT_PNG = 5, EXPORT_TIFF = 6, EXPORT_GIF = 7, EXPORT_PCX = 8
};

// The chooser's filter text, in filter-index order, closed by "|".
std::string BuildExportFilter();
// The filter index of a type (0 for PCX), with its default extension.
int ExportTypeToFilter(int type, std::string* defaultExt);
int ExportFilterToType(int filterIndex);
std::string ExportFilterToExt(int filterIndex);
// Every extension a filter's files go by, the default first, separated by
// ';' ("JPG;JPEG;JPE").
std::string ExportFilterToExtList(int filterIndex);
// The image library's format code of a type.
int ExportTypeToImageFormat(int type);
// The MIME type of the encoder that writes a type ("" for types written by
// the image library or as metafiles).
std::string GetMimeTypeOfExportType(int type);

// The encoder for a MIME type: its index in the list of encoders, or -1; the
// encoder's format name goes to encoder.
int GetEncoderClsid(const std::string& mimeType, QByteArray* encoder);
// Writes a bitmap block with the encoder of the type's MIME type; 1 on
// success. The file is replaced only when the whole image was written.
int SaveBitmapBlockWithEncoder(int type, HGLOBAL bitmapBlock, const QString& path);
// The same for an image already in memory (true colour only).
int SaveImageWithEncoder(int type, const QImage& image, const QString& path);
