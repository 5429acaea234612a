#pragma once
// Whole files and parts of blocks in movable global memory (pictures and
// packed data are passed around in such blocks).
#include "platform/GlobalMem.h"

#include <QString>

#include <cstddef>

// Reads the whole file (a file-system path) into a new movable block and sets
// *length (when given) to its size. Null, with *length 0, when the file cannot
// be opened, is empty, does not fit in memory, or cannot be read to its end.
HGLOBAL LoadFileToGlobal(const QString& path, size_t* length = nullptr);

// A new movable block holding the bytes of `block` after the first `skip`.
// Null when `skip` is not less than the block's size or memory runs out; with
// `freeSource` the source block is freed, on success only.
HGLOBAL GlobalTail(HGLOBAL block, size_t skip, bool freeSource);
