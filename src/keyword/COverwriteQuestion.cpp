#include "keyword/COverwriteQuestion.h"

#include "core/StringHelpers.h"
#include "platform/Prompt.h"

int (*g_pfnKwUpdateDlg)(const std::string& line1, const std::string& line2) = nullptr;

namespace {
constexpr UINT kOverwriteTextId = 563;

int AskUpdate(const std::string& line1, const std::string& line2)
{
    if (g_pfnKwUpdateDlg)
        return g_pfnKwUpdateDlg(line1, line2);
    switch (ShowChoicePrompt("Update?", line1 + "\n" + line2, {"&Yes", "&No", "&All", "N&one"})) {
    case kReplaceYes: return COverwriteQuestion::ANSWER_YES;
    case kReplaceNo: return COverwriteQuestion::ANSWER_NO;
    case kReplaceAll: return COverwriteQuestion::ANSWER_ALL;
    case kReplaceNone: return COverwriteQuestion::ANSWER_NONE;
    default: return COverwriteQuestion::ANSWER_CLOSED;
    }
}

} // namespace

bool COverwriteQuestion::ShouldOverwrite(const char* kind, const std::string& name)
{
    if (m_nStanding == STANDING_OVERWRITE_ALL)
        return true;
    if (m_nStanding == STANDING_KEEP_ALL)
        return false;
    switch (AskUpdate(ResText(kOverwriteTextId) + " " + kind, "'" + name + "' ?")) {
    case ANSWER_YES: return true;
    case ANSWER_ALL: m_nStanding = STANDING_OVERWRITE_ALL; return true;
    case ANSWER_NONE: m_nStanding = STANDING_KEEP_ALL; return false;
    default: return false; // No, or the box was closed
    }
}
