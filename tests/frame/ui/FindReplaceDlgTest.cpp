// Find and Replace as a user runs them: Ctrl+F / Ctrl+H through the frame's
// commands, typing into the dialog, Find Next opening the view's text editor
// on each match, Replace and Replace All each one undo step back to the
// saved text.
#include "common/DiagramFixture.h"
#include "common/DocText.h"
#include "common/TestSupport.h"
#include "core/HelpRequest.h"
#include "core/MessageBeep.h"
#include "dialogs/CKavoFindDlg.h"
#include "editing/ui/CKavoView.h"
#include "editing/ui/CTextDialog.h"
#include "frame/ui/CMainFrame.h"
#include "frame/ui/FindReplaceUi.h"
#include "platform/Prompt.h"
#include "platform/ui/DlgItems.h"
#include "richtext/FigureTextFit.h"
#include "undo/UndoCodes.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QWindow>
#include <vector>
#include <gtest/gtest.h>

namespace {
void SaveShot(const QString& name, QWidget* widget)
{
    const QString folder = qEnvironmentVariable("KAVO_SHOTS");
    if (!folder.isEmpty())
        widget->grab().save(QDir(folder).filePath(name + ".png"));
}

QPushButton* Button(QWidget* dlg, int id)
{
    return qobject_cast<QPushButton*>(GetDlgItem(dlg, id));
}

// Counts the warning beeps while it lives.
struct BeepCounter {
    static inline int* s_count = nullptr;
    int count = 0;
    MessageBeepHandler previous;
    BeepCounter()
    {
        s_count = &count;
        previous = SetMessageBeepHandler([](UINT) { ++*s_count; });
    }
    ~BeepCounter()
    {
        SetMessageBeepHandler(previous);
        s_count = nullptr;
    }
};

struct FindFixture {
    CRecordingPrompt prompt;
    BeepCounter beeps;
    DiagramFixture fx;
    CMainFrame frame;
    CKavoView* view = new CKavoView(&fx.doc);
    CFigure* first;
    CFigure* second;
    std::string saved;
    FindFixture()
    {
        frame.resize(900, 700);
        frame.AddViewFrame(view, "d");
        frame.show();
        first = fx.AddBox(100, 100, 900, 300, "red fish blue fish");
        second = fx.AddBox(100, 600, 900, 300, "one fish");
        fx.doc.ResetUndoLog();
        saved = DocText(fx.doc);
    }
    ~FindFixture()
    {
        if (CKavoFindDlg* dlg = ActiveFindDialog())
            dlg->close();
    }
    CKavoFindDlg* Open(bool replace)
    {
        EXPECT_TRUE(frame.OnCommand(replace ? 33036 : 33035));
        CKavoFindDlg* dlg = ActiveFindDialog();
        EXPECT_TRUE(dlg && dlg->isVisible());
        return dlg;
    }
    void Type(CKavoFindDlg* dlg, int id, const char* text)
    {
        auto* edit = qobject_cast<QLineEdit*>(GetDlgItem(dlg, id));
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
};
} // namespace

TEST(FindReplaceDialog, FindNextShowsEachMatchInTheEditorAndSaysWhenThereIsNone)
{
    FindFixture f;
    CKavoFindDlg* dlg = f.Open(false);
    EXPECT_FALSE(Button(dlg, IDOK)->isEnabled()) << "nothing to find yet";
    f.Type(dlg, CKavoFindDlg::kFindEditId, "fish");
    struct Hit {
        CFigure* fig;
        int start;
    } hits[] = {{f.first, 4}, {f.first, 14}, {f.second, 4}, {f.first, 4}};
    for (const Hit& h : hits) {
        QTest::mouseClick(Button(dlg, IDOK), Qt::LeftButton);
        ASSERT_EQ(f.view->EditedFigure(), h.fig);
        CTextDialog* editor = f.view->TextEditor();
        EXPECT_EQ(editor->SelAnchor(), h.start);
        EXPECT_EQ(editor->SelEnd(), h.start + 4);
    }
    SaveShot("find_dialog", dlg);
    SaveShot("find_match", &f.frame);
    EXPECT_TRUE(f.prompt.shown.empty());

    f.Type(dlg, CKavoFindDlg::kFindEditId, "cat");
    QTest::mouseClick(Button(dlg, IDOK), Qt::LeftButton);
    ASSERT_EQ(f.prompt.shown.size(), 1u);
    EXPECT_EQ(f.prompt.shown[0].text, "Text not found");
    f.view->CloseEditor();
    EXPECT_EQ(DocText(f.fx.doc), f.saved) << "searching changes nothing";
}

// Replace changes the shown match and nothing more: the next match waits
// for Find Next, and replacing the last one says nothing.
TEST(FindReplaceDialog, ReplaceChangesOnlyTheShownMatchReplaceAllIsOneStep)
{
    FindFixture f;
    CKavoFindDlg* dlg = f.Open(true);
    f.Type(dlg, CKavoFindDlg::kFindEditId, "fish");
    f.Type(dlg, CKavoFindDlg::kReplaceEditId, "cod");
    // Replace before any match is shown only beeps.
    QTest::mouseClick(Button(dlg, CKavoFindDlg::kReplaceId), Qt::LeftButton);
    EXPECT_EQ(DocText(f.fx.doc), f.saved);
    EXPECT_EQ(f.beeps.count, 1);

    QTest::mouseClick(Button(dlg, IDOK), Qt::LeftButton);
    QTest::mouseClick(Button(dlg, CKavoFindDlg::kReplaceId), Qt::LeftButton);
    EXPECT_EQ(AreaText(f.first), "red cod blue fish");
    EXPECT_EQ(AreaText(f.second), "one fish");
    EXPECT_EQ(f.view->EditedFigure(), nullptr) << "no next match is shown";
    EXPECT_EQ(f.beeps.count, 1);
    // Find Next goes on after the replaced match.
    QTest::mouseClick(Button(dlg, IDOK), Qt::LeftButton);
    ASSERT_EQ(f.view->EditedFigure(), f.first);
    EXPECT_EQ(f.view->TextEditor()->SelAnchor(), 13);
    f.view->CloseEditor();
    while (f.fx.doc.CanUndo() && f.fx.doc.UndoLogRef().GetLastUndoStepCode() != UDMAC_REPLACE)
        f.fx.doc.UndoLastStep();
    f.fx.doc.UndoLastStep();
    EXPECT_EQ(DocText(f.fx.doc), f.saved);

    // Replacing the only match: no search after it, no message.
    f.Type(dlg, CKavoFindDlg::kFindEditId, "blue");
    QTest::mouseClick(Button(dlg, IDOK), Qt::LeftButton);
    ASSERT_EQ(f.view->EditedFigure(), f.first);
    QTest::mouseClick(Button(dlg, CKavoFindDlg::kReplaceId), Qt::LeftButton);
    EXPECT_EQ(AreaText(f.first), "red fish cod fish");
    EXPECT_TRUE(f.prompt.shown.empty());
    EXPECT_EQ(f.fx.doc.UndoLogRef().GetLastUndoStepCode(), UDMAC_REPLACE);
    f.fx.doc.UndoLastStep();
    while (f.fx.doc.CanUndo())
        f.fx.doc.UndoLastStep();
    EXPECT_EQ(DocText(f.fx.doc), f.saved);
    f.Type(dlg, CKavoFindDlg::kFindEditId, "fish");

    QTest::mouseClick(Button(dlg, CKavoFindDlg::kReplaceAllId), Qt::LeftButton);
    EXPECT_EQ(AreaText(f.first), "red cod blue cod");
    EXPECT_EQ(AreaText(f.second), "one cod");
    EXPECT_EQ(f.fx.doc.UndoLogRef().GetLastUndoStepCode(), UDMAC_REPLACEALL);
    f.fx.doc.UndoLastStep();
    EXPECT_EQ(DocText(f.fx.doc), f.saved);
    EXPECT_TRUE(f.prompt.shown.empty());
}

TEST(FindReplaceDialog, OneDialogAtATimeKeepingItsTextsBetweenUses)
{
    FindFixture f;
    CKavoFindDlg* find = f.Open(false);
    f.Type(find, CKavoFindDlg::kFindEditId, "blue");
    QTest::keyClick(GetDlgItem(find, CKavoFindDlg::kMatchCaseId), Qt::Key_Space);
    EXPECT_EQ(f.Open(false), find) << "asked again: the same dialog comes forward";
    CKavoFindDlg* replace = f.Open(true);
    ASSERT_NE(replace, nullptr);
    EXPECT_TRUE(replace->IsReplace());
    EXPECT_EQ(replace->FindText(), "blue");
    EXPECT_TRUE(replace->MatchCase());
    QTest::keyClick(replace, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(ActiveFindDialog(), nullptr);
}

// Replace acts only on the match the editor still shows: once the editor was
// closed it beeps and changes nothing.
TEST(FindReplaceDialog, ReplaceNeedsTheMatchOpenInTheEditor)
{
    FindFixture f;
    CKavoFindDlg* dlg = f.Open(true);
    f.Type(dlg, CKavoFindDlg::kFindEditId, "fish");
    f.Type(dlg, CKavoFindDlg::kReplaceEditId, "cod");
    QTest::mouseClick(Button(dlg, IDOK), Qt::LeftButton);
    ASSERT_EQ(f.view->EditedFigure(), f.first);
    f.view->CloseEditor();
    while (f.fx.doc.CanUndo())
        f.fx.doc.UndoLastStep();
    ASSERT_EQ(DocText(f.fx.doc), f.saved);
    QTest::mouseClick(Button(dlg, CKavoFindDlg::kReplaceId), Qt::LeftButton);
    EXPECT_EQ(DocText(f.fx.doc), f.saved);
    EXPECT_FALSE(f.fx.doc.CanUndo());
    EXPECT_TRUE(f.prompt.shown.empty());
}

// Replace All tells its count in the status bar, or says that nothing was
// found and leaves no step to undo.
TEST(FindReplaceDialog, ReplaceAllTellsHowManyOrThatThereWereNone)
{
    FindFixture f;
    CKavoFindDlg* dlg = f.Open(true);
    f.Type(dlg, CKavoFindDlg::kFindEditId, "fish");
    f.Type(dlg, CKavoFindDlg::kReplaceEditId, "cod");
    QTest::mouseClick(Button(dlg, CKavoFindDlg::kReplaceAllId), Qt::LeftButton);
    EXPECT_EQ(f.frame.statusBar()->currentMessage(), "Replaced 3 occurences");
    EXPECT_TRUE(f.prompt.shown.empty());
    f.fx.doc.UndoLastStep();
    ASSERT_EQ(DocText(f.fx.doc), f.saved);
    EXPECT_FALSE(f.fx.doc.CanUndo());

    f.Type(dlg, CKavoFindDlg::kFindEditId, "cat");
    QTest::mouseClick(Button(dlg, CKavoFindDlg::kReplaceAllId), Qt::LeftButton);
    ASSERT_EQ(f.prompt.shown.size(), 1u);
    EXPECT_EQ(f.prompt.shown[0].text, "Text not found");
    EXPECT_EQ(DocText(f.fx.doc), f.saved);
    EXPECT_FALSE(f.fx.doc.CanUndo());
}

// Opening the dialog again starts the search over from the first hit; the
// replace text survives a Find dialog in between.
TEST(FindReplaceDialog, ReopeningStartsOverAndKeepsTheReplaceText)
{
    FindFixture f;
    CKavoFindDlg* dlg = f.Open(true);
    f.Type(dlg, CKavoFindDlg::kFindEditId, "fish");
    f.Type(dlg, CKavoFindDlg::kReplaceEditId, "cod");
    QTest::mouseClick(Button(dlg, IDOK), Qt::LeftButton);
    ASSERT_EQ(f.view->EditedFigure(), f.first);
    ASSERT_EQ(f.view->TextEditor()->SelAnchor(), 4);
    CKavoFindDlg* find = f.Open(false);
    ASSERT_NE(find, nullptr);
    EXPECT_FALSE(find->IsReplace());
    QTest::mouseClick(Button(find, IDOK), Qt::LeftButton);
    ASSERT_EQ(f.view->EditedFigure(), f.first);
    EXPECT_EQ(f.view->TextEditor()->SelAnchor(), 4) << "the search starts over";
    QTest::keyClick(find, Qt::Key_Escape);
    QApplication::processEvents();
    CKavoFindDlg* again = f.Open(true);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->ReplaceText(), "cod");
    EXPECT_EQ(again->FindText(), "fish");
    f.view->CloseEditor();
    EXPECT_EQ(DocText(f.fx.doc), f.saved);
    EXPECT_TRUE(f.prompt.shown.empty());
}

// F1 in either dialog opens that kind's own help page; the key reaches the
// dialog from the text box that has the focus.
TEST(FindReplaceDialog, EachKindOpensItsOwnHelpPage)
{
    std::vector<uint32_t> topics;
    SetHelpHandler([&](uint32_t context) { topics.push_back(context); });
    {
        FindFixture f;
        for (const bool replace : {false, true}) {
            CKavoFindDlg* dlg = f.Open(replace);
            ASSERT_NE(dlg, nullptr);
            QTest::keyClick(GetDlgItem(dlg, CKavoFindDlg::kFindEditId), Qt::Key_F1);
        }
        EXPECT_TRUE(f.prompt.shown.empty());
    }
    SetHelpHandler(nullptr);
    EXPECT_EQ(topics, (std::vector<uint32_t>{203, 204}));
}

// Cancel, Escape and the window's close box each end the dialog: it goes
// away (no longer shown, no longer reporting) and keeps its texts for the
// next time.
TEST(FindReplaceDialog, CancelEscapeAndTheCloseBoxCloseIt)
{
    const struct {
        const char* how;
        void (*close)(CKavoFindDlg* dlg);
    } ways[] = {
        {"Cancel", [](CKavoFindDlg* dlg) { QTest::mouseClick(Button(dlg, IDCANCEL), Qt::LeftButton); }},
        {"Escape",
         [](CKavoFindDlg* dlg) {
             QTest::keyClick(GetDlgItem(dlg, CKavoFindDlg::kFindEditId), Qt::Key_Escape);
         }},
        {"close box", [](CKavoFindDlg* dlg) { dlg->windowHandle()->close(); }},
    };
    for (const auto& way : ways) {
        for (const bool replace : {false, true}) {
            FindFixture f;
            QPointer<CKavoFindDlg> dlg = f.Open(replace);
            ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg));
            f.Type(dlg, CKavoFindDlg::kFindEditId, "fish");
            way.close(dlg);
            QApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            EXPECT_TRUE(!dlg || !dlg->isVisible()) << way.how << " leaves the dialog open";
            EXPECT_EQ(dlg, nullptr) << way.how << " leaves the dialog alive";
            EXPECT_EQ(ActiveFindDialog(), nullptr) << way.how;
            CKavoFindDlg* again = f.Open(replace);
            ASSERT_NE(again, nullptr);
            EXPECT_EQ(again->FindText(), "fish") << way.how;
        }
    }
}

