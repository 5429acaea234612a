// The connector styles sheet's Auto-Label and Stamp pages through their
// widgets: the label text edits only the first section of the style's label
// and only when it was typed for the style shown, a typed line break becomes
// a markup line, a too long text keeps the page, the controls follow their
// check boxes, and the stamp's orientation radios map to their angles.
#include "ConStylesSheetRun.h"
#include "common/DiagramFixture.h"
#include "common/TestSupport.h"
#include "controls/ui/CommandRecorder.h"
#include "core/Settings.h"
#include "dialogs/sheets/CConSheetCommands.h"
#include "dialogs/sheets/CConStylesSheet.h"
#include "dialogs/sheets/CConTabAutoLabel.h"
#include "document/ConStyleEdits.h"
#include "platform/ui/DlgItems.h"
#include "shapes/CConStylesLibrary.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <utility>

namespace {

constexpr int kAutoLabelPage = 4, kStampPage = 5;

class ConAutoLabelPages : public testing::Test {
protected:
    void SetUp() override
    {
        lib().RemoveAll();
        const struct {
            const char* name;
            const char* text;
            int angle;
        } styles[] = {{"Alpha", "Alpha", 90}, {"Beta", "\\b Beta\\b0 \\sect X", 180}};
        for (const auto& s : styles) {
            ConStyleValues v;
            v.name = s.name;
            v.autoLabel = 1;
            v.labelText = s.text;
            v.labelPosition = 1;
            v.stamp = 1;
            v.stampLength = 512;
            v.stampAngle = s.angle;
            ASSERT_TRUE(AddConStyle(fx.doc, v));
        }
    }
    CConStylesLibrary& lib() { return fx.doc.m_conStyles; }
    const CConStyle& style(int i) { return *lib().GetAt(i); }
    void RunSheet(int style, int page, const std::function<void(CCSTabSheet&, QWidget&)>& steps)
    {
        RunConStylesSheet(fx.doc, style, [steps, page](CCSTabSheet& sheet) {
            sheet.GetTabControl()->setCurrentIndex(page);
            steps(sheet, *sheet.GetActivePage());
        });
    }
    static void ClickStyle(CCSTabSheet& sheet, const char* name) { ClickConStyle(sheet, name); }
    static QAbstractButton* Button(QWidget& page, int id) { return qobject_cast<QAbstractButton*>(GetDlgItem(&page, id)); }
    static QPlainTextEdit* Text(QWidget& page)
    {
        return qobject_cast<QPlainTextEdit*>(GetDlgItem(&page, CCTabAutoLabel::kText));
    }
    static void Type(QWidget& page, const char* text)
    {
        QPlainTextEdit* edit = Text(page);
        edit->setFocus();
        edit->moveCursor(QTextCursor::End);
        const QStringList lines = QString(text).split('\n');
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0)
                QTest::keyClick(edit, Qt::Key_Return);
            QTest::keyClicks(edit, lines[i]);
        }
    }

    struct NoReminder {
        int saved = std::exchange(RemindStyles, 0);
        ~NoReminder() { RemindStyles = saved; }
    } noReminder;
    DiagramFixture fx;
    CRecordingPrompt prompt;
};

// Text typed for one style and dropped with its changes (No to the question)
// must not replace the text of the style shown next.
TEST_F(ConAutoLabelPages, TextTypedForADroppedStyleLeavesTheNextStylesText)
{
    prompt.QueueAnswer(IDNO);
    RunSheet(0, kAutoLabelPage, [&](CCSTabSheet& sheet, QWidget& page) {
        Type(page, "Z");
        ClickStyle(sheet, "Beta");
        QWidget& shown = *sheet.GetActivePage();
        EXPECT_EQ(Text(shown)->toPlainText(), "Beta");
        Button(shown, CCTabAutoLabel::kInLine)->click();
        sheet.Button(IDOK)->click();
    });
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(style(0).AutoLabelText, "Alpha");
    EXPECT_EQ(style(1).AutoLabelText, "\\b Beta\\b0 \\sect X");
    EXPECT_EQ(style(1).AutoLabelPosition, 0);
}

