#pragma once
// printf-style message boxes through the prompt service.
#include "platform/WinTypes.h"

#include <cstddef>

// Longest message text; longer texts are cut (the text never overruns).
constexpr size_t kMsgBoxMaxText = 1024;

// Formats the message ("C" locale) and shows it with the box type; returns the
// button chosen.
int MsgBoxPrintf(UINT type, const char* format, ...) __attribute__((format(printf, 2, 3)));
// The same with the format taken from string-table entry id (an empty message
// when the entry is missing).
int MsgBoxResPrintf(UINT type, UINT id, ...);

#include <initializer_list>
#include <string>
#include <string_view>

// The format with each conversion ("%s", "%d", "%.2f" ...) replaced in order by
// the given texts (empty when they run out) and "%%" by "%": safe for formats
// from the string table, whatever conversions they hold.
std::string FormatWithTexts(std::string_view format, std::initializer_list<std::string_view> texts);
// Shows string-table entry id filled with the texts (see FormatWithTexts).
int MsgBoxResTexts(UINT type, UINT id, std::initializer_list<std::string_view> texts);