// The main window's keys work while the dialog is open, whether the main
// window or the dialog is the active window.
TEST(FindReplaceDialog, MainWindowKeysWorkWhileItIsOpen)
{
    FindFixture f;
    int saves = 0;
    f.frame.Commands().SetHandler(57603, [&saves] { ++saves; });
    CKavoFindDlg* dlg = f.Open(false);
    ASSERT_TRUE(QTest::qWaitFor([dlg] { return QGuiApplication::focusWindow() == dlg->windowHandle(); }));
    f.frame.OnIdleUpdateCmdUI();
    QTest::keyClick(GetDlgItem(dlg, CKavoFindDlg::kFindEditId), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(saves, 1) << "Ctrl+S with the focus in the dialog";

    // A click on the main window makes it the focus window (the window
    // system's doing; the main window counts as active already while its
    // dialog is).
    f.frame.windowHandle()->requestActivate();
    ASSERT_TRUE(QTest::qWaitFor([&f] { return QGuiApplication::focusWindow() == f.frame.windowHandle(); }));
    f.view->setFocus();
    f.frame.OnIdleUpdateCmdUI();
    QTest::keyClick(f.view, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(saves, 2) << "Ctrl+S in the main window";
    // Typing in the dialog stays typing: keys the frame also has (Plus
    // zooms, Delete deletes) go to the text field.
    f.fx.doc.Select(f.first);
    const float zoom = f.view->GetZoom();
    dlg->windowHandle()->requestActivate();
    ASSERT_TRUE(QTest::qWaitFor([dlg] { return QGuiApplication::focusWindow() == dlg->windowHandle(); }));
    f.Type(dlg, CKavoFindDlg::kFindEditId, "a+b");
    QTest::keyClick(GetDlgItem(dlg, CKavoFindDlg::kFindEditId), Qt::Key_Home);
    QTest::keyClick(GetDlgItem(dlg, CKavoFindDlg::kFindEditId), Qt::Key_Delete);
    EXPECT_EQ(dlg->FindText(), "+b");
    EXPECT_EQ(f.view->GetZoom(), zoom);
    EXPECT_EQ(f.fx.doc.GetObjCount(), 2);
}

// Ctrl+S typed in a figure's text editor reaches the main window's Save; the
// editor keeps its own Ctrl keys (Select All) to itself.
TEST(FindReplaceDialog, CtrlSInTheTextEditorSaves)
{
    FindFixture f;
    int saves = 0;
    f.frame.Commands().SetHandler(57603, [&saves] { ++saves; });
    f.frame.windowHandle()->requestActivate();
    ASSERT_TRUE(QTest::qWaitFor([&f] { return QGuiApplication::focusWindow() == f.frame.windowHandle(); }));
    ASSERT_TRUE(f.view->OpenTextEditor(f.first, 0, false, CPoint(0, 0), 0, 0));
    CTextDialog* editor = f.view->TextEditor();
    ASSERT_TRUE(editor);
    editor->setFocus();
    f.frame.OnIdleUpdateCmdUI();
    QTest::keyClick(editor, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(saves, 1);
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(f.view->TextEditor(), editor);
}

// Without an active diagram the open dialog closes as the commands are
// brought up to date; closing the main window closes it too.
TEST(FindReplaceDialog, ClosesWithoutADiagramAndWithTheMainWindow)
{
    {
        FindFixture f;
        QPointer<CKavoFindDlg> dlg = f.Open(true);
        f.frame.MdiArea()->closeAllSubWindows();
        QApplication::processEvents();
        f.frame.OnIdleUpdateCmdUI();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(dlg, nullptr);
        EXPECT_EQ(ActiveFindDialog(), nullptr);
    }
    {
        FindFixture f;
        QPointer<CKavoFindDlg> dlg = f.Open(false);
        f.frame.close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(dlg, nullptr);
        EXPECT_EQ(ActiveFindDialog(), nullptr);
    }
}

// Replace All steps over a hit that cannot be replaced (the text would grow
// past what a text area holds): the command failed, so it beeps, and what
// it did replace is one step to undo.
TEST(FindReplaceDialog, ReplaceAllThatFailsBeeps)
{
    FindFixture f;
    CFigure* full = f.fx.AddBox(1100, 100, 900, 300, "fish " + std::string(4080, 'x'));
    ASSERT_EQ(AreaText(full).size(), 4085u);
    f.fx.doc.ResetUndoLog();
    f.saved = DocText(f.fx.doc);
    CKavoFindDlg* dlg = f.Open(true);
    f.Type(dlg, CKavoFindDlg::kFindEditId, "fish");
    f.Type(dlg, CKavoFindDlg::kReplaceEditId, "a much longer fish");
    QTest::mouseClick(Button(dlg, CKavoFindDlg::kReplaceAllId), Qt::LeftButton);
    EXPECT_EQ(f.beeps.count, 1);
    EXPECT_EQ(AreaText(full).substr(0, 5), "fish ");
    EXPECT_EQ(AreaText(f.second), "one a much longer fish");
    EXPECT_EQ(f.frame.statusBar()->currentMessage(), "Replaced 3 occurences");
    EXPECT_TRUE(f.prompt.shown.empty());
    f.fx.doc.UndoLastStep();
    EXPECT_EQ(DocText(f.fx.doc), f.saved);

    // Only hits that cannot be replaced: a beep and nothing to undo.
    f.Type(dlg, CKavoFindDlg::kFindEditId, "fish x");
    QTest::mouseClick(Button(dlg, CKavoFindDlg::kReplaceAllId), Qt::LeftButton);
    EXPECT_EQ(f.beeps.count, 2);
    EXPECT_EQ(DocText(f.fx.doc), f.saved);
    EXPECT_FALSE(f.fx.doc.CanUndo());
}

// A figure that fits its text grows with a longer replacement, by Replace
// and by Replace All alike, and the undo gives its size back with its text.
TEST(FindReplaceDialog, AFigureThatFitsItsTextFitsTheReplacement)
{
    for (const int button : {int(CKavoFindDlg::kReplaceId), int(CKavoFindDlg::kReplaceAllId)}) {
        FindFixture f;
        f.second->m_props.Behavior.low |= kFitWidthFlag;
        f.second->SetRectNoUndo(CRect(100, 600, 300, 900));
        const CRect before = f.second->m_rect;
        f.saved = DocText(f.fx.doc);
        CKavoFindDlg* dlg = f.Open(true);
        f.Type(dlg, CKavoFindDlg::kFindEditId, "one");
        f.Type(dlg, CKavoFindDlg::kReplaceEditId, "a longer line of text");
        if (button == CKavoFindDlg::kReplaceId) {
            QTest::mouseClick(Button(dlg, IDOK), Qt::LeftButton);
            ASSERT_EQ(f.view->EditedFigure(), f.second);
        }
        QTest::mouseClick(Button(dlg, button), Qt::LeftButton);
        EXPECT_EQ(AreaText(f.second), "a longer line of text fish") << button;
        EXPECT_GT(f.second->m_rect.Width(), before.Width()) << button;
        while (f.fx.doc.CanUndo())
            f.fx.doc.UndoLastStep();
        EXPECT_EQ(f.second->m_rect, before) << button;
        EXPECT_EQ(DocText(f.fx.doc), f.saved) << button;
    }
}

// Find Next scrolls a match that lies out of sight into the view.
TEST(FindReplaceDialog, FindNextBringsTheMatchIntoSight)
{
    FindFixture f;
    // Low on the page, below the part in sight.
    CFigure* far = f.fx.AddBox(1000, 2400, 900, 300, "salmon");
    auto visible = [&f] {
        const QRect vp = f.view->viewport()->rect();
        return f.view->ClientRectToLogical(CRect(0, 0, vp.width(), vp.height()));
    };
    CRect shown = visible();
    ASSERT_FALSE(shown.PtInRect(far->m_rect.CenterPoint())) << "out of sight to begin with";
    CKavoFindDlg* dlg = f.Open(false);
    f.Type(dlg, CKavoFindDlg::kFindEditId, "salmon");
    QTest::mouseClick(Button(dlg, IDOK), Qt::LeftButton);
    ASSERT_EQ(f.view->EditedFigure(), far);
    shown = visible();
    EXPECT_TRUE(shown.PtInRect(far->m_rect.TopLeft()) && shown.PtInRect(far->m_rect.BottomRight()))
        << shown.left << "," << shown.top << "," << shown.right << "," << shown.bottom;
}

// Each kind lays its controls out side by side, none hiding another, and
// the labels' access keys take the keyboard to their text fields.
TEST(FindReplaceDialog, ControlsHaveTheirOwnPlaceAndTheFieldsTheirAccessKeys)
{
    FindFixture f;
    for (const bool replace : {false, true}) {
        CKavoFindDlg* dlg = f.Open(replace);
        ASSERT_NE(dlg, nullptr);
        ASSERT_TRUE(QTest::qWaitFor([dlg] { return QGuiApplication::focusWindow() == dlg->windowHandle(); }));
        std::vector<QWidget*> controls;
        for (QWidget* w : dlg->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (w->isVisible())
                controls.push_back(w);
        ASSERT_GE(controls.size(), replace ? 10u : 6u);
        for (size_t i = 0; i < controls.size(); ++i)
            for (size_t j = i + 1; j < controls.size(); ++j)
                EXPECT_FALSE(controls[i]->geometry().intersects(controls[j]->geometry()))
                    << replace << ": " << controls[i]->metaObject()->className() << " '"
                    << controls[i]->property("text").toString().toStdString() << "' covers "
                    << controls[j]->metaObject()->className() << " '"
                    << controls[j]->property("text").toString().toStdString() << "'";
        struct Key {
            Qt::Key key;
            int field;
        };
        std::vector<Key> keys = {{Qt::Key_N, CKavoFindDlg::kFindEditId}};
        if (replace)
            keys = {{Qt::Key_P, CKavoFindDlg::kReplaceEditId}, {Qt::Key_N, CKavoFindDlg::kFindEditId}};
        for (const Key& k : keys) {
            QTest::keyClick(QApplication::focusWidget(), k.key, Qt::AltModifier);
            EXPECT_EQ(QApplication::focusWidget(), GetDlgItem(dlg, k.field)) << replace << " Alt+" << char(k.key);
        }
    }
}
