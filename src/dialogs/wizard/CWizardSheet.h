#pragma once
// The new diagram wizard: one page per variant group of the template, then
// the shadow and fill page, then the text options page, with Back, Next,
// Finish and Cancel. Finish remembers the choices; the caller applies them.
#include "dialogs/wizard/WizardChoices.h"
#include "platform/ui/CDialog.h"

#include <vector>

class QLayout;
class QPushButton;
class QStackedWidget;
class TemplateVariants;

class CWizardPage : public QWidget {
    Q_OBJECT
public:
    static constexpr int kPictureId = 2672;
    CWizardPage(int index, QWidget* parent) : QWidget(parent), m_nIndex(index) {}
    int Index() const { return m_nIndex; }
    // The page comes up; it shows the sheet's current choices.
    virtual void OnSetActive() {}
    // The page is left (Next or Finish); false keeps it, its field refused.
    virtual bool OnKillActive() { return true; }

protected:
    // Lays the page out: the wizard's picture on the left, the page's own
    // controls beside it.
    void SetContent(QLayout* content);

private:
    int m_nIndex;
};

class CWizardSheet : public CDialog {
    Q_OBJECT
public:
    static constexpr int kBackId = 12323, kNextId = 12324, kFinishId = 12325;
    static constexpr unsigned kHelpTopic = 316;

    // variants: the template's variant set, owned by the caller (may be null).
    CWizardSheet(TemplateVariants* variants, QWidget* parent = nullptr);
    WizardChoices m_choices;
    // The default figure style's text size: line spacing kind 6 starts there.
    int m_nDefaultFontSize = 0;
    TemplateVariants* Variants() const { return m_pVariants; }
    int GetPageCount() const { return int(m_pages.size()); }
    int GetActiveIndex() const;
    CWizardPage* GetPage(int index) const;
    QPushButton* Button(int id) const;

protected:
    void OnInitDialog() override;

private:
    void SetActivePage(int index);
    void OnBack();
    void OnNext();
    void OnFinish();

    TemplateVariants* m_pVariants;
    std::vector<CWizardPage*> m_pages;
    QStackedWidget* m_pStack = nullptr;
    QPushButton* m_pBack = nullptr;
    QPushButton* m_pNext = nullptr;
    QPushButton* m_pFinish = nullptr;
};

// Runs the wizard over a new document made from a template: on Finish the
// choices are remembered (profile "Wizard", variant selections) and applied
// to the document, true; on Cancel nothing is written and false.
bool RunNewDiagramWizard(QWidget* parent, CKavoDoc& doc, const std::string& templatePath);
