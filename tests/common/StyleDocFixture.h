#pragma once
// A diagram with figure, label and connector styles in a few categories, for
// the style pickers and the style-choice dialogs. Every style is in its menu;
// the style-bar flags are as given.
#include "common/DiagramFixture.h"
#include "shapes/CConProps.h"

#include <string>

struct StyleDocFixture : DiagramFixture {
    StyleDocFixture()
    {
        // The new document's own label style "null" stays at index 0.
        AddFig("Router", "Network", "Forwards packets between networks", 1);
        AddFig("Switch", "Network", "", 1);
        AddFig("Process", "Flow", "A step of the process", 0);
        AddFig("Decision", "Flow", "", 0);
        AddFig("Plain box", "", "No category at all", 0);
        AddLabel("Label", "Text");
        AddLabel("Note", "Remember");
        AddCon("Ethernet", "Network");
        AddCon("Solid Arrow", "");
        doc.UpdateStyleMenusAndButtons(nullptr);
        doc.InitStyleMenus();
    }
    int AddFig(const std::string& name, const std::string& category, const std::string& description, int onBar,
               COLORREF fill = 0xC0FFC0)
    {
        CFigProps props;
        props.Symbol = boxSymbol;
        props.m_fill.m_nKind = 1;
        props.m_fill.m_crColor1 = fill;
        doc.m_figStyles.AddFigStyle(&props, name, onBar, 1, 0, description, category, 256, 172, name, "", nullptr,
                                    0, "");
        doc.m_figStyles.SetChanged();
        return doc.m_figStyles.FindByName(name);
    }
    int AddLabel(const std::string& name, const std::string& text)
    {
        CFigProps props;
        props.Symbol = 1;
        props.m_fill.m_nKind = 0;
        doc.m_figStyles.AddFigStyle(&props, name, 1, 1, 1, "", "", 256, 64, text, "", nullptr, 0, "");
        return doc.m_figStyles.FindByName(name);
    }
    int AddCon(const std::string& name, const std::string& category)
    {
        CConProps props;
        props.LineWidth = 2;
        doc.m_conStyles.AddConStyle(&props, name, 1, 1, "", category, 0, "", 0, 0, 0, 0);
        return doc.m_conStyles.FindByName(name);
    }
    int Fig(const char* name) const { return doc.m_figStyles.FindByName(name); }
    int Con(const char* name) const { return doc.m_conStyles.FindByName(name); }
};
