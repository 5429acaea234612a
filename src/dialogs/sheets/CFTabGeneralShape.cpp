// The General page's shape sources: a symbol from the gallery, a picture
// from a file, the clipboard or the object selected when the styles sheet
// opened, and a style's default size from that object. Each works on the
// sheet's working copy and flags every property it altered, so that Apply
// writes exactly the new shape.
#include "dialogs/sheets/CFTabGeneral.h"

#include "core/NumericHelpers.h"
#include "dialogs/CPictureFileDialog.h"
#include "dialogs/sheets/CFTabSheet.h"
#include "dialogs/sheets/StyleNames.h"
#include "dialogs/symbols/SymbolGalleryDlg.h"
#include "document/CKavoDoc.h"
#include "document/FigPropValues.h"
#include "editing/ui/PictureClipboardUi.h"
#include "platform/Ansi.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"
#include "platform/SysColors.h"
#include "render/InsertGraphic.h"
#include "render/PictureClipboard.h"
#include "render/PictureImport.h"
#include "shapes/CFigStyle.h"
#include "shapes/CFigStylesLibrary.h"
#include "shapes/CFigSymbol.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QPushButton>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {
constexpr UINT IDS_FIG_STYLE = 510;
// Width and height snap requests of the high word; a symbol of fixed aspect
// is sized like a picture and does not snap.
constexpr DWORD kHighSnapWidth = 128, kHighSnapHeight = 64;

std::string SymbolName(const CKavoDoc& doc, int index)
{
    const CFigSymbol* s = doc.m_figSymbols.GetAt(index);
    return s ? s->m_strName : std::string();
}

} // namespace

void CFTabGeneral::EnableShapeButtons()
{
    const FigSheetData& d = D();
    if (m_sizeFromSelected)
        m_sizeFromSelected->setEnabled(d.sample.present && !d.IsAll());
    if (!m_fromGallery)
        return;
    const bool entry = !d.IsAll();
    m_fromGallery->setEnabled(entry);
    m_fromFile->setEnabled(entry);
    m_fromClipboard->setEnabled(entry && ClipboardHasPicture(0));
    if (m_fromSelected)
        m_fromSelected->setEnabled(entry && d.sample.present && (d.sample.symbol > 1 || d.sample.graphic));
}

void CFTabGeneral::ShapeChanged(const CFigProps& before, double width, double height)
{
    FigSheetData& d = D();
    CFigPropMask diff;
    diff.SetDiff(before, d.props);
    d.mask.CFigPropMask::OrWith(diff);
    d.mask.m_bShape = 1;
    if (d.width != width)
        d.mask.m_bSheet[kSheetWidth] = 1;
    if (d.height != height)
        d.mask.m_bSheet[kSheetHeight] = 1;
    UpdateData(false);
    Sheet()->RedrawPreview();
    Changed();
}

void CFTabGeneral::OnSymbolFromGallery()
{
    const FigSheetData& d = D();
    CFigSymbol chosen;
    const std::string start = d.props.HasGraphic() ? std::string() : SymbolName(*d.doc, d.props.Symbol);
    if (!RunFigureSymbolGallery(this, start, chosen))
        return;
    TakeSymbol(chosen);
}

void CFTabGeneral::TakeSymbol(const CFigSymbol& chosen)
{
    FigSheetData& d = D();
    CKavoDoc& doc = *d.doc;
    const int index = doc.m_figSymbols.AddOrReplace(&chosen);
    const CFigSymbol* symbol = doc.m_figSymbols.GetAt(index);
    if (index < 0 || !symbol)
        return;
    const CFigProps before = d.props;
    const double width = d.width, height = d.height;
    const std::string previous = before.HasGraphic() ? std::string() : SymbolName(doc, before.Symbol);
    Sheet()->ReleaseHeldPicture();
    const bool wasPicture = before.m_nGraphicType || before.Graphic;
    if (wasPicture) {
        // A picture figure starts over as a plain symbol figure.
        CFigProps fresh;
        SetSymbolFigFlags(fresh.Behavior);
        d.props = fresh;
    }
    d.props.Symbol = index;
    d.props.Icon = -1;
    // The symbol shows filled; a symbol figure keeps a fill it has.
    if (wasPicture || d.props.m_fill.m_nKind == 0) {
        d.props.m_fill.m_nKind = 1;
        d.props.m_fill.m_crColor1 = GetSysColor(COLOR_BTNFACE);
    }
    d.props.InitForSymbol(symbol);
    // Several objects keep each its own size.
    if (!d.several && symbol->Width > 0 && symbol->Height > 0) {
        const bool hadNoSymbol = previous.empty() || previous == "null";
        if (hadNoSymbol || symbol->FixedAspect) {
            d.width = symbol->Width;
            d.height = symbol->Height;
        } else if (d.width > 0 && d.height > 0) {
            int w = 0, h = 0;
            if (FitSizeKeepAspect(int(std::lround(d.width)), int(std::lround(d.height)), symbol->Width,
                                  symbol->Height, w, h, 1)) {
                d.width = w;
                d.height = h;
            }
        }
    }
    const bool fixed = symbol->FixedAspect != 0;
    SetFlagBits(d.props.Behavior, 0, kHighSnapWidth | kHighSnapHeight, !fixed);
    SetFlagBits(d.props.Behavior, kFigFlagPictureSymbol, 0, fixed);
    d.conPts.CopyFrom(symbol->m_conPts);
    d.mask.m_bSheet[kSheetConPts] = 1;
    ShapeChanged(before, width, height);
}

