#pragma once
// Registry values over the registry stand-in (platform/Registry.h). Key paths,
// value names and values are Windows-1252 text (std::string), as stored.
#include "platform/Registry.h"
#include "platform/WinTypes.h"

#include <string>

// Copies the value and its terminating zero into `buffer` of `size` bytes.
// False when the key or value is missing or the value does not fit (the buffer
// is then left as it was).
bool ReadRegValue(HKEY root, const std::string& subkey, const std::string& name, char* buffer,
                  DWORD size);
// A 32-bit value stored as decimal text ("%d" or "%u"). False when missing or
// when the text is not one whole number in 32 bits (`value` then unchanged).
bool ReadRegDword(HKEY root, const std::string& subkey, const std::string& name, DWORD& value);
bool RegKeyExists(HKEY root, const std::string& subkey);
// Creates the key when needed and writes the text.
bool RegWriteString(HKEY root, const std::string& subkey, const std::string& name,
                    const std::string& text);
