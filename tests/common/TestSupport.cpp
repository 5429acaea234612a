#include "common/TestSupport.h"

#include "platform/Registry.h"

CRecordingPrompt::CRecordingPrompt() : m_previous(GetPromptService())
{
    SetPromptService(this);
}

CRecordingPrompt::~CRecordingPrompt()
{
    SetPromptService(m_previous);
}

int CRecordingPrompt::ShowMessage(const std::string& text, UINT type)
{
    shown.push_back({text, type});
    if (m_answers.empty())
        return DefaultPromptAnswer(type);
    int a = m_answers.front();
    m_answers.pop_front();
    return a;
}

int CRecordingPrompt::AskChoice(const std::string& caption, const std::string& text,
                                const std::vector<std::string>& buttons)
{
    asked.push_back({caption, text, buttons});
    if (m_answers.empty())
        return -1;
    int a = m_answers.front();
    m_answers.pop_front();
    return a;
}

CTempProfile::CTempProfile() : m_previous(GetProfileFolderOverride())
{
    SetProfileFolder(m_dir.path());
}

CTempProfile::~CTempProfile()
{
    SetProfileFolder(m_previous);
}

QString TestDataPath(const QString& relative)
{
    return QStringLiteral(KAVO_TEST_DATA_DIR "/") + relative;
}
