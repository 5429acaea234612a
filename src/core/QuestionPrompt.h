#pragma once
// A yes/no question with a "do not ask again" check box. The UI installs the
// dialog; without one the question goes through the prompt service and the
// box stays unchecked.
#include <string>

struct QuestionAnswer {
    int button = 0;              // IDYES or IDNO
    bool dontAskAgain = false;
};

using QuestionHandler = QuestionAnswer (*)(const std::string& text);
// Installs the handler (null: the prompt service); returns the old one.
QuestionHandler SetQuestionHandler(QuestionHandler handler);
QuestionAnswer AskQuestion(const std::string& text);
