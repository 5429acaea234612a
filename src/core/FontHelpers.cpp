#include "core/FontHelpers.h"

#include "platform/Ansi.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>

#include <algorithm>
#include <optional>

namespace {
constexpr LONG kMaxFontHeight = 32767;

// The family's own name: the font database adds " [maker]" to a family that
// several makers supply, which is no part of the name a diagram stores.
QString WithoutFoundry(const QString& family)
{
    const qsizetype open = family.lastIndexOf(QLatin1String(" ["));
    return open > 0 && family.endsWith(QLatin1Char(']')) ? family.left(open) : family;
}

// The family's name as a LOGFONT face, or nothing when it cannot be one.
std::optional<std::string> FaceName(const QString& family)
{
    bool ok = true;
    std::string face = QStringToAnsi(WithoutFoundry(family), &ok);
    if (!ok || face.empty() || face.size() >= size_t(LF_FACESIZE))
        return std::nullopt;
    return face;
}

LONG DefaultWeight(const QString& family)
{
    const QStringList styles = QFontDatabase::styles(family);
    int lightest = 0;
    for (const QString& style : styles) {
        const int w = QFontDatabase::weight(family, style);
        if (w > 0 && (lightest == 0 || w < lightest))
            lightest = w;
    }
    return lightest >= QFont::Bold ? FW_BOLD : FW_NORMAL;
}

// The cell height (ascent + descent) in pixels of `font`.
int CellHeight(const QFont& font)
{
    return QFontMetrics(font).height();
}
} // namespace

std::vector<std::string> GetDisplayFontFamilies()
{
    std::vector<std::string> names;
    for (const QString& family : QFontDatabase::families()) {
        auto face = FaceName(family);
        if (face && std::find(names.begin(), names.end(), *face) == names.end())
            names.push_back(*face);
    }
    return names;
}

bool GetFontLogFont(const std::string& face, LOGFONT& lf)
{
    const QString wanted = AnsiToQString(face);
    for (const QString& family : QFontDatabase::families()) {
        if (WithoutFoundry(family).compare(wanted, Qt::CaseInsensitive) != 0)
            continue;
        const auto name = FaceName(family);
        if (!name)
            return false;
        LOGFONT out;
        QFont font(family);
        out.lfHeight = CellHeight(font);
        out.lfWeight = DefaultWeight(family);
        const bool symbol =
            QFontDatabase::writingSystems(family).contains(QFontDatabase::Symbol);
        out.lfCharSet = symbol ? SYMBOL_CHARSET : ANSI_CHARSET;
        out.lfOutPrecision = QFontDatabase::isSmoothlyScalable(family) ? OUT_TT_PRECIS
                                                                       : OUT_DEFAULT_PRECIS;
        out.lfPitchAndFamily = QFontDatabase::isFixedPitch(family)
                                   ? BYTE(FIXED_PITCH | FF_MODERN)
                                   : BYTE(VARIABLE_PITCH | FF_DONTCARE);
        SetLogFontFace(out, name->c_str());
        lf = out;
        return true;
    }
    return false;
}

void FontHeightToCellHeight(LONG& height)
{
    if (height <= 0 || height > kMaxFontHeight)
        return;
    // Qt sizes a font by its em (character) height; a positive lfHeight is the
    // cell height. Measure at em = height, then scale to the wanted cell.
    QFont font = QGuiApplication::font();
    font.setPixelSize(int(height));
    const QFontMetrics metrics(font);
    const int cell = metrics.height();
    if (cell <= 0)
        return;
    const int em = MulDiv(height, height, cell);
    const int internalLeading = height - em;
    const int externalLeading = MulDiv(std::max(metrics.leading(), 0), height, cell);
    height = externalLeading + internalLeading - height;
}
