#pragma once
// The connector-style library edits of the styles sheet: add, delete,
// modify (one style or all of them under a change mask) and rename. Each
// clears the undo log first (the log's records refer to styles by index),
// brings the style menus and buttons up to date and marks the document
// modified; a modified style's properties reach the connectors that follow it.
#include "shapes/CConPropMask.h"
#include "shapes/CConProps.h"

#include <string>

class CKavoDoc;

// The flags of CConPropMaskEx::m_bEx for the attributes only a style has.
enum ConStyleExFlag {
    kConExDescription,
    kConExCategory,
    kConExStyleBar,
    kConExDropMenu,
    kConExAutoLabel,
    kConExLabelText,
    kConExStamp,
    kConExStampLength,
    kConExStampAngle,
};

struct ConStyleValues {
    CConProps props;
    std::string name;
    std::string description;
    std::string category;
    int hasButton = 0;
    int inMenu = 0;
    int autoLabel = 0;
    std::string labelText;
    int labelPosition = 1;
    int stamp = 0;
    int stampLength = 0;
    int stampAngle = 90;
};

// 1 added as the last style; 0 after the message "Unable to add another
// connector style".
int AddConStyle(CKavoDoc& doc, const ConStyleValues& values);
// Connectors of the style lose it; later indexes move down. False when the
// library refused.
bool DeleteConStyle(CKavoDoc& doc, int index);
// Every value of the style (texts cut to their fields) but its name.
void ModifyConStyle(CKavoDoc& doc, int index, const ConStyleValues& values);
// The flagged category, style-bar flags, description and properties into
// the style at `index`, or into every style for -3; the auto-label and stamp
// attributes stay each style's own.
void ModifyAllConStyles(CKavoDoc& doc, int index, const ConStyleValues& source, const CConPropMaskEx& mask);
// 1 when the style has the name now (also when it had it); 0 for an empty
// or too long name, a missing style or a name another style has.
int RenameConStyle(CKavoDoc& doc, int index, const std::string& name);
