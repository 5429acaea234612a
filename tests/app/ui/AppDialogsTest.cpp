#include "common/TestSupport.h"
#include "core/Settings.h"
#include "controls/CBuddySpinCtrl.h"
#include "dialogs/CGraphicExportDlg.h"
#include "app/AppSeams.h"
#include "app/ui/CKavoDocList.h"
#include "app/ui/CKavoDocManager.h"
#include "dialogs/CMessageDlgs.h"
#include "controls/CRightClickListBox.h"
#include "dialogs/CStyleNameDlg.h"
#include "app/ui/CUpdateReminderDlg.h"
#include "platform/ui/DlgItems.h"
#include "app/ui/CSplashWnd.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
// Runs `step` once the dialog's event loop is up.
void WhenShown(QWidget* dlg, std::function<void()> step)
{
    QTimer::singleShot(0, dlg, std::move(step));
}

QPushButton* ButtonWithId(QWidget* dlg, int id)
{
    return qobject_cast<QPushButton*>(GetDlgItem(dlg, id));
}
} // namespace

TEST(MessageDlgs, DontShowIsKeptWhicheverButtonCloses)
{
    CQuestionDlg dlg;
    dlg.m_strText = "Apply to the whole group?";
    WhenShown(&dlg, [&] {
        EXPECT_EQ(GetDlgItemText(&dlg, 2705), "Apply to the whole group?");
        qobject_cast<QCheckBox*>(GetDlgItem(&dlg, 2554))->setChecked(true);
        ButtonWithId(&dlg, IDNO)->click();
    });
    EXPECT_EQ(dlg.DoModal(), IDNO);
    EXPECT_TRUE(dlg.m_bDontShow);
    EXPECT_EQ(dlg.windowTitle(), "Question");

    CWarningDlg warn;
    WhenShown(&warn, [&] { ButtonWithId(&warn, IDCANCEL)->click(); });
    EXPECT_EQ(warn.DoModal(), IDCANCEL);
    EXPECT_FALSE(warn.m_bDontShow);
}

// Each button of the three message boxes, found by the label the user reads,
// ends the box with its own answer; the text and check box are the box's own.
TEST(MessageDlgs, EachButtonAnswersAsItsLabelSays)
{
    struct Case {
        std::function<std::unique_ptr<CDontShowDlg>()> make;
        const char* caption;
        int textId;
        const char* check;
        const char* button;
        int answer;
    } cases[] = {
        {[] { return std::make_unique<CHintDlg>(); }, "Hint", 2553, "&Don't show this hint again", "OK", IDOK},
        {[] { return std::make_unique<CQuestionDlg>(); }, "Question", 2705, "&Don't ask again", "&Yes", IDYES},
        {[] { return std::make_unique<CQuestionDlg>(); }, "Question", 2705, "&Don't ask again", "&No", IDNO},
        {[] { return std::make_unique<CWarningDlg>(); }, "Warning", 1349, "&Don't show this warning again", "OK",
         IDOK},
        {[] { return std::make_unique<CWarningDlg>(); }, "Warning", 1349, "&Don't show this warning again",
         "Cancel", IDCANCEL},
    };
    for (const Case& c : cases) {
        auto dlg = c.make();
        dlg->m_strText = "Text";
        WhenShown(dlg.get(), [&] {
            EXPECT_EQ(GetDlgItemText(dlg.get(), c.textId), "Text") << c.caption;
            EXPECT_EQ(qobject_cast<QCheckBox*>(GetDlgItem(dlg.get(), 2554))->text(), c.check);
            for (QPushButton* b : dlg->findChildren<QPushButton*>())
                if (b->text() == c.button) {
                    b->click();
                    return;
                }
            ADD_FAILURE() << c.caption << " has no button " << c.button;
            dlg->reject();
        });
        EXPECT_EQ(dlg->DoModal(), c.answer) << c.caption << " " << c.button;
        EXPECT_EQ(dlg->windowTitle(), c.caption);
    }
}

