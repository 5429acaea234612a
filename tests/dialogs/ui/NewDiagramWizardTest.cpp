// The new diagram wizard as the user steps through it: every program
// template gives a diagram with the chosen wrap and font size change, Cancel
// makes none and writes nothing, a font size out of range is refused with
// its message, and white style borders change only for a colour scheme.
#include "app/ui/CKavoDocList.h"
#include "app/ui/CKavoDocTemplate.h"
#include "common/TestSupport.h"
#include "dialogs/ui/ModalDriver.h"
#include "controls/CNumEdit.h"
#include "controls/ui/CommandRecorder.h"
#include "core/CAppProfile.h"
#include "core/HelpRequest.h"
#include "core/ProgramFolders.h"
#include "core/Settings.h"
#include "dialogs/CSchemePreviewWnd.h"
#include "dialogs/diagram/CDPropSheet.h"
#include "dialogs/diagram/DPropConPages.h"
#include "dialogs/wizard/CWizardPages.h"
#include "dialogs/wizard/CWizardSheet.h"
#include "dialogs/wizard/WizardChoices.h"
#include "document/CKavoDoc.h"
#include "document/ChoiceTables.h"
#include "frame/ui/CMainFrame.h"
#include "shapes/CFigSymbol.h"
#include "shapes/FigFlags.h"
#include "shapes/TemplateVariants.h"
#include "platform/ui/CPropertySheet.h"
#include "platform/ui/DlgItems.h"
#include "platform/Ansi.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QTemporaryDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>

namespace {
constexpr int kNoWizard = -1000;

void WhenWizardShows(std::function<void(CWizardSheet&)> work)
{
    WhenModalShows<CWizardSheet>(std::move(work));
}

void Click(CWizardSheet& sheet, int id)
{
    QTest::mouseClick(sheet.Button(id), Qt::LeftButton);
}

void Type(QWidget* field, const char* text)
{
    auto* edit = static_cast<QLineEdit*>(field);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

std::string TemplatePath(const QString& name)
{
    return QDir(KAVO_RESOURCE_DIR "/Template").filePath(name).toStdString();
}

// Text heights and wrap bits of the figure styles, by name.
std::map<std::string, std::pair<int, bool>> StyleLook(const CKavoDoc& doc)
{
    std::map<std::string, std::pair<int, bool>> look;
    for (int i = 0; i < doc.m_figStyles.GetCount(); ++i)
        if (const CFigStyle* s = doc.m_figStyles.GetAt(i))
            look[s->m_strName] = {std::abs(int(s->m_props.m_font.m_lf.lfHeight)),
                                  (s->m_props.Behavior.low & kFigFlagReflowText) != 0};
    return look;
}

class WizardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        docs.CloseAll();
        BuildChoiceTables();   // the program builds them at start-up
    }
    void TearDown() override
    {
        docs.CloseAll();
        UseWizard = 1;
    }
    CKavoDocList& docs = CKavoDocList::Instance();
    CTempProfile profile;
    CRecordingPrompt prompt;
};
} // namespace

