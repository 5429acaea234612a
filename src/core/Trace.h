#pragma once
// The diagnostic trace: a plain text file "Diags.log" in the program folder to
// which every subsystem writes one-line records when diagnostics are on. Each
// line starts with a category padded to six characters ("STAT  ", "USER  ",
// "INIT  ", "ERR!  " ...). The file is opened, appended to and closed for every
// line, so the trace survives a crash up to the last line written. With
// diagnostics off nothing is written and the file is never touched.
#include <string>

// Set at start-up (command-line switch or Shift held) before InitDiagnostics;
// nothing turns it off later.
extern bool g_bDiagnostics;

// The trace file's full path (UTF-8), filled by InitDiagnostics. Sized for
// Linux paths; it stays empty (the trace is lost) when the path does not fit.
constexpr int kDiagPathSize = 4096;
extern char g_szDiagPath[kDiagPathSize];

constexpr const char* kDiagFileName = "Diags.log";
// Longest text one DiagPrintf call writes; a longer text is cut there.
constexpr int kDiagLineMax = 8192;

// Installs the trace into the hooks of the layers below (always). With
// diagnostics on: points g_szDiagPath at the program folder's "Diags.log",
// deletes any previous trace and writes the banner with the start time.
// Does nothing with diagnostics off.
void InitDiagnostics();

// printf-style, numbers in the "C" locale. With diagnostics off writes nothing
// and returns the length of the format text. Otherwise appends the text to the
// trace file and returns the number of bytes written, 0 when the file cannot be
// opened (the line is lost silently).
int DiagPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The main window's title carries this suffix while diagnostics are on.
constexpr const char* kDiagnosticTitleSuffix = " DIAGNOSTIC";
// `title` with the suffix appended when diagnostics are on.
std::string WithDiagnosticSuffix(const std::string& title);

// The C runtime's asctime text of a broken-down time: "Wed Dec  9 21:18:40 2026\n".
std::string AsctimeText(const struct tm& t);

// Back to the start state: diagnostics off, no trace path, hooks installed.
void ResetDiagnostics();
