#include "platform/Prompt.h"
#include "platform/ui/CDialog.h"

#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
// Refuses the first OK, as dialogs with input checks do.
class CPickyDialog : public CDialog {
public:
    int okCalls = 0;
    QPushButton* ok = new QPushButton("OK", this);
    QPushButton* no = new QPushButton("No", this);
    CPickyDialog()
    {
        BindButton(ok, IDOK);
        BindButton(no, IDNO);
    }

protected:
    void OnOK() override
    {
        if (++okCalls > 1)
            CDialog::OnOK();
    }
};
} // namespace

TEST(CDialog, ButtonsEndWithTheirIdsAndOnOKMayRefuse)
{
    CPickyDialog dlg;
    QTimer::singleShot(0, &dlg, [&] {
        dlg.ok->click(); // refused
        dlg.ok->click();
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.okCalls, 2);

    CPickyDialog other;
    QTimer::singleShot(0, &other, [&] { other.no->click(); });
    EXPECT_EQ(other.DoModal(), IDNO);

    CPickyDialog escaped;
    QTimer::singleShot(0, &escaped, [&] { escaped.reject(); });
    EXPECT_EQ(escaped.DoModal(), IDCANCEL);
}
