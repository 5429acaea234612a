#pragma once
// Visible positions of a markup text: characters, hard and soft breaks. Every
// operation rescans the text from its start; a count argument of -1 means the
// visible characters are counted first.
#include <string>

int CountMarkupChars(const std::string& text);
int CountMarkupLines(const std::string& text);
// Offset of visible token `index`; the count gives the text's length; -1
// beyond. With beforeCodes the offset lies before the control words that
// precede the character.
int CharIndexToOffset(const std::string& text, int index, bool beforeCodes);
// Index of the visible token starting exactly at offset; the length gives the
// count; -1 inside or at a control word.
int OffsetToCharIndex(const std::string& text, int offset);
// Kind (Char, Line, SoftLine) of the visible token at index; End beyond.
int TokenAtCharIndex(const std::string& text, int index, char& ch);
int LineOfCharIndex(const std::string& text, int index);
int LineStartOffset(const std::string& text, int line, bool zeroForFirst);
int LineStartCharIndex(const std::string& text, int line);
bool GetLineCharRange(const std::string& text, int line, int& first, int& last);
int LineEndCharIndex(const std::string& text, int line);
// Length of the run of balanced groups at the start; -1 when one is open.
int SkipLeadingGroups(const std::string& text);

// Caret and words.
int NextCaretPos(const std::string& text, int index, int count);
int PrevCaretPos(const std::string& text, int index);
bool IsWordChar(char ch);
bool IsWordBoundary(const std::string& text, int index, int count);
int NextWordBoundary(const std::string& text, int index, int count);
int PrevWordBoundary(const std::string& text, int index, int count);
void GetWordRange(const std::string& text, int index, int& start, int& end, bool trimEnd, int count);
bool IsInsideWord(const std::string& text, int index, int count);
bool IsWrapPoint(const std::string& text, int index);
void FindWrapPointBefore(const std::string& text, int& index);