TEST_F(WizardTest, EachTemplateMakesADiagramWithTheChosenTextOptions)
{
    const QStringList templates = QDir(KAVO_RESOURCE_DIR "/Template").entryList({"*.kvd"}, QDir::Files);
    ASSERT_GE(templates.size(), 3);
    for (const QString& name : templates) {
        SCOPED_TRACE(name.toStdString());
        UseWizard = 0;
        CKavoDoc* plain = docs.NewDocument(TemplatePath(name));
        ASSERT_NE(plain, nullptr);
        const auto before = StyleLook(*plain);
        UseWizard = 1;
        WhenWizardShows([&name](CWizardSheet& sheet) {
            // No variant groups: the shadow and fill page, then the text page.
            ASSERT_EQ(sheet.GetPageCount(), 2);
            EXPECT_FALSE(sheet.Button(CWizardSheet::kBackId)->isEnabled());
            EXPECT_TRUE(sheet.Button(CWizardSheet::kNextId)->isVisible());
            EXPECT_FALSE(sheet.Button(CWizardSheet::kFinishId)->isVisible());
            if (name == "Flowchart.kvd")
                SaveShot(&sheet, "WizardFx");
            Click(sheet, CWizardSheet::kNextId);
            EXPECT_EQ(sheet.GetActiveIndex(), 1);
            EXPECT_TRUE(sheet.Button(CWizardSheet::kBackId)->isEnabled());
            EXPECT_TRUE(sheet.Button(CWizardSheet::kFinishId)->isVisible());
            // The box shows the remembered choice: wrap is wanted on.
            auto* wrap = static_cast<QCheckBox*>(GetDlgItem(&sheet, CWizardPropertyPageOpt::kWrapId));
            if (!wrap->isChecked())
                QTest::mouseClick(wrap, Qt::LeftButton, {}, QPoint(8, wrap->height() / 2));
            EXPECT_TRUE(wrap->isChecked());
            Type(GetDlgItem(&sheet, CWizardPropertyPageOpt::kSizeId), "2");
            if (name == "Flowchart.kvd")
                SaveShot(&sheet, "WizardOpt");
            Click(sheet, CWizardSheet::kFinishId);
        });
        CKavoDoc* doc = docs.NewDocument(TemplatePath(name));
        ASSERT_NE(doc, nullptr);
        EXPECT_FALSE(doc->IsModified());
        EXPECT_FALSE(doc->CanUndo());
        const auto after = StyleLook(*doc);
        ASSERT_EQ(after.size(), before.size());
        for (const auto& [style, look] : after) {
            EXPECT_EQ(look.first, before.at(style).first + 2) << style;
            const CFigStyle* s = doc->m_figStyles.GetAt(doc->m_figStyles.FindByName(style));
            EXPECT_EQ(look.second, s->Label ? before.at(style).second : true) << style;
        }
        const CAppProfile& p = AfxGetAppProfile();
        EXPECT_EQ(p.GetProfileInt("Wizard", "FontSize", kNoWizard), 2u);
        EXPECT_EQ(p.GetProfileInt("Wizard", "Wrap", kNoWizard), 1u);
        EXPECT_EQ(p.GetProfileString("Wizard", "FontName", "unset"), "");   // "<As Is>"
        docs.CloseAll();
    }
}

// The wizard's line spacing list names the kinds as Diagram Properties'
// Text Format page does, in the same order.
TEST_F(WizardTest, LineSpacingKindsHaveTheNamesOfDiagramProperties)
{
    const QStringList names = {"Single Spaced", "1.5 Lines",       "Double Spaced", "Condensed",
                               "Ultra Condensed", "% of Line", "Fixed Spacing", "Fixed Separation"};
    const auto items = [](QWidget* combo) {
        QStringList out;
        auto* list = qobject_cast<QComboBox*>(combo);
        for (int i = 0; list && i < list->count(); ++i)
            out << list->itemText(i);
        return out;
    };
    QStringList wizard;
    CWizardSheet sheet(nullptr);
    QTimer::singleShot(0, &sheet, [&] {
        while (sheet.Button(CWizardSheet::kNextId)->isVisible())
            Click(sheet, CWizardSheet::kNextId);
        wizard = items(GetDlgItem(&sheet, CWizardPropertyPageOpt::kModeId));
        sheet.reject();
    });
    sheet.DoModal();
    EXPECT_EQ(wizard, names);

    CKavoDoc doc;
    CDPropSheet props(doc, nullptr);
    QStringList format;
    QTimer::singleShot(0, &props, [&] {
        for (int i = 0; i < props.GetPageCount(); ++i)
            if (QWidget* combo = GetDlgItem(props.GetPage(i), CDPropFormat::kSpacingKindId))
                format = items(combo);
        props.reject();
    });
    props.DoModal();
    EXPECT_EQ(format, names);
}

