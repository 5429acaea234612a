#pragma once
// The prompt seam: every message box and question of the model goes through the
// installed prompt service. The UI installs one that shows Qt message boxes;
// tests install a recording fake. Without a service the default button answers.
#include "platform/WinTypes.h"

#include <string>
#include <vector>

// Box types (buttons in the low nibble, icon in the next, default button above).
constexpr UINT MB_OK = 0x0;
constexpr UINT MB_OKCANCEL = 0x1;
constexpr UINT MB_ABORTRETRYIGNORE = 0x2;
constexpr UINT MB_YESNOCANCEL = 0x3;
constexpr UINT MB_YESNO = 0x4;
constexpr UINT MB_RETRYCANCEL = 0x5;
constexpr UINT MB_TYPEMASK = 0xF;
constexpr UINT MB_ICONHAND = 0x10;
constexpr UINT MB_ICONSTOP = 0x10;
constexpr UINT MB_ICONERROR = 0x10;
constexpr UINT MB_ICONQUESTION = 0x20;
constexpr UINT MB_ICONEXCLAMATION = 0x30;
constexpr UINT MB_ICONWARNING = 0x30;
constexpr UINT MB_ICONINFORMATION = 0x40;
constexpr UINT MB_ICONASTERISK = 0x40;
constexpr UINT MB_ICONMASK = 0xF0;
constexpr UINT MB_DEFBUTTON1 = 0x000;
constexpr UINT MB_DEFBUTTON2 = 0x100;
constexpr UINT MB_DEFBUTTON3 = 0x200;
constexpr UINT MB_DEFMASK = 0xF00;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

class IPromptService {
public:
    virtual ~IPromptService() = default;
    // Shows the text (Windows-1252) with the box type's buttons and icon and
    // returns the button chosen (IDOK, IDYES, ...).
    virtual int ShowMessage(const std::string& text, UINT type) = 0;
    // A question with buttons of its own: the caption, the text (Windows-1252)
    // and the button texts with their "&" marks. Returns the position of the
    // button chosen, or -1 when the box was closed otherwise (and when a
    // service does not ask such questions).
    virtual int AskChoice(const std::string& caption, const std::string& text,
                          const std::vector<std::string>& buttons)
    {
        (void)caption, (void)text, (void)buttons;
        return -1;
    }
};

// Installs the service (not owned); null restores the headless default.
void SetPromptService(IPromptService* service);
IPromptService* GetPromptService();

// Shows a message through the installed service.
int ShowPrompt(const std::string& text, UINT type);
// Asks a question with buttons of its own through the installed service;
// -1 (closed) when there is none.
int ShowChoicePrompt(const std::string& caption, const std::string& text, const std::vector<std::string>& buttons);
// The button a box of this type answers with when nobody is asked.
int DefaultPromptAnswer(UINT type);
