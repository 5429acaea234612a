#include "platform/Prompt.h"
#include "platform/ui/CPropertySheet.h"
#include "platform/ui/DlgItems.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
// A page with one number field that refuses anything but digits, and a log of
// what the sheet asked of it.
class CNumberPage : public CPropertyPage {
public:
    QLineEdit* field = new QLineEdit(this);
    int value = 0;
    int inits = 0;
    int applies = 0;
    int cancels = 0;
    bool refuseApply = false;
    explicit CNumberPage(const char* caption, int start) : CPropertyPage(caption), value(start)
    {
        connect(field, &QLineEdit::textEdited, this, [this] { SetModified(); });
    }
    void OnInitDialog() override
    {
        ++inits;
        CPropertyPage::OnInitDialog();
    }
    bool OnApply() override
    {
        ++applies;
        return !refuseApply;
    }
    void OnCancel() override { ++cancels; }

protected:
    bool DoDataExchange(bool save) override
    {
        if (!save) {
            field->setText(QString::number(value));
            return true;
        }
        bool ok = false;
        int typed = field->text().toInt(&ok);
        if (ok)
            value = typed;
        return ok;
    }
};

struct Sheet {
    CPropertySheet sheet{"Sample"};
    CNumberPage* first = new CNumberPage("First", 1);
    CNumberPage* second = new CNumberPage("Second", 2);
    Sheet()
    {
        sheet.AddPage(first);
        sheet.AddPage(second);
    }
};
} // namespace

TEST(CPropertySheet, PagesLoadWhenFirstShownAndABadFieldKeepsItsPage)
{
    Sheet s;
    s.sheet.SetStartPage(1);
    QTimer::singleShot(0, &s.sheet, [&] {
        EXPECT_EQ(s.first->inits, 0);
        EXPECT_EQ(s.second->inits, 1);
        EXPECT_EQ(s.second->field->text(), "2");
        s.second->field->setText("x");
        s.sheet.GetTabControl()->setCurrentIndex(0); // refused: the field is bad
        EXPECT_EQ(s.sheet.GetActiveIndex(), 1);
        s.sheet.Button(IDOK)->click(); // refused the same way
        EXPECT_TRUE(s.sheet.isVisible());
        s.second->field->setText("7");
        EXPECT_TRUE(s.sheet.SetActivePage(0));
        EXPECT_EQ(s.first->inits, 1);
        s.sheet.Button(IDOK)->click();
    });
    EXPECT_EQ(s.sheet.DoModal(), IDOK);
    EXPECT_EQ(s.second->value, 7);
    EXPECT_EQ(s.first->applies, 1);
    EXPECT_EQ(s.second->applies, 1);
}

TEST(CPropertySheet, ApplyFollowsTheChangeAndStaysOpenCancelWritesNothing)
{
    Sheet s;
    QTimer::singleShot(0, &s.sheet, [&] {
        QPushButton* apply = s.sheet.Button(ID_APPLY_NOW);
        EXPECT_FALSE(apply->isEnabled());
        QTest::keyClicks(s.first->field, "5");
        EXPECT_TRUE(apply->isEnabled());
        apply->click();
        EXPECT_FALSE(apply->isEnabled());
        EXPECT_EQ(s.first->applies, 1);
        EXPECT_EQ(s.second->applies, 0); // never shown: nothing to write
        QTest::keyClick(&s.sheet, Qt::Key_Escape);
    });
    EXPECT_EQ(s.sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(s.first->value, 15);
    EXPECT_EQ(s.first->cancels, 1);
    EXPECT_EQ(s.second->cancels, 0);
}

TEST(CPropertySheet, APageThatRefusesToWriteIsShownAndTheSheetStays)
{
    Sheet s;
    s.second->refuseApply = true;
    QTimer::singleShot(0, &s.sheet, [&] {
        s.sheet.SetActivePage(1);
        s.sheet.SetActivePage(0);
        QTest::keyClick(s.first->field, Qt::Key_Return); // Enter is OK
        EXPECT_TRUE(s.sheet.isVisible());
        EXPECT_EQ(s.sheet.GetActiveIndex(), 1);
        s.second->refuseApply = false;
        s.sheet.Button(IDOK)->click();
    });
    EXPECT_EQ(s.sheet.DoModal(), IDOK);
    EXPECT_EQ(s.second->applies, 2);
}