TEST_F(WizardTest, CancelMakesNoDiagramAndWritesNothing)
{
    WhenWizardShows([](CWizardSheet& sheet) {
        Click(sheet, CWizardSheet::kNextId);
        Type(GetDlgItem(&sheet, CWizardPropertyPageOpt::kSizeId), "5");
        QTest::keyClick(&sheet, Qt::Key_Escape);
    });
    EXPECT_EQ(docs.NewDocument(TemplatePath("Flowchart.kvd")), nullptr);
    EXPECT_EQ(docs.Count(), 0);
    EXPECT_EQ(AfxGetAppProfile().GetProfileString("Wizard", "FontSize", "unset"), "unset");
}

TEST_F(WizardTest, AFontSizeOutOfRangeIsRefusedWithItsLimits)
{
    WhenWizardShows([](CWizardSheet& sheet) {
        Click(sheet, CWizardSheet::kNextId);
        Type(GetDlgItem(&sheet, CWizardPropertyPageOpt::kSizeId), "19");
        Click(sheet, CWizardSheet::kFinishId);
        EXPECT_EQ(QApplication::activeModalWidget(), &sheet);   // kept open
        Type(GetDlgItem(&sheet, CWizardPropertyPageOpt::kSizeId), "-3");
        Click(sheet, CWizardSheet::kFinishId);
    });
    ASSERT_NE(docs.NewDocument(TemplatePath("Flowchart.kvd")), nullptr);
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text, "Enter a font size between -18 and 18");
    EXPECT_EQ(int(AfxGetAppProfile().GetProfileInt("Wizard", "FontSize", kNoWizard)), -3);
}

TEST_F(WizardTest, WhiteBordersTakeAReplacementOnlyFromAColourScheme)
{
    UseWizard = 0;
    for (const char* scheme : {"", "Blue"}) {
        SCOPED_TRACE(scheme);
        CKavoDoc* doc = docs.NewDocument(TemplatePath("Flowchart.kvd"));
        ASSERT_NE(doc, nullptr);
        CFigStyle* style = nullptr;
        for (int i = 0; i < doc->m_figStyles.GetCount() && !style; ++i)
            if (CFigStyle* s = doc->m_figStyles.GetAt(i); s && !s->Label)
                style = s;
        ASSERT_NE(style, nullptr);
        style->m_props.BorderColor = 0xFFFFFF;
        style->m_props.m_fill.m_nKind = 1;
        TemplateVariants variants;
        if (*scheme) {
            ASSERT_TRUE(variants.AddVariantFile(std::string("Flowchart (Color=") + scheme + ",1)", "x.kvv"));
        }
        WizardChoices choices;
        choices.TakeSchemeColors(&variants);
        ASSERT_TRUE(FillChoices().ApplyByName(choices.fill, "Vertical", nullptr));
        ApplyWizardChoices(*doc, nullptr, choices);
        EXPECT_EQ(style->m_props.m_fill.m_nKind, 2);
        EXPECT_EQ(style->m_props.BorderColor, *scheme ? COLORREF(0x800000) : COLORREF(0xFFFFFF));
        docs.CloseAll();
    }
}