TEST(StyleNameDlg, RefusesBlankAndQuotedNamesAndLimitsLength)
{
    CRecordingPrompt prompts;
    CStyleNameDlg dlg(FALSE);
    dlg.m_bLabel = TRUE;
    dlg.m_strName = "Decision";
    WhenShown(&dlg, [&] {
        auto* edit = qobject_cast<QLineEdit*>(GetDlgItem(&dlg, 1050));
        EXPECT_EQ(edit->maxLength(), 30);
        EXPECT_FALSE(GetDlgItem(&dlg, 1286)->isVisibleTo(&dlg)); // labels get no reminder
        edit->setText("   ");
        ButtonWithId(&dlg, IDOK)->click(); // refused, stays open
        edit->setText("Say \"hi\"");
        ButtonWithId(&dlg, IDOK)->click(); // refused
        edit->setText("Note");
        ButtonWithId(&dlg, IDOK)->click();
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_strName, "Note");
    EXPECT_EQ(dlg.windowTitle(), "New Label Style");
    ASSERT_EQ(prompts.shown.size(), 2u);
    EXPECT_EQ(prompts.shown[0].text, "A valid style name must contain non-blank characters, no quotes.");
}

TEST(GraphicExportDlg, TypingAWidthKeepsTheProportion)
{
    CGraphicExportDlg dlg;
    dlg.m_nOrigWidth = 200;
    dlg.m_nOrigHeight = 100;
    dlg.m_bAntialiasAllowed = TRUE;
    dlg.m_bTransparentAllowed = TRUE;
    WhenShown(&dlg, [&] {
        qobject_cast<QSpinBox*>(GetDlgItem(&dlg, 1282))->setValue(300);
        EXPECT_EQ(qobject_cast<QSpinBox*>(GetDlgItem(&dlg, 1281))->value(), 150);
        EXPECT_EQ(qobject_cast<QSpinBox*>(GetDlgItem(&dlg, 1318))->value(), 150);
        qobject_cast<QCheckBox*>(GetDlgItem(&dlg, 1227))->setChecked(true);
        EXPECT_FALSE(GetDlgItem(&dlg, 2603)->isEnabled());
        EXPECT_FALSE(GetDlgItem(&dlg, 2703)->isEnabled());
        ButtonWithId(&dlg, IDOK)->click();
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_nWidth, 300);
    EXPECT_EQ(dlg.m_nHeight, 150);
    EXPECT_TRUE(dlg.m_bTransparent);
    EXPECT_EQ(dlg.m_crBackground, 0xFFFFFFu); // not taken while transparent
}

TEST(UpdateReminderDlg, UnknownIntervalShowsNeverAndReadsBackZero)
{
    CUpdateReminderDlg dlg;
    dlg.m_nReminderDays = 45;
    WhenShown(&dlg, [&] {
        const auto radios = dlg.findChildren<QRadioButton*>();
        ASSERT_EQ(radios.size(), 5);
        EXPECT_TRUE(radios[4]->isChecked());
        ButtonWithId(&dlg, IDCANCEL)->click();
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_nReminderDays, 0);
}

TEST(RightClickListBox, RightClickSelectsTheItemFirst)
{
    CRightClickListBox list;
    list.addItems({"one", "two", "three"});
    list.resize(200, 200);
    list.show();
    const QPoint at = list.visualItemRect(list.item(2)).center();
    // Close the menu as soon as it opens.
    QTimer::singleShot(0, [] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget()))
            menu->close();
    });
    QMouseEvent press(QEvent::MouseButtonPress, at, list.viewport()->mapToGlobal(at), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(list.viewport(), &press);
    EXPECT_EQ(list.currentRow(), 2);
    ASSERT_EQ(list.MenuItems().size(), 3u);
    EXPECT_EQ(list.MenuItems()[1].command, 2130);
}

// Each entry of the popup, in order, sends its own command to the parent.
TEST(RightClickListBox, MenuEntriesSendTheirCommands)
{
    CRightClickListBox names;
    CGalleryListBox gallery;
    struct Case {
        CMenuListBox* list;
        QStringList texts;
        std::vector<int> commands;
    } cases[] = {
        {&names, {"Copy", "Rename", "Delete"}, {2128, 2130, 2129}},
        {&gallery, {"Reload"}, {101}},
    };
    for (Case& c : cases) {
        CMenuListBox& list = *c.list;
        list.addItems({"one", "two"});
        list.resize(200, 200);
        list.show();
        std::vector<int> sent;
        QObject::connect(&list, &CMenuListBox::commandSent, [&](int command) { sent.push_back(command); });
        for (int pick = 0; pick < int(c.commands.size()); ++pick) {
            QStringList texts;
            QTimer::singleShot(0, [&texts, pick] {
                auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                if (!menu)
                    return;
                for (QAction* a : menu->actions())
                    texts.push_back(a->text());
                menu->actions().value(pick)->trigger();
                menu->close();
            });
            const QPoint at = list.visualItemRect(list.item(0)).center();
            QMouseEvent press(QEvent::MouseButtonPress, at, list.viewport()->mapToGlobal(at), Qt::RightButton,
                              Qt::RightButton, Qt::NoModifier);
            QApplication::sendEvent(list.viewport(), &press);
            EXPECT_EQ(texts, c.texts);
        }
        EXPECT_EQ(sent, c.commands) << c.texts.join(",").toStdString();
    }
}

TEST(SplashWnd, LightGreyShowsTheButtonFace)
{
    CSplashWnd splash(319);
    ASSERT_TRUE(splash.Create());
    const QImage img = splash.Composed();
    EXPECT_EQ(img.pixel(0, 0), splash.palette().color(QPalette::Button).rgb());
    EXPECT_NE(img.pixel(img.width() / 2, img.height() / 2), splash.palette().color(QPalette::Button).rgb());
    CSplashWnd missing(1);
    EXPECT_FALSE(missing.Create());
}

// Whatever the colour scheme: the light grey of the bitmap takes the
// button face of the palette in force, and nothing else does.
TEST(SplashWnd, LightGreyFollowsTheColourScheme)
{
    CSplashWnd splash(319);
    ASSERT_TRUE(splash.Create());
    // Centred on the screen at the bitmap's size.
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(splash.size(), splash.Composed().size());
    EXPECT_EQ(splash.pos(), QPoint((screen.width() - splash.width()) / 2, (screen.height() - splash.height()) / 2));
    // A light-grey face shows the bitmap as it is.
    QPalette grey = splash.palette();
    grey.setColor(QPalette::Button, QColor(192, 192, 192));
    splash.setPalette(grey);
    const QImage plain = splash.Composed();
    const QRgb face = qRgb(192, 192, 192);
    ASSERT_EQ(plain.pixel(0, 0), face);
    for (const QColor scheme : {QColor(20, 90, 200), QColor(250, 250, 180), QColor(193, 192, 192)}) {
        QPalette palette = splash.palette();
        palette.setColor(QPalette::Button, scheme);
        splash.setPalette(palette);
        const QImage img = splash.Composed();
        ASSERT_EQ(img.size(), plain.size());
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QRgb was = plain.pixel(x, y);
                ASSERT_EQ(img.pixel(x, y), was == face ? scheme.rgb() : was) << x << "," << y;
            }
    }
}

