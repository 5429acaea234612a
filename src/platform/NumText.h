#pragma once
// Number text that never depends on the user's locale: files and settings
// always use '.' as the decimal point.
#include <cstdarg>
#include <optional>
#include <string>
#include <string_view>

// printf-style formatting in the "C" locale, whatever the process locale is.
std::string StrPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string StrVPrintf(const char* format, va_list args);
// snprintf into a caller buffer in the "C" locale: truncates, always terminates
// (when size > 0), returns the length the full text would have.
int SafeSnprintf(char* buffer, size_t size, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
int SafeVsnprintf(char* buffer, size_t size, const char* format, va_list args);

// "%.*f" of a value.
std::string FormatFixed(double value, int decimals);

// Reads a number the way sscanf's "%f"/"%lf" does: leading blanks, optional
// sign, digits with an optional '.', optional exponent. Gives the value and, in
// *used, how many characters were read; nullopt when no number starts the text.
std::optional<double> ScanDouble(std::string_view text, size_t* used = nullptr);
// The same for "%d": leading blanks, optional sign, decimal digits. Values past
// the int range are clamped.
std::optional<int> ScanInt(std::string_view text, size_t* used = nullptr);
