// The figure sheets' shape sources and text boxes as the user works them: a
// symbol from the gallery, a picture from a file or the clipboard (damaged
// and oversized files refused with their message), a new style named after
// its picture file, one box's format of a many-box symbol, the font dialog
// and the help topics. Each OK changes exactly what was chosen, and one undo
// restores the saved diagram.
#include "FigSheetFixture.h"
#include "ModalDriver.h"

#include "controls/CCheckListCtrl.h"
#include "controls/CPlacedColorDialog.h"
#include "controls/CRightClickListBox.h"
#include "controls/CTextDropButton.h"
#include "core/HelpRequest.h"
#include "core/ProgramFolders.h"
#include "dialogs/CMessageDlgs.h"
#include "dialogs/CPictureFileDialog.h"
#include "dialogs/CStyleNameDlg.h"
#include "dialogs/sheets/CFTabBehaviors.h"
#include "dialogs/sheets/CFTabFill.h"
#include "dialogs/sheets/CFTabGeneral.h"
#include "dialogs/sheets/CFTabText.h"
#include "dialogs/sheets/CStylesPanel.h"
#include "dialogs/symbols/SymbolGalleryDlg.h"
#include "editing/ui/CKavoView.h"
#include "editing/ui/ViewContextMenu.h"
#include "frame/ui/CMainFrame.h"
#include "dialogs/symbols/SymbolGalleryGrids.h"
#include "keyword/CKeywordWriter.h"
#include "platform/PackedDib.h"
#include "platform/SysColors.h"
#include "richtext/TextUtils.h"
#include "shapes/CFigStyle.h"
#include "shapes/CFigStylesLibrary.h"
#include "shapes/SymbolRecordWriter.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTemporaryDir>

namespace {
// A program folder whose symbol library "Basic" holds one circle symbol of
// its own default size, 300 by 200.
class GalleryFolder {
public:
    GalleryFolder()
    {
        QDir(m_dir.path()).mkpath("Symbols");
        SymbolBuilder b;
        b.Fill([](COutlineWriter& w) { w.Circle({1024, 1024}, 1000); });
        b.Outline([](COutlineWriter& w) { w.Circle({1024, 1024}, 1000); });
        b.TextBoxes({CFltRect(300, 700, 1748, 1348)});
        b.sym.SetName("circle");
        b.sym.Width = 300;
        b.sym.Height = 200;
        CStringKeywordSink sink;
        CKeywordWriter w(sink);
        w.WriteHeader();
        WriteFigureSymbolRecord(w, b.sym);
        QFile f(m_dir.path() + "/Symbols/Basic.kvf");
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(sink.text.data(), qint64(sink.text.size()));
        f.close();
        SetProgramFolderForTest(m_dir.path());
        ResetSymbolGalleries();
    }
    ~GalleryFolder()
    {
        SetProgramFolderForTest(QString());
        ResetSymbolGalleries();
    }

private:
    QTemporaryDir m_dir;
};

struct FigSourcesTest : FigSheetTest {
    QTemporaryDir dir;
    std::string impDir = ImpDir;
    ~FigSourcesTest() override
    {
        ImpDir = impDir;
        SetHelpHandler(nullptr);
    }

    // A view of the diagram in a shown main window.
    CKavoView* ShowInFrame(CMainFrame& frame)
    {
        auto* view = new CKavoView(&fx.doc);
        frame.AddViewFrame(view, "d");
        frame.resize(1000, 700);
        frame.show();
        return view;
    }
    // A figure whose symbol has three text boxes, one above the other.
    CFigure* AddRowsFigure(int hiddenBoxes = 0)
    {
        CFigProps props;
        props.Symbol = fx.AddRowsSymbol();
        props.HideText = hiddenBoxes;
        auto* rows = new CFigure(256, 1024, 512, 512, props, -1, 0, "One", "", CFigure::CreateArgs(), &fx.doc);
        fx.doc.AddFigWithId(rows);
        return rows;
    }

