#pragma once
// Shows the model's prompts as Qt message boxes.
#include "platform/Prompt.h"

#include <functional>

class QWidget;

class CQtPromptService : public IPromptService {
public:
    // `parent` gives the window the boxes belong to (the active window when
    // not given).
    explicit CQtPromptService(std::function<QWidget*()> parent = {});
    int ShowMessage(const std::string& text, UINT type) override;
    int AskChoice(const std::string& caption, const std::string& text,
                  const std::vector<std::string>& buttons) override;

private:
    std::function<QWidget*()> m_parent;
};