// Only what was edited is written: a position leaves the label text and its
// later sections as they are; typed text replaces the first section only,
// a line typed with Return becoming a markup line break.
TEST_F(ConAutoLabelPages, TheTextReplacesTheFirstSectionOnlyWhenTyped)
{
    const struct {
        const char* typed;   // nullptr: only the position is changed
        const char* stored;
        int position;
    } cases[] = {
        {nullptr, "\\b Beta\\b0 \\sect X", -1},
        {"!", "Beta!\\sect X", 1},
        {"\n2", "Beta\\line 2\\sect X", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        lib().GetAt(1)->AutoLabelText = "\\b Beta\\b0 \\sect X";
        lib().GetAt(1)->AutoLabelPosition = 1;
        RunSheet(1, kAutoLabelPage, [&](CCSTabSheet& sheet, QWidget& page) {
            if (c.typed)
                Type(page, c.typed);
            else
                Button(page, CCTabAutoLabel::kBelow)->click();
            EXPECT_TRUE(sheet.Button(IDOK)->isEnabled());
            sheet.Button(IDOK)->click();
            // The stored text shows again as it was typed, the caret kept.
            if (c.typed) {
                EXPECT_EQ(Text(page)->toPlainText(), QString("Beta") + c.typed);
            }
        });
        EXPECT_EQ(style(1).AutoLabelText, c.stored);
        EXPECT_EQ(style(1).AutoLabelPosition, c.position);
    }
    EXPECT_TRUE(prompt.shown.empty());
}

// A label whose markup would pass 4095 characters is refused: the sheet stays
// on the page with the change pending, and the style keeps its text.
TEST_F(ConAutoLabelPages, ATooLongTextKeepsThePage)
{
    RunSheet(0, kAutoLabelPage, [&](CCSTabSheet& sheet, QWidget& page) {
        Text(page)->setPlainText(QString(2048, QLatin1Char('{')));
        sheet.Button(IDOK)->click();
        EXPECT_EQ(QApplication::activeModalWidget(), &sheet);
        EXPECT_EQ(sheet.GetActiveIndex(), kAutoLabelPage);
        EXPECT_TRUE(sheet.Button(IDOK)->isEnabled());
        Text(page)->setPlainText(QString(2047, QLatin1Char('{')));
        sheet.Button(IDOK)->click();
        EXPECT_FALSE(sheet.Button(IDOK)->isEnabled());
    });
    EXPECT_EQ(style(0).AutoLabelText.substr(0, 4), "\\{\\{");
}

// The controls and the pictures of each page follow its check box; under
// "<All>" neither page applies, so both are disabled.
TEST_F(ConAutoLabelPages, ControlsAndPicturesFollowTheirChecks)
{
    const struct {
        int page, check;
        std::vector<int> controls, pictures;
    } pages[] = {
        {kAutoLabelPage, CCTabAutoLabel::kAutoLabel,
         {2639, CCTabAutoLabel::kText, 2769, CCTabAutoLabel::kInLine, CCTabAutoLabel::kAbove, CCTabAutoLabel::kBelow},
         {CCTabAutoLabel::kInLinePicture, CCTabAutoLabel::kAbovePicture, CCTabAutoLabel::kBelowPicture}},
        {kStampPage, CCTabFragment::kStamp,
         {2771, CCTabFragment::kLength, 2772, CCTabFragment::kUp, CCTabFragment::kDown, CCTabFragment::kLeft,
          CCTabFragment::kRight},
         {CCTabFragment::kUpPicture, CCTabFragment::kDownPicture, CCTabFragment::kLeftPicture,
          CCTabFragment::kRightPicture}},
    };
    for (const auto& p : pages) {
        SCOPED_TRACE(p.page);
        RunSheet(0, p.page, [&](CCSTabSheet& sheet, QWidget& page) {
            auto expectAll = [&](bool on) {
                for (int id : p.controls)
                    EXPECT_EQ(GetDlgItem(&page, id)->isEnabled(), on) << id;
                for (int id : p.pictures)
                    EXPECT_EQ(GetDlgItem(&page, id)->isHidden(), !on) << id;
            };
            expectAll(true);
            SaveShot(&sheet, ("con_page_on_" + std::to_string(p.page)).c_str());
            const QPoint place = GetDlgItem(&page, p.controls.back())->pos();
            Button(page, p.check)->click();
            expectAll(false);
            EXPECT_EQ(GetDlgItem(&page, p.controls.back())->pos(), place);
            SaveShot(&sheet, ("con_page_off_" + std::to_string(p.page)).c_str());
            Button(page, p.check)->click();
            expectAll(true);
            prompt.QueueAnswer(IDNO);
            ClickStyle(sheet, "<All>");
            QWidget& all = *sheet.GetActivePage();
            EXPECT_FALSE(GetDlgItem(&all, p.check)->isEnabled());
            for (int id : p.controls)
                EXPECT_FALSE(GetDlgItem(&all, id)->isEnabled()) << id;
        });
    }
}

// Under "<All>" only the category, the style-bar flags, the description and
// the flagged properties reach every style: each keeps its own label and
// stamp.
TEST_F(ConAutoLabelPages, AllStylesKeepTheirOwnLabelsAndStamps)
{
    ConStyleValues v;
    v.description = "shared";
    v.autoLabel = 0;
    v.labelText = "Other";
    v.labelPosition = 0;
    v.stamp = 0;
    v.stampAngle = 0;
    CConPropMaskEx mask;
    mask.SetAll(1);
    ModifyAllConStyles(fx.doc, kConStyleAll, v, mask);
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(style(i).Description, "shared");
        EXPECT_EQ(style(i).AutoLabel, 1);
        EXPECT_EQ(style(i).AutoLabelText, i == 0 ? "Alpha" : "\\b Beta\\b0 \\sect X");
        EXPECT_EQ(style(i).AutoLabelPosition, 1);
        EXPECT_EQ(style(i).FragmentCreation, 1);
        EXPECT_EQ(style(i).FragmentAngle, i == 0 ? 90 : 180);
    }
}

