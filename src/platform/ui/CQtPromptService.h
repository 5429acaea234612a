#pragma once
// Shows the model's prompts as Qt message boxes.
#include "platform/Prompt.h"

#include <functional>

class QWidget;

class CQtPromptService : public IPromptService {
public:
    // `beforeShow` runs before every box (the application closes its splash
    // window there).
    explicit CQtPromptService(std::function<QWidget*()> parent = {},
                              std::function<void()> beforeShow = {});
    int ShowMessage(const std::string& text, UINT type) override;

private:
    std::function<QWidget*()> m_parent;
    std::function<void()> m_beforeShow;
};
