#pragma once
// Building the program folders' diagrams with the program's own document
// operations: styles, figures, connectors, labels (MakeContent.cpp).
#include "document/CKavoDoc.h"

#include <QString>

#include <string>

// Centimetres in logical units (256 an inch).
int Cm(double cm);

// The behaviour bit of a connector routed in vertical and horizontal legs.
constexpr uint32_t kGuidedOrthogonalBit = 1u << 5;
// An end fill that takes the line's colour.
constexpr COLORREF kLineColour = 0xFFFFFFFF;

struct Fill {
    COLORREF from;
    COLORREF to;   // the same as from: a flat fill
};

struct FigStyleSpec {
    const char* name;
    const char* category;
    int symbol;
    Fill fill;
    COLORREF border;
    int width;     // default size, logical units
    int height;
    const char* defaultText;
};

struct ConStyleSpec {
    const char* name;
    DWORD shape;          // line-shape bits
    bool orthogonal;
    int penStyle;
    COLORREF color;
    const char* end2;
    const char* flowStamp;   // null: no flow indicators
    const char* end1 = "null";
    COLORREF end1Fill = RGB(255, 255, 255);
    COLORREF end2Fill = kLineColour;
};

int AddFigureStyle(CKavoDoc& doc, const FigStyleSpec& spec);
// A label style: text without a frame, for connector labels and titles.
int AddLabelStyle(CKavoDoc& doc, const char* name);
int AddConnectorStyle(CKavoDoc& doc, const ConStyleSpec& spec);

CFigure* AddFigure(CKavoDoc& doc, int style, const CRect& rect, const std::string& text);
// A figure of the style's default size centred on (x, y).
CFigure* AddFigureAt(CKavoDoc& doc, int style, int x, int y, const std::string& text);
CConnector* Connect(CKavoDoc& doc, CFigure* a, CFigure* b, int style);
// A label beside the middle of the connector's first leg, stapled to it.
void LabelConnector(CKavoDoc& doc, CConnector* con, int labelStyle, const std::string& text);
// The document as the editor leaves it: connectors laid on the figures'
// outlines, style menus built.
void Finish(CKavoDoc& doc);
bool SaveTo(CKavoDoc& doc, const QString& path, std::string& error);

// The templates made of the symbol libraries' shapes (ContentTemplates.cpp):
// the UML class diagram and the swim-lane process, with their variants in
// `variants`.
bool MakeUmlClassTemplate(const QString& templates, const QString& variants, std::string& error);
bool MakeSwimLaneTemplate(const QString& templates, const QString& variants, std::string& error);
