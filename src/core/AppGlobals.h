#pragma once
// Program-wide values the application object creates at start-up and releases
// at exit, read by many parts of the program.
#include "platform/LogFont.h"

#include <string>

// Scratch buffers of the text code: 3072 and 1024 bytes, and the text layout's
// character table of g_nTextCharBufCount four-byte entries (grown in steps of
// 256 by its user).
extern char* g_pCommonBuf;
extern char* g_pCommonBuf2;
extern char* g_pTextCharBuf;
extern int g_nTextCharBufCount;
constexpr int kCommonBufSize = 3072;
constexpr int kCommonBuf2Size = 1024;
constexpr int kTextCharBufInitialCount = 256;

extern bool g_bEmbedded;
extern bool g_bUmlFilesPresent;
// While set (opening by hyperlink, reverting) nothing enters the recent files.
extern bool g_bNoRecentEntry;
// Set while a command of the application creates or opens a document.
extern bool g_bOpeningByCommand;
// The template of the next new diagram; empty for a blank diagram.
extern std::string g_strNewTemplatePath;
extern LOGFONT g_logfontDefault;

// Allocates the three buffers; false (and nothing kept) when one cannot be had.
bool AllocCommonBuffers();
void FreeCommonBuffers();
// Every value back to its state before start-up.
void ResetAppGlobals();

// The clipboard formats, registered in this order at start-up.
constexpr const char* kClipboardFormatNames[4] = {"KAVO Diagram", "KAVO KRTF", "Rich Text Format",
                                                  "Rich Text Format Without Objects"};
// The MIME types that carry them.
constexpr const char* kClipboardMimeTypes[4] = {"application/x-kavo-diagram",
                                                "application/x-kavo-krtf", "text/rtf",
                                                "application/x-rtf-without-objects"};
