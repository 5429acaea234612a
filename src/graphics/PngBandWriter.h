#pragma once
// A true-colour PNG written band by band: the picture's rows arrive in bands
// of any height, each band is filtered and deflated on its own (so bands can
// be compressed on several threads at once), and the compressed bands are
// written in order as one zlib stream. Memory holds one band, not the picture.
#include <QByteArray>
#include <QImage>
#include <QIODevice>

#include <cstdint>

// Row filters of the PNG format.
enum class PngRowFilter { None = 0, Sub = 1, Up = 2, Paeth = 4 };

// One band's rows filtered and deflated: a piece of the picture's zlib
// stream, with what joining it to the others needs.
struct PngDeflatedBand {
    QByteArray bytes;           // raw deflate data, ending on a byte boundary
    uint32_t adler = 1;         // Adler-32 of the filtered rows
    qint64 filteredLength = 0;  // bytes the rows take filtered
    bool ok = false;
};

// Filters and deflates rows (RGB32 image, written as 8-bit RGB). Every row
// but a band's first takes the filter; the first takes Sub, which needs no
// row of another band. last closes the stream. Safe on any thread.
PngDeflatedBand DeflatePngBand(const QImage& rows, PngRowFilter filter, bool last, int level = 1);

class CPngBandWriter {
public:
    // Nothing is written until Begin.
    CPngBandWriter(QIODevice* out, int width, int height);
    // The signature and header chunks; false on a write error or a size PNG
    // cannot hold.
    bool Begin();
    // The bands in order from the top; false on a write error.
    bool Append(const PngDeflatedBand& band);
    // The stream's checksum and the closing chunk; false when the bands did
    // not hold the picture's rows or on a write error.
    bool Finish();

private:
    bool WriteChunk(const char* type, const QByteArray& data);

    QIODevice* m_out;
    int m_width, m_height;
    uint32_t m_adler = 1;
    qint64 m_length = 0;
    bool m_first = true;
};
