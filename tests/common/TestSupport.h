#pragma once
// Shared test helpers: a recording prompt service, a temporary profile folder,
// and the reset of program-wide state between tests.
#include "platform/Prompt.h"

#include <QString>
#include <QTemporaryDir>

#include <deque>
#include <string>
#include <vector>

class CRecordingPrompt : public IPromptService {
public:
    struct Shown {
        std::string text;
        UINT type;
    };
    CRecordingPrompt();
    ~CRecordingPrompt() override;
    int ShowMessage(const std::string& text, UINT type) override;
    // Records the question; the answer is the next queued one (a button's
    // position), -1 (closed) when none is left.
    int AskChoice(const std::string& caption, const std::string& text,
                  const std::vector<std::string>& buttons) override;
    // Answers to give, in order; when none is left the default button answers.
    void QueueAnswer(int answer) { m_answers.push_back(answer); }

    struct Asked {
        std::string caption;
        std::string text;
        std::vector<std::string> buttons;
    };
    std::vector<Shown> shown;
    std::vector<Asked> asked;

private:
    std::deque<int> m_answers;
    IPromptService* m_previous;
};

// Points the profile (registry stand-in) at a fresh temporary folder for the
// lifetime of the object.
class CTempProfile {
public:
    CTempProfile();
    ~CTempProfile();
    QString Folder() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

// Path of a fixture under tests/data.
QString TestDataPath(const QString& relative);
