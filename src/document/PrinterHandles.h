#pragma once
// The printer handles (a DEVMODE and a DEVNAMES block, either may be empty):
// their checks and copies, a fresh DEVMODE from the printer's driver, and the
// printer's papers and orientations. The live printer is reached through the
// printer seam (platform/PrinterSeam.h); whoever holds a handle frees it.
#include "platform/DevModeBlock.h"
#include "platform/GlobalMem.h"

#include <cstddef>
#include <vector>

// DEVNAMES: its three name offsets lie in 8..776; with `openPrinter` the
// device name must also open as a printer.
bool IsValidDevNames(const BYTE* devNames, size_t size, bool openPrinter = false);
// The same on a handle (false when it is empty or does not lock).
bool IsValidDevNamesHandle(HGLOBAL devNames, bool openPrinter);
// Present and lockable.
bool IsValidDevModeHandle(HGLOBAL devMode);
// Both present and the DEVNAMES names a printer that opens.
bool IsPrinterUsable(HGLOBAL devMode, HGLOBAL devNames);

// The target's block is freed; with a source that locks, the target becomes
// a copy of the whole source block.
void CopyGlobalBlock(HGLOBAL& target, HGLOBAL source);
// The same for a DEVMODE: dmSize + dmDriverExtra bytes (bounded by the block).
void CopyDevModeBlock(HGLOBAL& target, HGLOBAL source);
// With both sources given, the targets become copies of them (each copy by
// its own rule); with either missing nothing changes.
void CopyPrinterHandles(HGLOBAL& devMode, HGLOBAL& devNames, HGLOBAL sourceMode, HGLOBAL sourceNames);
// Orientation, paper code, paper length and paper width of `source` into the
// same fields of `target`.
void CopyDevModePaperFields(HGLOBAL target, HGLOBAL source);

// A new DEVMODE block the printer's driver fills with its current settings,
// or null. `devMode` is only traced.
HGLOBAL GetSafeDevMode(const DevNamesStrings& names, const void* devMode);
// Reads the DEVNAMES (null when it is empty) and asks for a fresh DEVMODE.
HGLOBAL GetSafeDevModeFromHandles(HGLOBAL devNames, HGLOBAL devMode);
// Whether the printer can print landscape.
bool PrinterSupportsLandscape(HGLOBAL devNames, HGLOBAL devMode);

struct PrinterPaperSize {
    int width = 0, length = 0; // tenths of a millimetre
};
// The printer's papers: codes and sizes, the count (1..1000), else 0 with
// both lists empty.
int GetPrinterPapers(HGLOBAL devNames, std::vector<short>& codes, std::vector<PrinterPaperSize>& sizes);
// Fits a paper to the printer's papers: the same code takes the printer's
// size (true); else a paper of the same size gives its code (true); else the
// printer's first paper (false). No papers: nothing changes (false).
bool FitPaperToPrinter(HGLOBAL devNames, HGLOBAL devMode, int& paper, int& length, int& width);