TEST_F(WizardTest, VariantGroupsComeFirstAndTheirChoiceIsRemembered)
{
    // A template with a two-scheme "Color" group in the variants folder.
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("Template/Variants");
    const QString tmpl = dir.path() + "/Template/T.kvd";
    ASSERT_TRUE(QFile::copy(KAVO_RESOURCE_DIR "/Template/Flowchart.kvd", tmpl));
    for (const char* v : {"T (Color=Blue,1).kvv", "T (Color=Dark Red,2).kvv"})
        ASSERT_TRUE(QFile::copy(KAVO_RESOURCE_DIR "/Template/Block Diagram.kvd", dir.path() + "/Template/Variants/" + v));
    SetProgramFolderForTest(dir.path());
    WhenWizardShows([](CWizardSheet& sheet) {
        ASSERT_EQ(sheet.GetPageCount(), 3);
        EXPECT_EQ(GetDlgItemText(&sheet, CWizardPropertyPage::kLabelId), "Color:");
        auto* list = static_cast<QListWidget*>(GetDlgItem(&sheet, CWizardPropertyPage::kListId));
        ASSERT_EQ(list->count(), 2);
        EXPECT_EQ(list->currentItem()->text(), "Blue");   // the group's default
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
        // The chosen variant's stored preview picture.
        EXPECT_TRUE(static_cast<CSchemePreviewWnd*>(GetDlgItem(&sheet, CWizardPropertyPage::kPreviewId))->HasPicture());
        SaveShot(&sheet, "WizardVariants");
        Click(sheet, CWizardSheet::kNextId);
        // The scheme's colours: the fill's first colour and the replacement.
        EXPECT_EQ(sheet.m_choices.fill.m_crColor1, COLORREF(0x7373BF));
        EXPECT_TRUE(sheet.m_choices.hasReplacement);
        EXPECT_EQ(sheet.m_choices.replacement, COLORREF(0x00005A));
        Click(sheet, CWizardSheet::kNextId);
        Click(sheet, CWizardSheet::kFinishId);
    });
    EXPECT_NE(docs.NewDocument(tmpl.toStdString()), nullptr);
    SetProgramFolderForTest(QString());
    EXPECT_EQ(AfxGetAppProfile().GetProfileInt("Variants", "T Color", kNoWizard), 1u);
}

TEST_F(WizardTest, EveryPageShowsThePictureAndHelpOpensTheWizardsTopic)
{
    std::vector<uint32_t> topics;
    SetHelpHandler([&](uint32_t context) { topics.push_back(context); });
    WhenWizardShows([](CWizardSheet& sheet) {
        for (int i = 0; i < sheet.GetPageCount(); ++i) {
            const auto* picture = static_cast<QLabel*>(GetDlgItem(sheet.GetPage(i), CWizardPage::kPictureId));
            ASSERT_NE(picture, nullptr);
            // The picture's light grey backdrop is the wizard's own face.
            EXPECT_EQ(picture->pixmap().toImage().pixel(0, 0), sheet.palette().color(QPalette::Button).rgb());
        }
        QTest::mouseClick(static_cast<QPushButton*>(GetDlgItem(&sheet, IDHELP)), Qt::LeftButton);
        Click(sheet, CWizardSheet::kNextId);
        QTest::keyClick(GetDlgItem(&sheet, CWizardPropertyPageOpt::kSizeId), Qt::Key_F1);
        EXPECT_EQ(QApplication::activeModalWidget(), &sheet);
        QTest::keyClick(&sheet, Qt::Key_Escape);
    });
    EXPECT_EQ(docs.NewDocument(TemplatePath("Flowchart.kvd")), nullptr);
    SetHelpHandler(nullptr);
    EXPECT_EQ(topics, (std::vector<uint32_t>{316, 316}));
}

// File New in the program goes through the document template: the chosen
// template's styles come with the wizard, its Cancel leaves no diagram, and
// an unreadable template a blank one.
TEST_F(WizardTest, FileNewThroughTheDocumentTemplateRunsTheWizard)
{
    // The frame goes first: its views leave the documents before they close.
    CMainFrame* shownIn = nullptr;
    CKavoDocTemplate docs([&] { return shownIn; });
    CMainFrame frame;
    shownIn = &frame;
    UseWizard = 0;
    CKavoDoc* plain = docs.OpenNewDocument(TemplatePath("Flowchart.kvd"));
    ASSERT_NE(plain, nullptr);
    const auto look = StyleLook(*plain);
    EXPECT_GT(look.size(), 1u);
    UseWizard = 1;
    bool shown = false;
    WhenWizardShows([&shown](CWizardSheet& sheet) {
        shown = true;
        Click(sheet, CWizardSheet::kNextId);
        Click(sheet, CWizardSheet::kFinishId);
    });
    CKavoDoc* doc = docs.OpenNewDocument(TemplatePath("Flowchart.kvd"));
    ASSERT_NE(doc, nullptr);
    EXPECT_TRUE(shown);
    EXPECT_EQ(StyleLook(*doc).size(), look.size());
    EXPECT_TRUE(doc->GetPathName().empty());
    const int count = docs.DocumentCount();
    WhenWizardShows([](CWizardSheet& sheet) { QTest::keyClick(&sheet, Qt::Key_Escape); });
    EXPECT_EQ(docs.OpenNewDocument(TemplatePath("Flowchart.kvd")), nullptr);
    EXPECT_EQ(docs.DocumentCount(), count);
    CKavoDoc* blank = docs.OpenNewDocument(TemplatePath("Missing.kvd"));
    ASSERT_NE(blank, nullptr);
    EXPECT_EQ(blank->m_figStyles.GetCount(), 1);
    prompt.shown.clear();
}

