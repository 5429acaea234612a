#pragma once
// Find and Replace over the text of a diagram's figures (labels included;
// connectors have no text of their own). Figures are searched in ascending id
// order, each text area from its start, by visible character positions of
// the area's markup.
#include <cstdint>
#include <string>

class CFigure;
class CKavoDoc;

struct FindOptions {
    std::string findText; // Windows-1252, plain
    bool matchCase = false;
    bool wholeWord = false;
};

// The current match; id -1 when there is none.
struct FindMatch {
    int32_t id = -1;
    int area = 0;
    int start = 0;
    int end = 0;
};

// The text areas a search visits: the symbol's text boxes, or the whole
// figure for a symbol without text boxes that shows its text there.
int SearchableAreaCount(const CFigure& fig);
// Whether the match still fits the figure's text as it is now.
bool IsValidMatch(const CFigure& fig, int area, int start, int end);
bool IsValidMatch(const CKavoDoc& doc, const FindMatch& match);
// The next hit after the current match (or from the lowest id when it is no
// longer valid), wrapping once; the match is updated. False when the find
// text occurs nowhere.
bool FindNextText(const CKavoDoc& doc, const FindOptions& options, FindMatch& match);
// Replaces the match's characters with the plain text inside the open undo
// step, keeping the format in force there, and re-wraps and fits the figure.
// False (nothing changed) when the match is not valid or the area's text
// would grow past its limit.
bool ReplaceMatch(CKavoDoc& doc, const FindMatch& match, const std::string& replacement);
// Replace as a command: one undo step; false when nothing was replaced.
bool ReplaceCurrentMatch(CKavoDoc& doc, const FindMatch& match, const std::string& replacement);
// Every hit of every figure in one undo step, each search going on after the
// text put in; the number replaced. Hits that could not be replaced (the
// area would grow past its limit) are stepped over and counted in *refused.
int ReplaceAllText(CKavoDoc& doc, const FindOptions& options, const std::string& replacement,
                   int* refused = nullptr);
