#pragma once
// Names that older diagram files use for the partition symbols and styles.
// While loading, a name is replaced when the file is older than the row's
// version. The version must be compared as a double: as a float, 5.06 reads
// as a little less and a 5.06 file would be renamed.
#include <string>

// The symbol name without its ":number" suffix is compared exactly with each
// row whose version is above the file's; on a match the name becomes the new
// one with the former suffix put back. Whether the name changed.
bool RenameOldSwimLaneSymbol(double fileVersion, std::string& name);
// The same for style names, compared whole (no suffix handling).
bool RenameOldSwimLaneStyle(double fileVersion, std::string& name);