// Up 0, Down 180, Left 270, Right 90, both ways; another stored angle leaves
// the radios as they were. A sheet without a style starts at Right, and a
// style made by New points up.
TEST_F(ConAutoLabelPages, StampOrientationRadiosMapToTheirAngles)
{
    const struct {
        int radio, angle;
    } radios[] = {{CCTabFragment::kUp, 0},
                  {CCTabFragment::kDown, 180},
                  {CCTabFragment::kLeft, 270},
                  {CCTabFragment::kRight, 90}};
    for (const auto& r : radios) {
        SCOPED_TRACE(r.angle);
        lib().GetAt(0)->FragmentAngle = r.angle;
        RunSheet(0, kStampPage, [&](CCSTabSheet& sheet, QWidget& page) {
            EXPECT_TRUE(Button(page, r.radio)->isChecked());
            const int other = r.radio == CCTabFragment::kUp ? CCTabFragment::kDown : CCTabFragment::kUp;
            Button(page, other)->click();
            sheet.Button(IDOK)->click();
            Button(page, r.radio)->click();
            sheet.Button(IDOK)->click();
        });
        EXPECT_EQ(style(0).FragmentAngle, r.angle);
    }
    lib().GetAt(0)->FragmentAngle = 45;
    RunSheet(0, kStampPage, [&](CCSTabSheet& sheet, QWidget& page) {
        ClickStyle(sheet, "Beta");
        ClickStyle(sheet, "Alpha");
        EXPECT_TRUE(Button(page, CCTabFragment::kDown)->isChecked());
        ClickStyle(sheet, "<All>");
        EXPECT_TRUE(Button(page, CCTabFragment::kRight)->isChecked());
        QTimer::singleShot(0, [] {
            QWidget* dlg = QApplication::activeModalWidget();
            qobject_cast<QAbstractButton*>(GetDlgItem(dlg, IDOK))->click();
        });
        qobject_cast<QPushButton*>(GetDlgItem(&sheet, CCSTabSheet::kNew))->click();
    });
    ASSERT_EQ(lib().GetCount(), 3);
    EXPECT_EQ(style(2).FragmentAngle, 0);
    EXPECT_EQ(style(0).FragmentAngle, 45);
}

} // namespace
