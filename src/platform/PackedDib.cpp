#include "platform/PackedDib.h"

bool ParseDibLayout(const BYTE*, size_t, DibLayout*) { return false; }
bool ParseDibInfo(const BITMAPINFO*, size_t, size_t, DibLayout*) { return false; }
QImage DibToImage(const BYTE*, size_t, bool) { return {}; }
QImage DibToImage(const BITMAPINFO*, size_t, const void*, size_t, bool) { return {}; }
size_t DibBitsSize(const BITMAPINFOHEADER&) { return 0; }
size_t DibInfoSize(const BITMAPINFOHEADER&) { return 0; }
std::vector<BYTE> ImageToDib(const QImage&, int, bool, LONG, LONG) { return {}; }