// The program's own UML template: its "Size" group comes first, then its
// "Color" group, each on the default item; a size and a colour chosen
// together both reach the new diagram's styles (the colour item changes
// only the colours).
TEST_F(WizardTest, ShippedTemplateOffersSizeAndColourVariants)
{
    SetProgramFolderForTest(QStringLiteral(KAVO_RESOURCE_DIR));
    const auto choose = [](CWizardSheet& sheet, const char* label, const char* initial, const char* item,
                           const char* shot) {
        // Each group's page holds its own controls.
        QWidget* page = sheet.GetPage(sheet.GetActiveIndex());
        EXPECT_EQ(GetDlgItemText(page, CWizardPropertyPage::kLabelId), label);
        auto* list = static_cast<QListWidget*>(GetDlgItem(page, CWizardPropertyPage::kListId));
        ASSERT_NE(list->currentItem(), nullptr);
        EXPECT_EQ(list->currentItem()->text(), initial);
        const auto found = list->findItems(item, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << item;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found[0]).center());
        EXPECT_TRUE(static_cast<CSchemePreviewWnd*>(GetDlgItem(page, CWizardPropertyPage::kPreviewId))->HasPicture());
        SaveShot(&sheet, shot);
        Click(sheet, CWizardSheet::kNextId);
    };
    WhenWizardShows([&choose](CWizardSheet& sheet) {
        ASSERT_EQ(sheet.GetPageCount(), 4);
        choose(sheet, "Size:", "Normal", "Large", "WizardShippedSize");
        choose(sheet, "Color:", "Black and white (default)", "Blue", "WizardShippedColor");
        Click(sheet, CWizardSheet::kNextId);
        Click(sheet, CWizardSheet::kFinishId);
    });
    CKavoDoc* doc = docs.NewDocument(TemplatePath("UML Class Diagram.kvd"));
    SetProgramFolderForTest(QString());
    ASSERT_NE(doc, nullptr);
    const CFigStyle* cls = doc->m_figStyles.GetAt(doc->m_figStyles.FindByName("Class"));
    ASSERT_NE(cls, nullptr);
    const CFigSymbol* symbol = doc->m_figSymbols.GetAt(cls->m_props.Symbol);
    ASSERT_NE(symbol, nullptr);
    EXPECT_EQ(symbol->m_strName, "class/object r3");
    EXPECT_EQ(cls->Width, int(symbol->Width * 1.25));
    EXPECT_EQ(cls->m_props.BorderColor, RGB(46, 84, 150));
    EXPECT_EQ(cls->m_props.m_fill.m_crColor1, RGB(234, 242, 253));
    const CConStyle* gen = doc->m_conStyles.GetAt(doc->m_conStyles.FindByName("Generalization"));
    ASSERT_NE(gen, nullptr);
    EXPECT_EQ(gen->m_props.Color, RGB(46, 84, 150));
    EXPECT_EQ(AfxGetAppProfile().GetProfileInt("Variants", "UML Class Diagram Size", kNoWizard), 2u);
    EXPECT_EQ(AfxGetAppProfile().GetProfileInt("Variants", "UML Class Diagram Color", kNoWizard), 1u);
}