TEST(BuddySpinCtrl, StepsTheBuddyAndPutsTheCaretAtTheStart)
{
    QLineEdit edit("12 pt");
    CBuddySpinCtrl spin;
    spin.Step(1); // no buddy: nothing happens
    int total = 0;
    spin.SetBuddy(&edit, [&](int delta) {
        total += delta;
        edit.setText(QString("%1 pt").arg(12 + total));
        edit.selectAll();
    });
    spin.Step(+1);
    spin.Step(+1);
    spin.Step(-1);
    EXPECT_EQ(edit.text(), "13 pt");
    EXPECT_EQ(edit.cursorPosition(), 0);
    EXPECT_FALSE(edit.hasSelectedText());
}

TEST(DocManager, OpenTakesEveryFileAndSaveKeepsTheFolderOnCancel)
{
    CKavoDocManager mgr;
    FileDialogRequest seen;
    FileDialogResult answer;
    CKavoDocManager::SetDialogRunner([&](const FileDialogRequest& r) {
        seen = r;
        return answer;
    });
    OpenDir.clear();
    answer.accepted = true;
    answer.files = {"/d/one;two.kvd", "/e/three.kvd"};
    std::vector<std::string> files;
    ASSERT_TRUE(mgr.DoPromptFileName(files, 0, true));
    EXPECT_EQ(files, (std::vector<std::string>{"/d/one;two.kvd", "/e/three.kvd"}));
    EXPECT_EQ(OpenDir, "/d/");
    EXPECT_EQ(g_strLastOpenedPath, "/e/three.kvd");
    EXPECT_TRUE(seen.multiSelect);
    EXPECT_EQ(FilterToQt(seen.filter), "Diagram Files (*.kvd);;Diagram Backups (*.bak);;All Files (*)");
    EXPECT_EQ(seen.defaultExt, "kvd");
    // The open dialog shown for it is the diagram dialog with its preview pane.
    const std::unique_ptr<QFileDialog> shown = CKavoDocManager::MakeDialog(seen);
    EXPECT_NE(shown->findChild<QLabel*>("1225"), nullptr);
    EXPECT_EQ(shown->fileMode(), QFileDialog::ExistingFiles);
    EXPECT_EQ(shown->nameFilters(), FilterToQtList(CKavoDocManager::kOpenFilter));
    EXPECT_EQ(shown->defaultSuffix(), "kvd");

    const QTemporaryDir keep;
    SaveAsDir = keep.path().toStdString() + "/";
    answer = FileDialogResult();
    answer.path = "untitled";
    EXPECT_FALSE(mgr.DoPromptFileName(files, 0, false));
    EXPECT_EQ(SaveAsDir, keep.path().toStdString() + "/");
    EXPECT_FALSE(seen.open);
    EXPECT_EQ(seen.folder, keep.path() + "/");
    answer.accepted = true;
    answer.path = "/new/place/d.kvd";
    ASSERT_TRUE(mgr.DoPromptFileName(files, 0, false));
    EXPECT_EQ(SaveAsDir, "/new/place/");
    EXPECT_EQ(files[0], "/new/place/d.kvd");
    CKavoDocManager::SetDialogRunner(nullptr);
}

