#pragma once
// The two run coders of binary blocks. Compression 1 (`PackRuns`) is a
// byte-run coder with signed control bytes, used for previews; Compression 2
// (`PackBlocks`) codes blocks of 1- to 4-byte units behind 2-byte headers,
// tuned for 32-bit pixels, used for pictures. Each routine measures its output
// in a first pass and fills a block of exactly that size in a second.
//
// Packed streams come from files and are untrusted: the unpackers read and
// write only inside their blocks and give null for a corrupt stream (an item
// that runs past the end, a missing end byte, an undefined header type, a
// count of 0) or one that would unpack to more than kMaxUnpackedSize bytes.
#include "platform/GlobalMem.h"
#include "platform/WinTypes.h"

#include <cstddef>

enum EPacking : int {
    PACK_NONE = 0,
    PACK_RUNS = 1,
    PACK_BLOCKS = 2,
};

inline constexpr size_t kMaxUnpackedSize = size_t(512) << 20;

// Pack the whole block into a new movable block; null when the input is null,
// empty or cannot be locked, or the output cannot be had. The input is kept.
HGLOBAL PackRuns(HGLOBAL block);
HGLOBAL PackBlocks(HGLOBAL block);
// Unpack into a new block of exactly the unpacked size; null as above, for a
// corrupt stream, and for a stream that unpacks to nothing.
HGLOBAL UnpackRuns(HGLOBAL block);
HGLOBAL UnpackBlocks(HGLOBAL block);

// The same on bytes the caller holds.
HGLOBAL PackRunsBytes(const BYTE* data, size_t size);
HGLOBAL PackBlocksBytes(const BYTE* data, size_t size);
HGLOBAL UnpackRunsBytes(const BYTE* data, size_t size);
HGLOBAL UnpackBlocksBytes(const BYTE* data, size_t size);
