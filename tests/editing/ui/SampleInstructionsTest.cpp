// The first-start sample tells the user how to work it; what it says is
// what the program does as it starts: with the settings' defaults, a double
// click on a shape asks for its properties (it does not open its text), and
// pointing at a shape and typing changes its text.
#include "ViewEvents.h"
#include "common/FakeAppContext.h"
#include "editing/ui/CTextDialog.h"
#include "editing/ui/TextEntrySeams.h"
#include "core/Settings.h"
#include "core/UIMode.h"
#include "richtext/TextUtils.h"

#include <QCursor>

namespace {
// The command a double click on a figure sends: the figure's properties.
constexpr int kFigPropsCmd = 33054;

std::string Plain(std::string text)
{
    MarkupToPlainText(text);
    return text;
}

struct SampleInstructionsTest : testing::Test, ViewEvents {
    void SetUp() override
    {
        ASSERT_TRUE(fx.doc.OpenDocumentUnlocked(KAVO_RESOURCE_DIR "/Samples/InitialSample.kvd", false));
        g_nUIMode = 0;
        app.doc = &fx.doc;
        SetAppContext(&app);
        GetTextEntrySeams().sendCommand = [this](int id) { commands.push_back(id); };
        view = std::make_unique<CKavoView>(&fx.doc);
        app.view = view.get();
        view->show();
        QApplication::setActiveWindow(view.get());
        view->setFocus();
        FitView(*view);
        Save();
    }
    void TearDown() override
    {
        SaveViewShot(*view);
        view.reset();
        GetTextEntrySeams() = TextEntrySeams();
        SetAppContext(nullptr);
    }
    CFigure* FigureWithText(const std::string& part) const
    {
        for (CDiagObj* o : *fx.doc.m_pObjList)
            if (o->GetType() == kObjFigure && static_cast<CFigure*>(o)->m_strText.find(part) != std::string::npos)
                return static_cast<CFigure*>(o);
        return nullptr;
    }
    void Type(const QString& text)
    {
        for (QChar c : text) {
            QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : view.get();
            QKeyEvent e(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(target, &e);
        }
    }
    FakeAppContext app;
    std::vector<int> commands;
};
} // namespace

TEST_F(SampleInstructionsTest, WhatTheSampleSaysIsWhatTheProgramDoes)
{
    // The settings as the program starts.
    ASSERT_EQ(DoubleClickEditsText, 0);
    const CFigure* title = FigureWithText("A sample diagram");
    ASSERT_NE(title, nullptr);
    const std::string words = Plain(title->m_strText);
    EXPECT_NE(words.find("point at it and type to change its text"), std::string::npos) << words;
    EXPECT_NE(words.find("double-click it for its properties"), std::string::npos) << words;
    EXPECT_EQ(words.find("double-click to edit"), std::string::npos) << words;

    // A double click on a shape asks for its properties; no text opens.
    CFigure* check = FigureWithText("Check stock");
    ASSERT_NE(check, nullptr);
    const QPoint at = Centre(check);
    Click(at);
    Send(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    Send(QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
    Release(at);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0], kFigPropsCmd);
    EXPECT_EQ(view->TextEditor(), nullptr);

    // Pointing at it and typing changes its text, in one undo step.
    QCursor::setPos(view->viewport()->mapToGlobal(at));
    Type("Count");
    ASSERT_NE(view->TextEditor(), nullptr);
    EXPECT_EQ(view->TextEditor()->Figure(), check);
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(QApplication::focusWidget(), &escape);
    EXPECT_EQ(view->TextEditor(), nullptr);
    EXPECT_EQ(Plain(check->m_strText), "Count");
    fx.doc.UndoLastStep();
    EXPECT_EQ(DocText(fx.doc), saved);
}
