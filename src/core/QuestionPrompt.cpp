#include "core/QuestionPrompt.h"

#include "platform/Prompt.h"

namespace {
QuestionHandler g_question = nullptr;
} // namespace

QuestionHandler SetQuestionHandler(QuestionHandler handler)
{
    const QuestionHandler old = g_question;
    g_question = handler;
    return old;
}

QuestionAnswer AskQuestion(const std::string& text)
{
    if (g_question)
        return g_question(text);
    QuestionAnswer a;
    a.button = ShowPrompt(text, MB_YESNO | MB_ICONQUESTION);
    return a;
}