    QString WriteBitmap(const QString& name, int w, int h)
    {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Qt::blue);
        const std::vector<BYTE> bmp = ImageToDib(image, 24, true);
        return WriteFile(name, QByteArray(reinterpret_cast<const char*>(bmp.data()), qsizetype(bmp.size())));
    }
    QString WriteFile(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }
    // The Import Graphic chooser that opens next picks the file.
    static void ChooseFileInNextDialog(const QString& path)
    {
        WhenModalShows<CPictureFileDialog>([path](CPictureFileDialog& dlg) {
            dlg.selectFile(path);
            QTest::mouseClick(dlg.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Open), Qt::LeftButton);
        });
    }
    // The gallery that opens next gives its first symbol.
    static void PickFirstSymbolInNextGallery()
    {
        WhenModalShows<CSymbolGalleryDlg>([](CSymbolGalleryDlg& dlg) {
            CRect cell;
            ASSERT_TRUE(dlg.Grid()->GetCellRect(0, cell));
            QTest::mouseClick(dlg.Grid()->viewport(), Qt::LeftButton, {},
                              QPoint(cell.CenterPoint().x, cell.CenterPoint().y));
            QTest::mouseClick(GetDlgItem(&dlg, IDOK), Qt::LeftButton);
        });
    }
    static void ClickItem(CFTabSheet& s, int id) { QTest::mouseClick(Item<QPushButton>(s, id), Qt::LeftButton); }
    // objectsOnly: only the objects are compared. A symbol taken from the
    // gallery stays in the document's symbol library (as Insert Symbol's
    // does) until it is purged unused, and applying a style lays out the
    // style menus; neither is an undoable change.
    void ExpectOneStepBackToSaved(bool objectsOnly = false)
    {
        EXPECT_EQ(Steps(), 1);
        fx.doc.UndoLastStep();
        if (objectsOnly)
            EXPECT_EQ(Objects(Text()), Objects(saved));
        else
            EXPECT_EQ(Text(), saved);
    }
    static std::string Objects(const std::string& text) { return text.substr(text.find("## Figures & Connectors")); }
};
} // namespace

// The gallery's symbol replaces the box's: its default size, its fill
// rules and its connection points; the other figure keeps everything.
TEST_F(FigSourcesTest, SymbolFromGalleryReplacesTheShapeInOneStep)
{
    CTempProfile profile;
    GalleryFolder folder;
    fx.doc.Select(a);
    Save();
    const std::string other = b->m_strText;
    RunProps(false, [&](CFTabSheet& s) {
        ShowPage(s, "General");
        PickFirstSymbolInNextGallery();
        ClickItem(s, CFTabGeneral::IDC_FROM_GALLERY);
        EXPECT_TRUE(s.Button(ID_APPLY_NOW)->isEnabled());
        ShootPages(s, "FigProps_FromGallery");
        ClickButton(s, IDOK);
    });
    const int circle = fx.doc.m_figSymbols.FindByName("circle");
    ASSERT_GE(circle, 0);
    EXPECT_EQ(a->m_props.Symbol, circle);
    // The box had a symbol: its size is fitted to the circle's aspect.
    EXPECT_EQ(a->m_rect.Width(), 384);
    EXPECT_EQ(a->m_rect.Height(), 256);
    EXPECT_EQ(b->m_props.Symbol, fx.boxSymbol);
    EXPECT_EQ(b->m_strText, other);
    ExpectOneStepBackToSaved(true);
}

// A picture figure taking a gallery symbol loses its picture and gets a
// fill again.
TEST_F(FigSourcesTest, SymbolFromGalleryTurnsAPictureFigureIntoASymbolFigure)
{
    CTempProfile profile;
    GalleryFolder folder;
    a->m_props.m_fill.m_nKind = 0;
    fx.doc.Select(a);
    // The figure as a picture of its own first.
    RunProps(false, [&](CFTabSheet& s) {
        ShowPage(s, "General");
        ChooseFileInNextDialog(WriteBitmap("pic2.bmp", 40, 20));
        ClickItem(s, CFTabGeneral::IDC_FROM_FILE);
        ClickButton(s, IDOK);
    });
    ASSERT_TRUE(a->HasPicture());
    EXPECT_EQ(a->m_props.m_fill.m_nKind, 0);
    Save();
    RunProps(false, [&](CFTabSheet& s) {
        ShowPage(s, "General");
        EXPECT_FALSE(Item(s, CFTabGeneral::IDC_TEXT_COLOR)->isEnabled());
        PickFirstSymbolInNextGallery();
        ClickItem(s, CFTabGeneral::IDC_FROM_GALLERY);
        EXPECT_TRUE(Item(s, CFTabGeneral::IDC_TEXT_COLOR)->isEnabled());
        ClickButton(s, IDOK);
    });
    EXPECT_FALSE(a->HasPicture());
    EXPECT_EQ(a->m_props.Symbol, fx.doc.m_figSymbols.FindByName("circle"));
    EXPECT_EQ(a->m_props.m_fill.m_nKind, 1);
    EXPECT_EQ(a->m_props.m_fill.m_crColor1, GetSysColor(COLOR_BTNFACE));
    // Without a symbol before, the figure takes the symbol's own size.
    EXPECT_EQ(a->m_rect.Width(), 300);
    EXPECT_EQ(a->m_rect.Height(), 200);
    ExpectOneStepBackToSaved(true);
}