void CFTabGeneral::OnGraphicFromFile()
{
    ImportedGraphic picture;
    const ImportResult result = ImportGraphicFile(MakeImportDialog(this), picture);
    if (result == ImportResult::Cancelled)
        return;
    if (result == ImportResult::Failed) {
        ReportFailedImport(picture, false);
        return;
    }
    TakePicture(picture.handle, picture.kind, picture.width, picture.height);
    NameStyleAfterFile(picture.path);
}

void CFTabGeneral::OnGraphicFromClipboard()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data)
        return;
    // A bitmap is preferred over a metafile.
    const std::vector<int> formats = PictureFormatsOf(data);
    int format = 0;
    for (int wanted : {CF_DIB, CF_ENHMETAFILE})
        if (!format && std::find(formats.begin(), formats.end(), wanted) != formats.end())
            format = wanted;
    std::vector<BYTE> bytes;
    if (!format || !PictureBytesOf(data, format, bytes))
        return;
    int kind = 0, width = 0, height = 0;
    if (HGLOBAL picture = GetGraphicFromClipboard(format, bytes.data(), bytes.size(), kind, width, height))
        TakePicture(picture, kind, width, height);
}

void CFTabGeneral::TakePicture(HGLOBAL picture, int kind, int width, int height, bool takeSize)
{
    FigSheetData& d = D();
    const CFigProps before = d.props;
    const double oldWidth = d.width, oldHeight = d.height;
    if (takeSize)
        d.width = d.height = 0;
    Sheet()->HoldPicture(picture);
    d.props.Graphic = picture;
    d.props.m_nGraphicType = kind;
    d.props.Symbol = 0;
    d.props.Icon = -1;
    SetPictureFigFlags(d.props.Behavior);
    if (before.m_fill.m_nKind == 0)
        d.props.ClearFill();
    if (d.several) {
        // Several objects keep each its own size.
    } else if (d.width <= 0 || d.height <= 0) {
        d.width = width;
        d.height = height;
    } else {
        int w = 0, h = 0;
        FitSizeKeepAspect(int(std::lround(d.width)), int(std::lround(d.height)), width, height, w, h, 1);
        if (w > 0 && h > 0) {
            d.width = w;
            d.height = h;
        }
    }
    ShapeChanged(before, oldWidth, oldHeight);
}

void CFTabGeneral::NameStyleAfterFile(const QString& path)
{
    FigSheetData& d = D();
    const char* base = FindResString(IDS_FIG_STYLE);
    if (d.variant != kFigSheetStyles || d.label || d.IsAll() || !base || d.name.rfind(base, 0) != 0)
        return;
    const std::string title = QStringToAnsi(QFileInfo(path).completeBaseName());
    if (title.empty())
        return;
    const CFigStylesLibrary& lib = d.doc->m_figStyles;
    const std::string name = ProposeUniqueStyleName(
        title, [&lib](const std::string& n) { return lib.FindByName(n) >= 0; });
    if (d.doc->RenameFigStyle(d.style, name) != 1)
        return;
    d.name = name;
    Sheet()->RefillStyleList();
}

void CFTabGeneral::OnGraphicFromSelected()
{
    FigSheetData& d = D();
    const FigSheetSample& sample = d.sample;
    if (!sample.present)
        return;
    if (sample.graphic) {
        HGLOBAL copy = GlobalDuplicate(sample.graphic);
        if (!copy)
            return;
        TakePicture(copy, sample.graphicType, sample.width, sample.height, true);
        return;
    }
    if (sample.symbol <= 1)
        return;
    const CFigProps before = d.props;
    Sheet()->ReleaseHeldPicture();
    d.props.Graphic = nullptr;
    d.props.m_nGraphicType = 0;
    d.props.Symbol = sample.symbol;
    ShapeChanged(before, d.width, d.height);
}

void CFTabGeneral::OnSizeFromSelected()
{
    FigSheetData& d = D();
    if (!d.sample.present)
        return;
    d.width = d.sample.width;
    d.height = d.sample.height;
    d.mask.m_bSheet[kSheetWidth] = d.mask.m_bSheet[kSheetHeight] = 1;
    UpdateData(false);
    Sheet()->RedrawPreview();
    Changed();
}
