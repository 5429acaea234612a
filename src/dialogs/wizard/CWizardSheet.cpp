#include "dialogs/wizard/CWizardSheet.h"

#include "platform/Prompt.h"
#include "core/StringHelpers.h"
#include "dialogs/ContextHelp.h"
#include "dialogs/DialogPictures.h"
#include "dialogs/wizard/CWizardPages.h"
#include "document/CKavoDoc.h"
#include "platform/Ansi.h"
#include "platform/ui/DlgItems.h"
#include "shapes/TemplateVariants.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <cstdlib>

namespace {
constexpr UINT IDS_WIZARD_CAPTION = 796;
}

void CWizardPage::SetContent(QLayout* content)
{
    auto* row = new QHBoxLayout(this);
    row->addWidget(MakePictureStatic(this, kPictureId, kBmpWizard, true), 0, Qt::AlignTop);
    row->addLayout(content, 1);
}

CWizardSheet::CWizardSheet(TemplateVariants* variants, QWidget* parent) : CDialog(parent), m_pVariants(variants)
{
    setWindowTitle(AnsiToQString(ResText(IDS_WIZARD_CAPTION)));
    InstallContextHelp(this, kHelpTopic);
    m_choices.Load();
    m_pStack = new QStackedWidget(this);
    const int groups = variants ? variants->GetGroupCount() : 0;
    for (int g = 0; g < groups; ++g)
        m_pages.push_back(new CWizardPropertyPage(*this, int(m_pages.size()), g, m_pStack));
    m_pages.push_back(new CWizardPropertyPageFx(*this, int(m_pages.size()), m_pStack));
    m_pages.push_back(new CWizardPropertyPageOpt(*this, int(m_pages.size()), m_pStack));
    for (CWizardPage* page : m_pages)
        m_pStack->addWidget(page);

    m_pBack = new QPushButton(tr("< &Back"), this);
    m_pNext = new QPushButton(tr("&Next >"), this);
    m_pFinish = new QPushButton(tr("Finish"), this);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    SetDlgCtrlID(m_pBack, kBackId);
    SetDlgCtrlID(m_pNext, kNextId);
    SetDlgCtrlID(m_pFinish, kFinishId);
    BindButton(cancel, IDCANCEL);
    connect(m_pBack, &QPushButton::clicked, this, &CWizardSheet::OnBack);
    connect(m_pNext, &QPushButton::clicked, this, &CWizardSheet::OnNext);
    connect(m_pFinish, &QPushButton::clicked, this, &CWizardSheet::OnFinish);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {m_pBack, m_pNext, m_pFinish, cancel}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    buttons->addWidget(MakeHelpButton(this, kHelpTopic));
    auto* all = new QVBoxLayout(this);
    all->addWidget(m_pStack);
    all->addLayout(buttons);
}

int CWizardSheet::GetActiveIndex() const
{
    return m_pStack->currentIndex();
}

CWizardPage* CWizardSheet::GetPage(int index) const
{
    return index >= 0 && index < GetPageCount() ? m_pages[size_t(index)] : nullptr;
}

QPushButton* CWizardSheet::Button(int id) const
{
    return qobject_cast<QPushButton*>(GetDlgItem(this, id));
}

void CWizardSheet::OnInitDialog()
{
    SetActivePage(0);
    CenterWindow();
}

void CWizardSheet::SetActivePage(int index)
{
    m_pStack->setCurrentIndex(index);
    // Back unless first; Next, or Finish on the last page.
    const bool first = index == 0, last = index == GetPageCount() - 1;
    m_pBack->setVisible(!(first && last));
    m_pBack->setEnabled(!first);
    m_pNext->setVisible(!last);
    m_pFinish->setVisible(last);
    (last ? m_pFinish : m_pNext)->setDefault(true);
    m_pages[size_t(index)]->OnSetActive();
}

void CWizardSheet::OnBack()
{
    if (GetActiveIndex() > 0)
        SetActivePage(GetActiveIndex() - 1);
}

void CWizardSheet::OnNext()
{
    const int at = GetActiveIndex();
    if (at + 1 < GetPageCount() && m_pages[size_t(at)]->OnKillActive())
        SetActivePage(at + 1);
}

void CWizardSheet::OnFinish()
{
    if (m_pages[size_t(GetActiveIndex())]->OnKillActive())
        EndDialog(IDOK);
}

bool RunNewDiagramWizard(QWidget* parent, CKavoDoc& doc, const std::string& templatePath)
{
    TemplateVariants variants;
    variants.BuildTemplateVariants(AnsiToQString(templatePath));
    variants.PutSizeGroupFirst();
    variants.Load();
    CWizardSheet sheet(&variants, parent);
    sheet.m_nDefaultFontSize = std::abs(int(doc.m_curFigStyle.m_props.m_font.m_lf.lfHeight));
    if (sheet.DoModal() != IDOK)
        return false;
    sheet.m_choices.Save();
    variants.Save();
    ApplyWizardChoices(doc, &variants, sheet.m_choices);
    return true;
}