// A picture from a file keeps its aspect inside the figure's size.
TEST_F(FigSourcesTest, GraphicFromFileFitsThePictureIntoTheFigure)
{
    fx.doc.Select(a);
    Save();
    RunProps(false, [&](CFTabSheet& s) {
        ShowPage(s, "General");
        ChooseFileInNextDialog(WriteBitmap("wide.bmp", 100, 25));
        ClickItem(s, CFTabGeneral::IDC_FROM_FILE);
        ClickButton(s, IDOK);
    });
    ASSERT_TRUE(a->HasPicture());
    EXPECT_EQ(a->m_rect.Width(), 512);
    EXPECT_EQ(a->m_rect.Height(), 128);
    EXPECT_FALSE(b->HasPicture());
    ExpectOneStepBackToSaved();
}

// A file that is no picture, and one whose header claims more pixels than
// a picture may have, are refused with their messages; nothing changes.
TEST_F(FigSourcesTest, DamagedAndHugeFilesAreRefusedWithTheirMessage)
{
    fx.doc.Select(a);
    Save();
    QByteArray huge(54, '\0');
    huge[0] = 'B';
    huge[1] = 'M';
    auto put32 = [&huge](int at, int32_t v) {
        for (int i = 0; i < 4; ++i)
            huge[at + i] = char((v >> (8 * i)) & 0xFF);
    };
    put32(2, 54);
    put32(10, 54);
    put32(14, 40);
    put32(18, 30000);
    put32(22, 30000);
    huge[26] = 1;
    huge[28] = 24;
    const QString hugePath = WriteFile("huge.bmp", huge);
    const QString junkPath = WriteFile("junk.bmp", QByteArray("this is not a picture at all"));
    const int result = RunProps(false, [&](CFTabSheet& s) {
        ShowPage(s, "General");
        ChooseFileInNextDialog(junkPath);
        ClickItem(s, CFTabGeneral::IDC_FROM_FILE);
        ASSERT_FALSE(prompt.shown.empty());
        EXPECT_EQ(prompt.shown.back().text,
                  "Unable to open the file or to recognize it as a supported graphics format.");
        ChooseFileInNextDialog(hugePath);
        ClickItem(s, CFTabGeneral::IDC_FROM_FILE);
        EXPECT_EQ(prompt.shown.back().text, "This picture is too large to use (30000 x 30000 pixels). Pictures of "
                                            "up to 64 megapixels can be used.");
        EXPECT_FALSE(s.Button(ID_APPLY_NOW)->isEnabled());
        ClickButton(s, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(Text(), saved);
    EXPECT_EQ(Steps(), 0);
}

// The clipboard button follows the clipboard: off without a picture, and a
// bitmap on it becomes the figure's picture.
TEST_F(FigSourcesTest, GraphicFromClipboardNeedsAPictureOnTheClipboard)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText("words only");
    fx.doc.Select(a);
    Save();
    RunProps(false, [&](CFTabSheet& s) {
        ShowPage(s, "General");
        EXPECT_FALSE(Item(s, CFTabGeneral::IDC_FROM_CLIPBOARD)->isEnabled());
        QImage image(64, 64, QImage::Format_RGB32);
        image.fill(Qt::red);
        clipboard->setImage(image);
        // The page looks again when it is shown again.
        ShowPage(s, "Text");
        ShowPage(s, "General");
        ASSERT_TRUE(Item(s, CFTabGeneral::IDC_FROM_CLIPBOARD)->isEnabled());
        ClickItem(s, CFTabGeneral::IDC_FROM_CLIPBOARD);
        ClickButton(s, IDOK);
    });
    clipboard->clear();
    ASSERT_TRUE(a->HasPicture());
    EXPECT_EQ(a->m_rect.Width(), a->m_rect.Height());
    ExpectOneStepBackToSaved();
}

// A new style still under its proposed name takes the picture file's title,
// cut to the 30 characters of a style name and made unique.
TEST_F(FigSourcesTest, NewStyleIsNamedAfterItsPictureFile)
{
    CFigStyle taken;
    taken.m_strName = "A rather long picture file tit";
    taken.m_props.Symbol = fx.boxSymbol;
    ASSERT_TRUE(fx.doc.AddNewFigStyle(taken));
    const QString path = WriteBitmap("A rather long picture file title here.bmp", 30, 30);
    CFSTabSheet sheet(false, fx.doc, -1, nullptr);
    RunOpen(sheet, [&](CFTabSheet& s) {
        auto& styles = static_cast<CFSTabSheet&>(s);
        QTimer::singleShot(0, [] {
            if (auto* dlg = qobject_cast<CStyleNameDlg*>(QApplication::activeModalWidget()))
                QTest::mouseClick(GetDlgItem(dlg, IDOK), Qt::LeftButton);
        });
        QTest::mouseClick(styles.Panel()->Button(IDC_STYLE_NEW), Qt::LeftButton);
        ShowPage(s, "General");
        ChooseFileInNextDialog(path);
        ClickItem(s, CFTabGeneral::IDC_FROM_FILE);
        EXPECT_EQ(styles.Panel()->List()->currentItem()->text(), "A rather long picture file t 1");
        ShootPages(s, "FigStyles_FromFile");
        ClickButton(s, IDOK);
        ClickButton(s, IDCANCEL);
    });
    const int index = fx.doc.m_figStyles.FindByName("A rather long picture file t 1");
    ASSERT_GE(index, 0);
    EXPECT_TRUE(fx.doc.m_figStyles.GetAt(index)->m_props.HasGraphic());
}

// Three text boxes: the spin runs 1 to 3, bold on box 2 writes only box 2's
// prefix, and the text typed there becomes the second section.
TEST_F(FigSourcesTest, BoxModeFormatsAndTextsOneBox)
{
    CFigure* rows = AddRowsFigure();
    fx.doc.Select(rows);
    Save();
    RunProps(false, [&](CFTabSheet& s) {
        ShowPage(s, "Text");
        auto* spin = Item<QSpinBox>(s, CFTabText::IDC_BOX_SPIN);
        EXPECT_EQ(spin->maximum(), 3);
        spin->setFocus();
        QTest::keyClick(spin, Qt::Key_Up);
        EXPECT_EQ(static_cast<CFTabText*>(s.ActivePage())->CurrentBox(), 1);
        Click(Item(s, CFTabText::IDC_BOLD));
        TypeInto(Item(s, CFTabText::IDC_TEXT), "Two");
        ShootPages(s, "FigProps_BoxMode");
        ClickButton(s, IDOK);
    });
    std::string box0, box1, box2;
    ExtractSubStringByDelim(rows->m_strSecondText, "\\sect ", 0, box0);
    ExtractSubStringByDelim(rows->m_strSecondText, "\\sect ", 1, box1);
    ExtractSubStringByDelim(rows->m_strSecondText, "\\sect ", 2, box2);
    EXPECT_EQ(box0, "");
    EXPECT_NE(box1.find("\\b"), std::string::npos) << rows->m_strSecondText;
    EXPECT_EQ(box2, "");
    EXPECT_EQ(rows->m_props.m_font.m_lf.lfWeight, CFigProps().m_font.m_lf.lfWeight);
    EXPECT_EQ(rows->m_strText, "One\\sect Two");
    ExpectOneStepBackToSaved();
}

// A right click on a figure's third text box opens its Text page on that box.
TEST_F(FigSourcesTest, TextPageOpensOnTheBoxRightClicked)
{
    CMainFrame frame;
    CKavoView* view = ShowInFrame(frame);
    CFigure* rows = AddRowsFigure();
    GetContextMenuSeams().showMenu = [](const ContextMenu&, const CPoint&) {};
    ShowContextMenu(*view, view->LogicalPtToClient(CPoint(512, 1450)));
    ASSERT_TRUE(rows->m_bSelected);
    bool shown = false;
    WhenModalShows<CFPTabSheet>([&](CFPTabSheet& s) {
        shown = true;
        ShowPage(s, "Text");
        EXPECT_EQ(static_cast<CFTabText*>(s.ActivePage())->CurrentBox(), 2);
        ClickButton(s, IDCANCEL);
    });
    RunFigPropSheet(fx.doc, false, &frame);
    ResetContextMenuSeams();
    EXPECT_TRUE(shown);
}

// Hidden shows and sets the bit of the box shown; a font size outside 4 to
// 128 is refused with message 644 and keeps the sheet open.
TEST_F(FigSourcesTest, HiddenFollowsTheBoxAndSizesAreChecked)
{
    CFigure* rows = AddRowsFigure(4);   // the third box hidden
    fx.doc.Select(rows);
    Save();
    RunProps(false, [&](CFTabSheet& s) {
        ShowPage(s, "Text");
        auto* hidden = Item<QCheckBox>(s, CFTabText::IDC_HIDDEN);
        EXPECT_FALSE(hidden->isChecked());
        auto* spin = Item<QSpinBox>(s, CFTabText::IDC_BOX_SPIN);
        spin->setFocus();
        QTest::keyClick(spin, Qt::Key_Up);
        Click(hidden);
        QTest::keyClick(spin, Qt::Key_Up);
        EXPECT_TRUE(hidden->isChecked());
        auto* size = Item<QComboBox>(s, CFTabText::IDC_SIZE);
        TypeInto(size, "200");
        ClickButton(s, IDOK);
        ASSERT_EQ(prompt.shown.size(), 1u);
        EXPECT_EQ(prompt.shown[0].text, "Enter a valid font size between 4 and 128");
        EXPECT_TRUE(s.isVisible());
        TypeInto(size, "12");
        ClickButton(s, IDOK);
    });
    EXPECT_EQ(rows->m_props.HideText, 6);
}

// A text past 4095 characters is refused with "Text is too long" and keeps
// the sheet open on the Text page.
TEST_F(FigSourcesTest, TooLongTextIsRefused)
{
    fx.doc.Select(a);
    Save();
    const int result = RunProps(false, [&](CFTabSheet& s) {
        ShowPage(s, "Text");
        QGuiApplication::clipboard()->setText(QString(4100, 'x'));
        auto* edit = Item<QPlainTextEdit>(s, CFTabText::IDC_TEXT);
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        ClickButton(s, IDOK);
        ASSERT_TRUE(s.isVisible());
        ASSERT_FALSE(prompt.shown.empty());
        EXPECT_EQ(prompt.shown.back().text, "Text is too long");
        ClickButton(s, IDCANCEL);
    });
    QGuiApplication::clipboard()->clear();
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(Text(), saved);
}

// The font dialog works in screen pixels; the figure keeps points: 14
// points chosen come back as 14.
TEST_F(FigSourcesTest, FontDialogRoundTripsPoints)
{
    fx.doc.Select(a);
    Save();
    RunProps(false, [&](CFTabSheet& s) {
        ShowPage(s, "Text");
        WhenModalShows<CNoColorFontDialog>([](CNoColorFontDialog& dlg) {
            QFont font = dlg.currentFont();
            font.setPointSize(14);
            dlg.setCurrentFont(font);
            QTest::mouseClick(dlg.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
        });
        ClickItem(s, CFTabText::IDC_FONT_DIALOG);
        EXPECT_EQ(qobject_cast<QComboBox*>(Item(s, CFTabText::IDC_SIZE))->currentText(), "14");
        ClickButton(s, IDOK);
    });
    EXPECT_EQ(a->m_props.m_font.m_lf.lfHeight, -14);
    ExpectOneStepBackToSaved();
}

// The width list's entries set the border width, shown in the number field.
TEST_F(FigSourcesTest, BorderWidthListSetsTheWidth)
{
    fx.doc.Select(a);
    Save();
    RunProps(false, [&](CFTabSheet& s) {
        ShowPage(s, "General");
        auto* list = Item<CLineWidthButton>(s, CFTabGeneral::IDC_WIDTH_LIST);
        ASSERT_NE(list, nullptr);
        QTest::mousePress(list, Qt::LeftButton, {}, QPoint(5, 5));
        ASSERT_TRUE(list->Popup() && list->Popup()->isVisible());
        const QPoint at = list->Popup()->ItemRect(kPaletteFirstId + 3).center();
        QTest::mouseMove(list->Popup(), at);
        QTest::mouseClick(list->Popup(), Qt::LeftButton, {}, at);
        EXPECT_EQ(Item<CNumEdit>(s, CFTabGeneral::IDC_BORDER_WIDTH)->text(), "5");
        ClickButton(s, IDOK);
    });
    EXPECT_EQ(a->m_props.BorderWidth, 5);
    EXPECT_NE(b->m_props.BorderWidth, 5);
    ExpectOneStepBackToSaved();
}

// Help and F1 open the topic of the sheet's kind.
TEST_F(FigSourcesTest, HelpOpensTheTopicOfTheSheet)
{
    std::vector<uint32_t> topics;
    SetHelpHandler([&](uint32_t context) { topics.push_back(context); });
    fx.doc.Select(a);
    RunProps(false, [&](CFTabSheet& s) {
        ClickButton(s, IDHELP);
        QTest::keyClick(&s, Qt::Key_F1);
        ClickButton(s, IDCANCEL);
    });
    CFSTabSheet styles(true, fx.doc, -1, nullptr);
    RunOpen(styles, [&](CFTabSheet& s) { ClickButton(s, IDHELP); });
    EXPECT_EQ(topics, (std::vector<uint32_t>{306, 306, 307}));
}

// The styles sheet offers the one selected figure: its size as the style's
// default size, its symbol as the style's shape and its text as the
// default text.
TEST_F(FigSourcesTest, StyleTakesSizeShapeAndTextFromTheSelectedFigure)
{
    CFigStyle bare;
    bare.m_strName = "Bare Style";
    ASSERT_TRUE(fx.doc.AddNewFigStyle(bare));
    const int style = fx.doc.m_figStyles.FindByName("Bare Style");
    fx.doc.Select(a);
    const int remind = RemindStyles;
    RemindStyles = 1;
    // The hint comes first; its box turns it off for good. The sheet
    // follows once it is closed.
    auto work = [&](CFSTabSheet& s) {
        ShowPage(s, "General");
        ClickItem(s, CFTabGeneral::IDC_SIZE_FROM_SELECTED);
        EXPECT_EQ(Item<CNumEdit>(s, CFTabGeneral::IDC_WIDTH)->text(), "2 in");
        ClickItem(s, CFTabGeneral::IDC_FROM_SELECTED);
        ShowPage(s, "Text");
        ClickItem(s, CFTabText::IDC_FROM_SELECTED);
        EXPECT_EQ(Item<QPlainTextEdit>(s, CFTabText::IDC_TEXT)->toPlainText(), "Alpha");
        ShowPage(s, "Fill");
        Click(Item(s, CFTabFill::IDC_LINEAR));
        auto* angles = Item<CTextDropButton>(s, CFTabFill::IDC_ANGLE_LIST);
        QTest::mousePress(angles, Qt::LeftButton, {}, QPoint(5, 5));
        ASSERT_TRUE(angles->Popup() && angles->Popup()->isVisible());
        const QPoint at = angles->Popup()->ItemRect(kPaletteFirstId + 2).center();
        QTest::mouseMove(angles->Popup(), at);
        QTest::mouseClick(angles->Popup(), Qt::LeftButton, {}, at);
        EXPECT_EQ(Item<CNumEdit>(s, CFTabFill::IDC_ANGLE)->text(), "90");
        ShootPages(s, "FigStyles_FromSelected");
        ClickButton(s, IDOK);
        ClickButton(s, IDCANCEL);
    };
    WhenModalShows<CHintDlg>([work](CHintDlg& hint) {
        WhenModalShows<CFSTabSheet>(work);
        QTest::mouseClick(hint.findChild<QCheckBox*>(), Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseClick(GetDlgItem(&hint, IDOK), Qt::LeftButton);
    });
    RunFigStyleSheet(fx.doc, false, style, nullptr);
    EXPECT_EQ(RemindStyles, 0);
    RemindStyles = remind;
    const CFigStyle* s = fx.doc.m_figStyles.GetAt(style);
    EXPECT_EQ(s->Width, 512);
    EXPECT_EQ(s->Height, 256);
    EXPECT_EQ(s->m_props.Symbol, fx.boxSymbol);
    EXPECT_EQ(s->DefaultText, "Alpha");
    EXPECT_EQ(s->m_props.m_fill.m_nKind, 2);
    EXPECT_EQ(s->m_props.m_fill.m_nAngle, 90);
}

// Binding a figure whose look differs from its style asks; Yes gives it
// the style's look, so that OK changes the fill to the style's.
TEST_F(FigSourcesTest, BindingADifferentFigureOffersTheStylesLook)
{
    CFigStyle green;
    green.m_strName = "Green";
    green.m_props.Symbol = fx.boxSymbol;
    green.m_props.m_fill.m_crColor1 = 0x00FF00;
    ASSERT_TRUE(fx.doc.AddNewFigStyle(green));
    a->m_nStyle = fx.doc.m_figStyles.FindByName("Green");
    a->m_props.BindToStyle = 0;
    fx.doc.Select(a);
    Save();
    prompt.QueueAnswer(IDYES);
    RunProps(false, [&](CFTabSheet& s) {
        ShowPage(s, "General");
        Click(Item(s, CFTabGeneral::IDC_BIND));
        ASSERT_FALSE(prompt.shown.empty());
        EXPECT_EQ(prompt.shown.back().text.rfind("The properties for this object differ from the base style.", 0), 0u);
        ClickButton(s, IDOK);
    });
    EXPECT_EQ(a->m_props.BindToStyle, 1);
    EXPECT_EQ(a->m_props.m_fill.m_crColor1, 0x00FF00u);
    ExpectOneStepBackToSaved(true);
}

// One figure's sheet opens beside the figure, not over it.
TEST_F(FigSourcesTest, PropertiesOpenBesideTheFigure)
{
    CMainFrame frame;
    CKavoView* view = ShowInFrame(frame);
    fx.doc.Select(a);
    ASSERT_EQ(GetActiveKavoView(), view);
    const CRect client = view->LogicalRectToClient(a->m_rect);
    const QRect figure(view->viewport()->mapToGlobal(QPoint(client.left, client.top)),
                       QSize(client.Width(), client.Height()));
    bool shown = false;
    WhenModalShows<CFPTabSheet>([&](CFPTabSheet& s) {
        shown = true;
        EXPECT_FALSE(s.frameGeometry().intersects(figure));
        ClickButton(s, IDCANCEL);
    });
    RunFigPropSheet(fx.doc, false, &frame);
    EXPECT_TRUE(shown);
}

// Behind one picture figure only no fill or a solid colour can be chosen;
// the gradient controls and the presets are off. Nor does a picture take
// the text behaviours: the text groups, the expansion groups, "Keep sized
// to text" and "Automatic text scaling" are off.
TEST_F(FigSourcesTest, PictureFigureOffersOnlyNoFillOrSolid)
{
    fx.doc.Select(a);
    RunProps(false, [&](CFTabSheet& s) {
        ShowPage(s, "General");
        ChooseFileInNextDialog(WriteBitmap("pic3.bmp", 40, 20));
        ClickItem(s, CFTabGeneral::IDC_FROM_FILE);
        ClickButton(s, IDOK);
    });
    ASSERT_TRUE(a->HasPicture());
    RunProps(false, [&](CFTabSheet& s) {
        ShowPage(s, "Fill");
        const struct {
            int id;
            bool enabled;
        } items[] = {
            {CFTabFill::IDC_NO_FILL, true},     {CFTabFill::IDC_SOLID, true},    {CFTabFill::IDC_FILL_COLOR, true},
            {CFTabFill::IDC_LINEAR, false},     {CFTabFill::IDC_ELLIPTICAL, false}, {CFTabFill::IDC_TO, false},
            {CFTabFill::IDC_GAMMA, false},      {CFTabFill::IDC_PRESETS, false}, {CFTabFill::IDC_BELL, false},
        };
        for (const auto& item : items)
            EXPECT_EQ(Item(s, item.id)->isEnabled(), item.enabled) << item.id;
        ShowPage(s, "Behaviors");
        for (int id : {CFTabBehaviors::IDC_PREVENT, CFTabBehaviors::IDC_EXPAND_V, CFTabBehaviors::IDC_RIGHT,
                       CFTabBehaviors::IDC_DOWN})
            EXPECT_FALSE(Item(s, id)->isEnabled()) << id;
        auto* list = Item<CCheckListCtrl>(s, CFTabBehaviors::IDC_CHECKS);
        for (int i = 0; i < CFTabBehaviors::kItems; ++i)
            EXPECT_EQ(list->IsItemEnabled(i), i != 8 && i != 10) << i;
        s.reject();
    });
}
