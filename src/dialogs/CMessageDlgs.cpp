#include "dialogs/CMessageDlgs.h"

#include "platform/Ansi.h"
#include "platform/Prompt.h"
#include "platform/ui/DlgItems.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kDontShowCheckId = 2554;
}

CDontShowDlg::CDontShowDlg(QWidget* parent, const char* caption, int textId,
                           const char* checkText,
                           std::initializer_list<std::pair<int, const char*>> buttons)
    : CDialog(parent), m_text(new QLabel(this)), m_check(new QCheckBox(this))
{
    setWindowTitle(caption);
    m_text->setWordWrap(true);
    m_text->setMinimumWidth(320);
    SetDlgCtrlID(m_text, textId);
    m_check->setText(QString::fromUtf8(checkText));
    SetDlgCtrlID(m_check, kDontShowCheckId);
    // Whichever button closes the box, the check box's state is kept.
    connect(m_check, &QCheckBox::toggled, this, [this](bool on) { m_bDontShow = on; });
    auto* row = new QHBoxLayout;
    row->addStretch();
    bool first = true;
    for (const auto& [id, label] : buttons) {
        auto* b = new QPushButton(QString::fromUtf8(label), this);
        BindButton(b, id);
        if (first)
            b->setDefault(true);
        first = false;
        row->addWidget(b);
    }
    auto* col = new QVBoxLayout(this);
    col->addWidget(m_text);
    col->addWidget(m_check);
    col->addLayout(row);
}

void CDontShowDlg::OnInitDialog()
{
    m_text->setText(AnsiToQString(m_strText));
    m_check->setChecked(m_bDontShow);
}


CHintDlg::CHintDlg(QWidget* parent)
    : CDontShowDlg(parent, "Hint", 2553, "&Don't show this hint again", {{IDOK, "OK"}})
{
}

CQuestionDlg::CQuestionDlg(QWidget* parent)
    : CDontShowDlg(parent, "Question", 2705, "&Don't ask again", {{IDYES, "&Yes"}, {IDNO, "&No"}})
{
}

CWarningDlg::CWarningDlg(QWidget* parent)
    : CDontShowDlg(parent, "Warning", 1349, "&Don't show this warning again",
                   {{IDOK, "OK"}, {IDCANCEL, "Cancel"}})
{
}
