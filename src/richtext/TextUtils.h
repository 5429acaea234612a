#pragma once
// Small string operations shared by the rich-text code and the rest of the
// program: offset-based insertion and deletion, the sections of a figure text
// (pieces separated by "\sect "), plain text in and out, hard and soft breaks,
// numbered names, relative paths and web addresses.
#include <string>

bool DeleteStringRange(std::string& text, int start, int end);
bool InsertStringAtOffset(std::string& text, int offset, const std::string& str);
bool InsertCharAtOffset(std::string& text, int offset, char ch);
bool DeleteCharAtOffset(std::string& text, int offset);
bool ContainsChar(const std::string& text, char ch);

// Sections. A separator that is a markup control word ("\sect ") is found as
// a token, so that an escaped backslash before the letters is not taken for
// it; other separators are found as plain substrings.
int FindNthSubStringPos(const std::string& text, const std::string& separator, int n, int& pos, int& length);
void ExtractSubStringByDelim(const std::string& text, const std::string& separator, int n, std::string& out);
bool ReplaceSubStringByDelim(std::string& text, const std::string& separator, int n, const std::string& piece,
                             int maxLength);

bool IsBlankString(const std::string& text);
void ReplaceChar(std::string& text, char from, char to);
void ReplaceAllSubStrings(std::string& text, const std::string& find, const std::string& replacement);
bool ConsistsOfSubString(const std::string& text, const std::string& sub);
void IncrementTrailingNumber(std::string& name, char separator);

void MarkupToPlainText(std::string& text);
void PlainTextToMarkup(std::string& text);
// True when control characters were removed.
bool PlainTextToMarkupForPaste(std::string& text);
void MarkupToClipboardText(std::string& text);
void ConvertSoftBreaksToLines(std::string& text);
void ConvertLineBreaksToSoft(std::string& text);

bool IsRelativePathWithDir(const std::string& path);
bool LooksLikeWebHost(const std::string& text);
bool LooksLikeUrl(const std::string& text);
