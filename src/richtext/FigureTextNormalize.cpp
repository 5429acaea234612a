#include "richtext/FigureTextNormalize.h"

#include "document/CFigure.h"
#include "richtext/FigureTextFit.h"
#include "richtext/MarkupBuilder.h"

bool NormalizeFigureText(CFigure& fig, std::string& text)
{
    const std::string sep = CFigure::kSectionSeparator;
    std::string out;
    size_t start = 0;
    for (int section = 0;; ++section) {
        const size_t end = text.find(sep, start);
        std::string piece = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        const TextFormatRec format = FigureSectionFormat(fig, section);
        if (!NormalizeMarkup(piece, &format, int(CFigure::kMaxText), true))
            return false;
        out += piece;
        if (end == std::string::npos)
            break;
        out += sep;
        start = end + sep.size();
    }
    if (out.size() > CFigure::kMaxText)
        return false;
    text = std::move(out);
    return true;
}
