#pragma once
// The program's folders. Every folder path is a file-system path (QString) that
// ends in '/'.
//
// The program folder holds the executable and the trace file. The content
// folders ("Template" with "Variants" inside it, "Samples", "Symbols",
// "Clipart") lie beside the program; in a build tree the build links them to
// resources/. A shared installation may move the content folders elsewhere by
// naming a folder in the environment variable KAVO_COMMON_FOLDER: it is used
// only when it holds a file "log.txt" (a marker that it is the shared folder).
// The trace file never moves.
#include <QString>

constexpr const char* kCommonFolderVariable = "KAVO_COMMON_FOLDER";
constexpr const char* kCommonFolderMarker = "log.txt";

// The folder of the running executable with a trailing '/'; empty when it
// cannot be found.
QString GetProgramFolder();

// The base of the content folders: the shared folder when KAVO_COMMON_FOLDER
// names one holding "log.txt", else the program folder.
QString GetContentBaseFolder();

QString GetTemplatesFolder(); // base + "Template/"
QString GetSamplesFolder();   // base + "Samples/"
QString GetSymbolsFolder();   // base + "Symbols/"
QString GetClipartFolder();   // base + "Clipart/"
QString GetVariantsFolder();  // templates folder + "Variants/"
// Each is empty when the program folder cannot be found.

// Test support: makes GetProgramFolder answer `folder` (a trailing '/' is
// added when missing); an empty string goes back to the real program folder.
void SetProgramFolderForTest(const QString& folder);