// A cancelled Open or New dialog gives the activation back to the window it
// came from: left inactive, that window is raised over the menus its menu
// bar opens, and no menu can be seen any more.
TEST(FileDialogs, CancelHandsTheActivationBack)
{
    CKavoDocList::Instance().Install();
    const std::pair<const char*, std::function<void()>> dialogs[] = {
        {"open", [] {
             CKavoDocManager manager;
             std::vector<std::string> files;
             EXPECT_FALSE(manager.DoPromptFileName(files, 0xF000, true));
         }},
        {"new", [] { EXPECT_FALSE(AppSeams().runTemplateDialog(false).made); }},
    };
    for (const auto& [name, run] : dialogs) {
        QWidget main;
        main.resize(400, 300);
        main.show();
        main.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&main)) << name;
        // Another window takes the activation while the dialog is up, as a
        // window system that activates by stacking order may do.
        QWidget other;
        QTimer::singleShot(0, [&] {
            other.show();
            other.activateWindow();
            other.hide();
            if (QWidget* dlg = QApplication::activeModalWidget())
                static_cast<QDialog*>(dlg)->reject();
        });
        run();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&main, 1000)) << name;
        EXPECT_EQ(QApplication::activeWindow(), &main) << name;
    }
    ResetAppSeams();
}
