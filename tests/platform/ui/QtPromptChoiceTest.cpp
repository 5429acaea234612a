// A question with buttons of its own in a Qt message box: the caption,
// the two lines of text, the buttons in order, and the answer by position
// (-1 when the box is closed without one).
#include "platform/ui/CQtPromptService.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
// Answers the box that is about to open: clicks the button with `text`, or
// closes the box when the text is empty; records what it showed.
struct BoxAnswerer {
    QString title, text;
    QStringList buttons;
    void Arm(const QString& click)
    {
        QTimer::singleShot(0, [this, click] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            title = box->windowTitle();
            text = box->text();
            buttons.clear();
            for (QAbstractButton* b : box->buttons())
                buttons << b->text();
            for (QAbstractButton* b : box->buttons())
                if (!click.isEmpty() && b->text() == click) {
                    b->click();
                    return;
                }
            box->reject();
        });
    }
};
} // namespace

TEST(QtPromptChoice, UpdateQuestionAnswersByButtonPosition)
{
    CQtPromptService service;
    const std::vector<std::string> buttons = {"&Yes", "&No", "&All", "N&one"};
    BoxAnswerer answerer;
    answerer.Arm("&All");
    EXPECT_EQ(service.AskChoice("Update?", "Overwrite figure style\n'Process' ?", buttons), 2);
    EXPECT_EQ(answerer.title, "Update?");
    EXPECT_EQ(answerer.text, "Overwrite figure style\n'Process' ?");
    EXPECT_EQ(answerer.buttons.size(), 4);
    EXPECT_TRUE(answerer.buttons.contains("N&one"));
    answerer.Arm(QString());
    EXPECT_EQ(service.AskChoice("Update?", "Overwrite end symbol\n'Dart' ?", buttons), -1);
}
