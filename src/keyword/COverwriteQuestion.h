#pragma once
// The question a style import asks before a symbol or style read from another
// diagram replaces one of the same name: a modal "Update?" box with the lines
// "Overwrite <kind>" and "'<name>' ?" and the buttons "&Yes", "&No", "&All"
// and "N&one". "&All" and "N&one" answer every later question of the same
// load; closing the box keeps the entry.
#include <string>

// The box itself, wired by the application. Returns one of the EUpdateAnswer
// values (0 when the box was closed). Null: the question goes through the
// prompt seam as a choice of the same four buttons.
extern int (*g_pfnKwUpdateDlg)(const std::string& line1, const std::string& line2);

// The answers of the prompt-seam question, by the position of its buttons
// ("&Yes", "&No", "&All", "N&one").
enum EReplaceAnswer : int { kReplaceYes = 0, kReplaceNo = 1, kReplaceAll = 2, kReplaceNone = 3 };

class COverwriteQuestion {
public:
    enum EUpdateAnswer { ANSWER_CLOSED = 0, ANSWER_YES = 1, ANSWER_NO = 2, ANSWER_ALL = 3, ANSWER_NONE = 4 };
    // The standing answer: 0 ask, 1 overwrite all, 2 keep all.
    enum EStanding { STANDING_ASK = 0, STANDING_OVERWRITE_ALL = 1, STANDING_KEEP_ALL = 2 };

    // kind: the text of the kind (strings 559 to 562: "figure symbol", "end
    // symbol", "figure style", "connector style").
    // True when the existing entry is to be overwritten.
    bool ShouldOverwrite(const char* kind, const std::string& name);
    int GetStanding() const { return m_nStanding; }

private:
    int m_nStanding = STANDING_ASK;
};
