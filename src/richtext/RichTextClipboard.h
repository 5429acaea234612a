#pragma once
// Rich text on the clipboard: the system's own markup
// ("application/x-kavo-krtf"), RTF ("text/rtf") and plain text. Copying
// writes all three; pasting takes the first of them that is there.
#include "richtext/TextFormatRec.h"

#include <string>

class QMimeData;

constexpr const char* kMimeKrtf = "application/x-kavo-krtf";
constexpr const char* kMimeRtf = "text/rtf";
constexpr const char* kMimeRtfWithoutObjects = "application/x-rtf-without-objects";
constexpr const char* kMimeText = "text/plain";

// Puts the character range first..last (last -1: to the end) of text on the
// clipboard data: as self-contained markup without soft breaks, as an RTF
// document ("\par " when the whole text was copied), and as plain text. The
// first two are left out when the text has no colour or no font table.
void PutRichTextOnClipboard(QMimeData& data, const std::string& text, const TextFormatRec& format, int first,
                            int last);

// Pastes at the visible index: the system's markup, else RTF, else plain text
// (cut to 4095 characters); a format that adds no visible character is
// passed over. False, with the text unchanged, when no format added one.
// pastedCount: the visible characters added.
bool PasteRichTextFromClipboard(const QMimeData& data, std::string& text, const TextFormatRec& format, int index,
                                int& pastedCount);
