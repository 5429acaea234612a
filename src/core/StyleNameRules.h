#pragma once
// What the style-name prompts show and accept.
#include "platform/WinTypes.h"

#include <string>

constexpr int kStyleNameMaxLength = 30;
constexpr UINT IDS_INVALID_STYLE_NAME = 509;

// String id of the figure/label style prompt's caption.
UINT StyleNameCaptionId(bool label, bool copy, bool rename);
// String id of the connector style prompt's caption.
UINT ConStyleNameCaptionId(bool copy, bool rename);
// The figure style prompt shows its reminder only for a new figure style.
bool StyleNameShowsReminder(bool label, bool copy, bool rename, bool showReminder);
// A style name needs a non-blank character and no double quote.
bool IsValidStyleName(const std::string& name);