// After Finish each figure style (never a label style) takes the wrap bit,
// the drop shadow when it has a border, and a gradient when it has a fill,
// keeping its own first colour; a flat choice leaves the fills alone.
TEST_F(WizardTest, ChoicesReachEachFigureStyleAsItAllows)
{
    for (const int kind : {2, 1}) {
        SCOPED_TRACE(kind);
        CKavoDoc doc;
        doc.OnNewDocument();
        doc.m_figStyles.RemoveAll();
        const struct {
            const char* name;
            int label, border, fillKind;
        } styles[] = {{"Bordered", 0, 2, 1}, {"Bare", 0, 0, 0}, {"Label", 1, 2, 1}};
        for (const auto& s : styles) {
            CFigProps p;
            p.BorderWidth = s.border;
            p.m_fill.m_nKind = s.fillKind;
            p.m_fill.m_crColor1 = RGB(200, 0, 0);
            ASSERT_GT(doc.m_figStyles.AddFigStyle(&p, s.name, 0, 1, s.label, "", "", 256, 172, "", "", nullptr, 0, ""),
                      0);
        }
        WizardChoices c;
        c.wrap = 1;
        c.shadow.m_nType = 1;
        c.fill.m_nKind = kind;
        c.fill.m_crColor1 = kWizardNavy;
        c.fill.m_crColor2 = RGB(1, 2, 3);
        c.fill.m_nAngle = 45;
        ApplyWizardChoices(doc, nullptr, c);
        const CFigProps& bordered = doc.m_figStyles.GetAt(0)->m_props;
        const CFigProps& bare = doc.m_figStyles.GetAt(1)->m_props;
        const CFigProps& label = doc.m_figStyles.GetAt(2)->m_props;
        EXPECT_EQ(bordered.Shadow, 1);
        EXPECT_EQ(bare.Shadow, 0);
        EXPECT_EQ(label.Shadow, 0);
        EXPECT_TRUE(bordered.Behavior.low & kFigFlagReflowText);
        EXPECT_TRUE(bare.Behavior.low & kFigFlagReflowText);
        EXPECT_FALSE(label.Behavior.low & kFigFlagReflowText);
        EXPECT_TRUE(doc.m_curFigStyle.m_props.Behavior.low & kFigFlagReflowText);
        EXPECT_EQ(bordered.m_fill.m_nKind, kind);
        EXPECT_EQ(bordered.m_fill.m_crColor1, RGB(200, 0, 0));
        EXPECT_EQ(bordered.m_fill.m_crColor2, kind == 2 ? RGB(1, 2, 3) : COLORREF(0xFFFFFF));
        EXPECT_EQ(bare.m_fill.m_nKind, 0);
        EXPECT_EQ(label.m_fill.m_nKind, 1);
        EXPECT_EQ(doc.m_shadowSpec.m_nType, 1);
    }
}

