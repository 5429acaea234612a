#pragma once
// The sheets' multi-line text edits hold line ends as single line feeds,
// where the plain text of the model's rich text has carriage return and line
// feed pairs.
#include <QString>

#include <string>

// A plain text (Windows-1252, "\r\n" line ends) as an edit shows it.
QString PlainTextForEdit(const std::string& plain);
