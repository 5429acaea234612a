#pragma once
// The program's string table: texts by numeric id, in Windows-1252 bytes. The
// entries live in resources/strings/*.inc, one STRING_ENTRY(id, "text") each.
#include "platform/WinTypes.h"

// The entry's text, or null when the table has no entry with that id.
const char* FindResString(UINT id);