// Choosing a line spacing kind sets its starting value: 0 for the plain
// kinds (the value field off), 100 percent for a percentage.
TEST_F(WizardTest, ALineSpacingKindStartsWithItsValue)
{
    const struct {
        int mode, value;
        bool field;
    } cases[] = {{5, 100, true}, {1, 0, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        CAppProfile& p = AfxGetAppProfile();
        p.WriteProfileInt("Wizard", "LineSpacingMode", 7);
        p.WriteProfileInt("Wizard", "LineSpacingValue", 20);
        WhenWizardShows([&c](CWizardSheet& sheet) {
            Click(sheet, CWizardSheet::kNextId);
            auto* mode = static_cast<QComboBox*>(GetDlgItem(&sheet, CWizardPropertyPageOpt::kModeId));
            mode->setFocus();
            mode->setCurrentIndex(c.mode);
            emit mode->activated(c.mode);
            EXPECT_EQ(GetDlgItem(&sheet, CWizardPropertyPageOpt::kValueId)->isEnabled(), c.field);
            Click(sheet, CWizardSheet::kFinishId);
        });
        ASSERT_NE(docs.NewDocument(TemplatePath("Flowchart.kvd")), nullptr);
        EXPECT_EQ(p.GetProfileInt("Wizard", "LineSpacingMode", kNoWizard), unsigned(c.mode));
        EXPECT_EQ(p.GetProfileInt("Wizard", "LineSpacingValue", kNoWizard), unsigned(c.value));
        docs.CloseAll();
    }
}

namespace {
// The program's own content folders (templates and their variants) for the
// lifetime of the object.
struct ShippedContent {
    ShippedContent() { SetProgramFolderForTest(KAVO_RESOURCE_DIR "/"); }
    ~ShippedContent() { SetProgramFolderForTest(QString()); }
};

// The figure-style keys a variant file gives that the test follows: style
// name -> key -> value text, read from the file's "FigureStyle" blocks.
using StyleKeys = std::map<std::string, std::map<std::string, std::string>>;

StyleKeys ReadStyleKeys(const QString& path)
{
    StyleKeys keys;
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    std::string style;
    for (const QByteArray& raw : file.readAll().split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.startsWith("FigureStyle \""))
            style = line.mid(13).chopped(1).toStdString();
        else if (line == "}")
            style.clear();
        else if (!style.empty()) {
            for (const char* key : {"BorderColor", "Width", "Height"}) {
                if (line.startsWith(QByteArray(key) + ' '))
                    keys[style][key] = line.mid(int(std::strlen(key)) + 1).toStdString();
            }
        }
    }
    return keys;
}

std::string KeyText(const CFigStyle& s, const std::string& key)
{
    if (key == "Width")
        return std::to_string(s.Width);
    if (key == "Height")
        return std::to_string(s.Height);
    const COLORREF c = s.m_props.BorderColor;
    return std::to_string(GetRValue(c)) + "," + std::to_string(GetGValue(c)) + "," + std::to_string(GetBValue(c));
}

std::string SymbolName(const CKavoDoc& doc, int index)
{
    const CFigSymbol* s = doc.m_figSymbols.GetAt(index);
    return s ? s->m_strName : "<none>";
}
} // namespace

