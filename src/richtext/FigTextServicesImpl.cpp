// The rich-text services the document's property application uses
// (document/FigTextServices.h), installed by InstallRichTextHooks.
#include "richtext/FigTextServicesImpl.h"

#include "document/CFigure.h"
#include "document/FigTextServices.h"
#include "richtext/FigureTextFit.h"
#include "richtext/MarkupBuilder.h"
#include "richtext/TextFitting.h"
#include "richtext/TextUtils.h"

#include <vector>

namespace {

std::vector<int> KindsOf(unsigned attrs)
{
    std::vector<int> kinds;
    auto add = [&](unsigned bit, std::initializer_list<int> k) {
        if (attrs & bit)
            kinds.insert(kinds.end(), k);
    };
    add(kTextAttrSize, {Mk::FontSize});
    add(kTextAttrBold, {Mk::Bold});
    add(kTextAttrItalic, {Mk::Italic});
    add(kTextAttrColor, {Mk::ColorIndex});
    add(kTextAttrHAlign, {Mk::AlignLeft, Mk::AlignRight, Mk::AlignCenter});
    add(kTextAttrVAlign, {Mk::VAlignTop, Mk::VAlignBottom, Mk::VAlignCenter});
    add(kTextAttrFace, {Mk::FontWithName});
    add(kTextAttrUnderline, {Mk::Underline});
    return kinds;
}

bool RewriteMarkup(std::string& text, unsigned attrs, int limit)
{
    const std::vector<int> kinds = KindsOf(attrs);
    if (kinds.empty() || text.empty())
        return false;
    const std::string before = text;
    bool colorRemoved = false, fontRemoved = false;
    if (RemoveMarkupTokensAll(text, colorRemoved, fontRemoved, kinds)) {
        // Entries no word refers to any more leave the tables.
        if (colorRemoved)
            CompactMarkupColorTable(text, limit, false);
        if (fontRemoved)
            CompactMarkupFontTable(text, limit, false);
    }
    if (int(text.size()) > limit)
        text.resize(size_t(limit));
    return text != before;
}

bool ReflowFigText(CFigure& fig)
{
    if (!(fig.m_props.Behavior.low & kFigFlagReflowText))
        return false;
    bool any = false;
    const bool vertical = fig.m_nTextRotate == 900 || fig.m_nTextRotate == 2700;
    for (int area = 0; area < fig.GetTextAreaCount(); ++area) {
        std::string section = GetTextSection(fig.m_strText, area);
        CRect box;
        if (section.empty() || !fig.GetTextAreaRect(area, box))
            continue;
        const TextFormatRec format = FigureSectionFormat(fig, area);
        int caret = 0, selStart = 0, selEnd = 0;
        bool changed = false;
        if (!FitTextToArea(section, box, format, vertical, caret, selStart, selEnd, changed) || !changed)
            continue;
        const std::string text = ReplaceTextSection(fig.m_strText, area, section);
        if (text.size() > CFigure::kMaxText)
            continue;
        fig.m_strText = text;
        any = true;
    }
    return any;
}

bool SizeForText(const CFigure& fig, CRect& out)
{
    return CalcSizeForText(fig, out, 1, nullptr);
}

bool ResizeFigToText(CFigure& fig)
{
    return ResizeToText(fig, false, nullptr);
}

} // namespace

void InstallFigTextServices()
{
    FigTextServices& s = GetFigTextServices();
    s.rewriteMarkup = &RewriteMarkup;
    s.lineBreaksToSoft = &ConvertLineBreaksToSoft;
    s.softBreaksToLines = &ConvertSoftBreaksToLines;
    s.reflowText = &ReflowFigText;
    s.sizeForText = &SizeForText;
    s.resizeToText = &ResizeFigToText;
}
