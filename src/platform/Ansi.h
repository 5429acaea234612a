#pragma once
// Text in the model and in files is Windows-1252 ("ANSI") bytes held in
// std::string; it becomes a QString only where it meets Qt (painting, widgets,
// file-system paths), through these two functions.
#include <QString>

#include <string>
#include <string_view>

QString AnsiToQString(std::string_view ansi);
// Characters with no Windows-1252 byte become '?' and clear *ok when given.
std::string QStringToAnsi(const QString& text, bool* ok = nullptr);
// The Unicode code point of one Windows-1252 byte. The five bytes the code page
// leaves undefined map to the C1 controls of the same value, so that every byte
// survives a round trip.
char16_t AnsiByteToUnicode(unsigned char byte);
