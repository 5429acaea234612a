#include "platform/ui/CQtPromptService.h"

#include "platform/Ansi.h"
#include "platform/StringTable.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {
struct ButtonSpec {
    QMessageBox::StandardButton button;
    int id;
};

std::vector<ButtonSpec> ButtonsFor(UINT type)
{
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_ABORTRETRYIGNORE:
        return {{QMessageBox::Abort, IDABORT}, {QMessageBox::Retry, IDRETRY},
                {QMessageBox::Ignore, IDIGNORE}};
    case MB_YESNOCANCEL:
        return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_YESNO: return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
    case MB_RETRYCANCEL: return {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}};
    default: return {{QMessageBox::Ok, IDOK}};
    }
}

QMessageBox::Icon IconFor(UINT type)
{
    switch (type & MB_ICONMASK) {
    case MB_ICONSTOP: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONEXCLAMATION: return QMessageBox::Warning;
    case MB_ICONINFORMATION: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}
} // namespace

CQtPromptService::CQtPromptService(std::function<QWidget*()> parent) : m_parent(std::move(parent)) {}

int CQtPromptService::ShowMessage(const std::string& text, UINT type)
{
    QWidget* parent = m_parent ? m_parent() : QApplication::activeWindow();
    QMessageBox box(IconFor(type), AnsiToQString(FindResString(0xE000) ? FindResString(0xE000) : ""),
                    AnsiToQString(text), QMessageBox::NoButton, parent);
    const auto buttons = ButtonsFor(type);
    for (const auto& b : buttons)
        box.addButton(b.button);
    size_t def = (type & MB_DEFMASK) >> 8;
    if (def < buttons.size())
        box.setDefaultButton(buttons[def].button);
    box.exec();
    const auto clicked = box.standardButton(box.clickedButton());
    for (const auto& b : buttons)
        if (b.button == clicked)
            return b.id;
    // Closed with Escape or the title bar: Cancel where there is one, else the
    // only answer the box offers.
    for (const auto& b : buttons)
        if (b.id == IDCANCEL)
            return IDCANCEL;
    return buttons.back().id;
}

int CQtPromptService::AskChoice(const std::string& caption, const std::string& text,
                                const std::vector<std::string>& buttons)
{
    QWidget* parent = m_parent ? m_parent() : QApplication::activeWindow();
    QMessageBox box(QMessageBox::NoIcon, AnsiToQString(caption), AnsiToQString(text), QMessageBox::NoButton, parent);
    std::vector<QAbstractButton*> made;
    for (const std::string& b : buttons)
        made.push_back(box.addButton(AnsiToQString(b), QMessageBox::ActionRole));
    if (!made.empty())
        box.setDefaultButton(static_cast<QPushButton*>(made.front()));
    box.exec();
    for (size_t i = 0; i < made.size(); ++i)
        if (box.clickedButton() == made[i])
            return int(i);
    return -1;
}
