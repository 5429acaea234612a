#include "keyword/COverwriteQuestion.h"

#include "platform/Prompt.h"

int (*g_pfnKwUpdateDlg)(const std::string& line1, const std::string& line2) = nullptr;

namespace {
int AskUpdate(const std::string& line1, const std::string& line2)
{
    if (g_pfnKwUpdateDlg)
        return g_pfnKwUpdateDlg(line1, line2);
    const int button = ShowPrompt(line1 + "\n" + line2, MB_YESNO | MB_ICONQUESTION);
    return button == IDYES ? COverwriteQuestion::ANSWER_YES : COverwriteQuestion::ANSWER_NO;
}
} // namespace

bool COverwriteQuestion::ShouldOverwrite(const char* kind, const std::string& name)
{
    if (m_nStanding == STANDING_OVERWRITE_ALL)
        return true;
    if (m_nStanding == STANDING_KEEP_ALL)
        return false;
    switch (AskUpdate(std::string("Overwrite ") + kind, "'" + name + "' ?")) {
    case ANSWER_YES: return true;
    case ANSWER_ALL: m_nStanding = STANDING_OVERWRITE_ALL; return true;
    case ANSWER_NONE: m_nStanding = STANDING_KEEP_ALL; return false;
    default: return false; // No, or the box was closed
    }
}
