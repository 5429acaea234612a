#pragma once
// The printer handles' byte layouts: a DEVMODE (the 8-bit form, 156 bytes
// before the driver's private bytes) and a DEVNAMES (three 16-bit name
// offsets and the flags word, then the names). The blocks are kept as the
// bytes a file stored; these helpers read and write their fields in place,
// every read bounded by the block.
#include "platform/GlobalMem.h"

#include <cstddef>
#include <string>

namespace devmode {
// Byte offsets of the fields used here.
constexpr size_t kDeviceName = 0;
constexpr size_t kDeviceNameLen = 32;
constexpr size_t kSpecVersion = 32;
constexpr size_t kDriverVersion = 34;
constexpr size_t kSize = 36;
constexpr size_t kDriverExtra = 38;
constexpr size_t kFields = 40;
constexpr size_t kOrientation = 44;
constexpr size_t kPaperSize = 46;
constexpr size_t kPaperLength = 48;
constexpr size_t kPaperWidth = 50;
constexpr size_t kScale = 52;
constexpr size_t kCopies = 54;
// The public part of the block.
constexpr size_t kPublicBytes = 156;
// The shortest block that holds the paper fields.
constexpr size_t kMinBytes = kPaperWidth + 2;
} // namespace devmode

constexpr WORD DM_SPECVERSION = 0x0401;
constexpr DWORD DM_ORIENTATION = 0x00000001;
constexpr DWORD DM_PAPERSIZE = 0x00000002;
constexpr DWORD DM_PAPERLENGTH = 0x00000004;
constexpr DWORD DM_PAPERWIDTH = 0x00000008;
constexpr DWORD DM_SCALE = 0x00000010;
constexpr DWORD DM_COPIES = 0x00000100;
constexpr short DMORIENT_PORTRAIT = 1;
constexpr short DMORIENT_LANDSCAPE = 2;
// Paper codes from here up are the printer's own papers.
constexpr short DMPAPER_USER = 256;
// wDefault bit 0: the handles name the system's default printer.
constexpr WORD DN_DEFAULTPRN = 0x0001;

struct DevModeFields {
    std::string deviceName; // Windows-1252, at most 31 characters
    WORD specVersion = DM_SPECVERSION;
    WORD driverVersion = 0;
    WORD size = WORD(devmode::kPublicBytes);
    WORD driverExtra = 0;
    DWORD fields = 0;
    short orientation = DMORIENT_PORTRAIT;
    short paperSize = 0;
    short paperLength = 0; // tenths of a millimetre
    short paperWidth = 0;
    short scale = 100;
    short copies = 1;
};

// False for no block, one that does not lock, or one too short for the paper
// fields.
bool ReadDevModeFields(HGLOBAL devMode, DevModeFields& out);
// A new block of dmSize + dmDriverExtra bytes (the private bytes zero).
HGLOBAL NewDevModeBlock(const DevModeFields& fields);
// Writes one 16-bit field and sets its dmFields bit; false when the block is
// missing or too short.
bool SetDevModeShort(HGLOBAL devMode, size_t offset, short value, DWORD fieldBit);

struct DevNamesStrings {
    std::string driver, device, port; // Windows-1252
    WORD flags = 0;                    // wDefault
};

// The names and flags; false for no block, one that does not lock, or an
// offset outside the block. A name runs to its NUL or the block's end.
bool ReadDevNames(HGLOBAL devNames, DevNamesStrings& out);
// A new block: header, then driver, device and port, each NUL-terminated.
HGLOBAL NewDevNamesBlock(const DevNamesStrings& names);
// The wDefault word of a block; false when the block is shorter than the header.
bool GetDevNamesFlags(HGLOBAL devNames, WORD& flags);
bool SetDevNamesFlags(HGLOBAL devNames, WORD flags);
