#pragma once
// Record numbers and fixed layouts of Windows metafiles (WMF, with the optional
// placeable header) and enhanced metafiles (EMF), as stored in files, on the
// clipboard and inside diagram files.
#include "platform/WinTypes.h"

// Windows metafile function numbers (the 16-bit word after a record's size).
enum : WORD {
    META_EOF = 0x0000,
    META_SETBKCOLOR = 0x0201,
    META_SETBKMODE = 0x0102,
    META_SETMAPMODE = 0x0103,
    META_SETROP2 = 0x0104,
    META_SETRELABS = 0x0105,
    META_SETPOLYFILLMODE = 0x0106,
    META_SETSTRETCHBLTMODE = 0x0107,
    META_SETTEXTCHAREXTRA = 0x0108,
    META_SETTEXTCOLOR = 0x0209,
    META_SETTEXTJUSTIFICATION = 0x020A,
    META_SETWINDOWORG = 0x020B,
    META_SETWINDOWEXT = 0x020C,
    META_SETVIEWPORTORG = 0x020D,
    META_SETVIEWPORTEXT = 0x020E,
    META_OFFSETWINDOWORG = 0x020F,
    META_SCALEWINDOWEXT = 0x0410,
    META_OFFSETVIEWPORTORG = 0x0211,
    META_SCALEVIEWPORTEXT = 0x0412,
    META_LINETO = 0x0213,
    META_MOVETO = 0x0214,
    META_EXCLUDECLIPRECT = 0x0415,
    META_INTERSECTCLIPRECT = 0x0416,
    META_ARC = 0x0817,
    META_ELLIPSE = 0x0418,
    META_FLOODFILL = 0x0419,
    META_PIE = 0x081A,
    META_RECTANGLE = 0x041B,
    META_ROUNDRECT = 0x061C,
    META_PATBLT = 0x061D,
    META_SAVEDC = 0x001E,
    META_SETPIXEL = 0x041F,
    META_OFFSETCLIPRGN = 0x0220,
    META_TEXTOUT = 0x0521,
    META_BITBLT = 0x0922,
    META_STRETCHBLT = 0x0B23,
    META_POLYGON = 0x0324,
    META_POLYLINE = 0x0325,
    META_ESCAPE = 0x0626,
    META_RESTOREDC = 0x0127,
    META_FILLREGION = 0x0228,
    META_FRAMEREGION = 0x0429,
    META_INVERTREGION = 0x012A,
    META_PAINTREGION = 0x012B,
    META_SELECTCLIPREGION = 0x012C,
    META_SELECTOBJECT = 0x012D,
    META_SETTEXTALIGN = 0x012E,
    META_CHORD = 0x0830,
    META_SETMAPPERFLAGS = 0x0231,
    META_EXTTEXTOUT = 0x0A32,
    META_SETDIBTODEV = 0x0D33,
    META_SELECTPALETTE = 0x0234,
    META_REALIZEPALETTE = 0x0035,
    META_ANIMATEPALETTE = 0x0436,
    META_SETPALENTRIES = 0x0037,
    META_POLYPOLYGON = 0x0538,
    META_RESIZEPALETTE = 0x0139,
    META_DIBBITBLT = 0x0940,
    META_DIBSTRETCHBLT = 0x0B41,
    META_DIBCREATEPATTERNBRUSH = 0x0142,
    META_STRETCHDIB = 0x0F43,
    META_EXTFLOODFILL = 0x0548,
    META_DELETEOBJECT = 0x01F0,
    META_CREATEPALETTE = 0x00F7,
    META_CREATEPATTERNBRUSH = 0x01F9,
    META_CREATEPENINDIRECT = 0x02FA,
    META_CREATEFONTINDIRECT = 0x02FB,
    META_CREATEBRUSHINDIRECT = 0x02FC,
    META_CREATEREGION = 0x06FF,
};

// Enhanced metafile record types used by our own code.
enum : DWORD {
    EMR_HEADER = 1,
    EMR_POLYBEZIER = 2,
    EMR_POLYGON = 3,
    EMR_POLYLINE = 4,
    EMR_POLYBEZIERTO = 5,
    EMR_POLYLINETO = 6,
    EMR_POLYPOLYLINE = 7,
    EMR_POLYPOLYGON = 8,
    EMR_SETWINDOWEXTEX = 9,
    EMR_SETWINDOWORGEX = 10,
    EMR_SETVIEWPORTEXTEX = 11,
    EMR_SETVIEWPORTORGEX = 12,
    EMR_EOF = 14,
    EMR_SETPIXELV = 15,
    EMR_SETMAPMODE = 17,
    EMR_SETBKMODE = 18,
    EMR_SETPOLYFILLMODE = 19,
    EMR_SETROP2 = 20,
    EMR_SETTEXTALIGN = 22,
    EMR_SETTEXTCOLOR = 24,
    EMR_SETBKCOLOR = 25,
    EMR_MOVETOEX = 27,
    EMR_SAVEDC = 33,
    EMR_RESTOREDC = 34,
    EMR_SETWORLDTRANSFORM = 35,
    EMR_MODIFYWORLDTRANSFORM = 36,
    EMR_SELECTOBJECT = 37,
    EMR_CREATEPEN = 38,
    EMR_CREATEBRUSHINDIRECT = 39,
    EMR_DELETEOBJECT = 40,
    EMR_ELLIPSE = 42,
    EMR_RECTANGLE = 43,
    EMR_LINETO = 54,
    EMR_COMMENT = 70,
    EMR_EXTTEXTOUTW = 84,
};

constexpr DWORD ENHMETA_SIGNATURE = 0x464D4520;   // " EMF" at byte 40 of the header
constexpr DWORD PLACEABLE_META_KEY = 0x9AC6CDD7;  // first 32 bits of a placeable WMF

// Sizes of the fixed parts.
constexpr size_t PLACEABLE_HEADER_SIZE = 22;
constexpr size_t WMF_HEADER_SIZE = 18;      // the standard header, 9 words
constexpr size_t WMF_RECORD_MIN_BYTES = 6;  // size (32-bit) and function (16-bit)
constexpr size_t EMF_HEADER_MIN_SIZE = 88;  // the header record without extensions
constexpr size_t EMF_RECORD_MIN_SIZE = 8;   // type and size

// Byte offsets in the EMF header record.
constexpr size_t EMF_OFF_BOUNDS = 8;    // RECTL, device units
constexpr size_t EMF_OFF_FRAME = 24;    // RECTL, 0.01 mm
constexpr size_t EMF_OFF_SIGNATURE = 40;
constexpr size_t EMF_OFF_VERSION = 44;
constexpr size_t EMF_OFF_BYTES = 48;    // size of the whole metafile
constexpr size_t EMF_OFF_RECORDS = 52;  // number of records
constexpr size_t EMF_OFF_HANDLES = 56;  // 16-bit: object table size
constexpr size_t EMF_OFF_DESC_COUNT = 60;
constexpr size_t EMF_OFF_DESC_OFFSET = 64;
constexpr size_t EMF_OFF_PAL_ENTRIES = 68;
constexpr size_t EMF_OFF_DEVICE = 72;      // SIZEL, reference device in pixels
constexpr size_t EMF_OFF_MILLIMETERS = 80; // SIZEL, reference device in mm