// Every shipped template with each item of each of its variant groups (the
// other groups at their defaults), merged by the function the wizard's
// Finish runs: no message, every style of the template still there on its
// own symbol, the keys the variants give taken (a later group over an
// earlier one), and no symbol left that nothing uses.
TEST_F(WizardTest, EveryShippedVariantMergesIntoItsTemplateWithoutAWord)
{
    ShippedContent content;
    UseWizard = 0;
    int merged = 0;
    for (const QString& name : QDir(GetTemplatesFolder()).entryList({"*.kvd"}, QDir::Files)) {
        CKavoDoc plain;
        ASSERT_EQ(StartFromTemplate(plain, TemplatePath(name)), TemplateStart::Made);
        TemplateVariants variants;
        variants.BuildTemplateVariants(AnsiToQString(TemplatePath(name)));
        variants.PutSizeGroupFirst();
        for (int g = 0; g < variants.GetGroupCount(); ++g) {
            for (int item = 0; item < TemplateVariants::kMaxItems; ++item) {
                if (variants.GetGroup(g)->fileNames[size_t(item)].empty())
                    continue;
                for (int k = 0; k < variants.GetGroupCount(); ++k)
                    variants.GetGroup(k)->chosen = k == g ? item : variants.GetGroup(k)->defaultItem;
                SCOPED_TRACE(name.toStdString() + " " + variants.GetGroup(g)->fileNames[size_t(item)]);
                StyleKeys expected;
                for (int k = 0; k < variants.GetGroupCount(); ++k) {
                    const TemplateVariants::Group& group = *variants.GetGroup(k);
                    for (const auto& [style, keys] :
                         ReadStyleKeys(GetVariantsFolder() + AnsiToQString(group.fileNames[size_t(group.chosen)])))
                        for (const auto& [key, value] : keys)
                            expected[style][key] = value;
                }
                CKavoDoc doc;
                ASSERT_EQ(StartFromTemplate(doc, TemplatePath(name)), TemplateStart::Made);
                WizardChoices choices;
                choices.fill.m_nKind = 1;   // flat: the styles' fills stay the variants'
                ApplyWizardChoices(doc, &variants, choices);
                ++merged;
                EXPECT_TRUE(prompt.shown.empty()) << (prompt.shown.empty() ? "" : prompt.shown[0].text);
                EXPECT_TRUE(prompt.asked.empty());
                prompt.shown.clear();
                ASSERT_EQ(doc.m_figStyles.GetCount(), plain.m_figStyles.GetCount());
                ASSERT_EQ(doc.m_conStyles.GetCount(), plain.m_conStyles.GetCount());
                for (int i = 0; i < plain.m_figStyles.GetCount(); ++i) {
                    const CFigStyle& was = *plain.m_figStyles.GetAt(i);
                    const CFigStyle* now = doc.m_figStyles.GetAt(doc.m_figStyles.FindByName(was.m_strName));
                    ASSERT_NE(now, nullptr) << was.m_strName;
                    EXPECT_EQ(SymbolName(doc, now->m_props.Symbol), SymbolName(plain, was.m_props.Symbol))
                        << was.m_strName;
                    if (const auto it = expected.find(was.m_strName); it != expected.end()) {
                        for (const auto& [key, value] : it->second)
                            EXPECT_EQ(KeyText(*now, key), value) << was.m_strName << " " << key;
                    }
                }
                for (int i = 0; i < doc.m_conStyles.GetCount(); ++i)
                    EXPECT_GE(doc.m_conStyles.FindByName(plain.m_conStyles.GetAt(i)->m_strName), 0);
                for (int i = 2; i < doc.m_figSymbols.GetCount(); ++i) {
                    EXPECT_TRUE(doc.m_figSymbols.GetAt(i)->InternalIcon || doc.m_figStyles.IsSymbolUsed(i) ||
                                doc.IsSymbolUsedByFigures(i))
                        << SymbolName(doc, i);
                }
            }
        }
    }
    // Swim Lane Process: 5 colours; UML Class Diagram: 5 colours and 3 sizes.
    EXPECT_EQ(merged, 13);
}

// As a user makes one: File New, Swim Lane Process, the wizard's defaults,
// Finish: no message, and the diagram has the template's styles.
TEST_F(WizardTest, SwimLaneFromTheWizardComesWithItsStylesAndNoMessage)
{
    ShippedContent content;
    UseWizard = 0;
    CKavoDoc* plain = docs.NewDocument(TemplatePath("Swim Lane Process.kvd"));
    ASSERT_NE(plain, nullptr);
    const auto before = StyleLook(*plain);
    UseWizard = 1;
    WhenWizardShows([](CWizardSheet& sheet) {
        // The colour page first: the template has one variant group.
        ASSERT_EQ(sheet.GetPageCount(), 3);
        while (sheet.Button(CWizardSheet::kNextId)->isVisible())
            Click(sheet, CWizardSheet::kNextId);
        Click(sheet, CWizardSheet::kFinishId);
    });
    CKavoDoc* doc = docs.NewDocument(TemplatePath("Swim Lane Process.kvd"));
    ASSERT_NE(doc, nullptr);
    EXPECT_TRUE(prompt.shown.empty()) << (prompt.shown.empty() ? "" : prompt.shown[0].text);
    const auto after = StyleLook(*doc);
    EXPECT_EQ(after.size(), before.size());
    EXPECT_GE(doc->m_figStyles.FindByName("Lanes"), 0);
    EXPECT_GE(doc->m_conStyles.FindByName("Flow"), 0);
}
