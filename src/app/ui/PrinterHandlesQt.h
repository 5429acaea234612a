#pragma once
// The printer handles (DEVMODE and DEVNAMES byte blocks) against the
// desktop's printers: a QPrinter set up from the handles, and handles taken
// from a QPrinter. Printing to a PDF file counts as one more printer, so
// that a desktop without printers can still print.
#include "platform/DevModeBlock.h"
#include "platform/GlobalMem.h"

#include <string>

class QPrinter;

// The device name of the PDF-file printer.
extern const char* const kPdfPrinterName;

// Whether the device name is a printer of the desktop (or the PDF printer).
bool IsDesktopPrinter(const std::string& device);
// The driver's settings of a printer: its default paper, portrait, one copy.
DevModeFields DesktopPrinterDefaults(const std::string& device);
// The system's default printer (the PDF printer when there is none).
std::string DesktopDefaultPrinter();

// The printer, paper, orientation and copies of the handles. A DEVNAMES
// flagged as the default printer means the system's current default.
void ConfigurePrinter(QPrinter& printer, HGLOBAL devMode, HGLOBAL devNames);
// The printer's choice into the handles: a new DEVNAMES; the DEVMODE keeps
// its private bytes when it is of the same printer, else is made anew.
void StorePrinterChoice(const QPrinter& printer, HGLOBAL& devMode, HGLOBAL& devNames);
