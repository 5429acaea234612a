#pragma once
// The two loaders that bring styles from another file into the open diagram:
// Copy Styles From (CStyleCopyLoadObj: pictures, symbols and styles, a known
// name replaced only when the user agrees) and template variants
// (CVariantLoadObj: keys that change styles the diagram already has, and the
// symbols the diagram lacks).
#include "fileformat/CDiagramLoadObj.h"
#include "keyword/COverwriteQuestion.h"

#include <string>

class CStyleCopyLoadObj : public CDiagramLoadObj {
public:
    explicit CStyleCopyLoadObj(CKavoDoc* doc);

protected:
    int HandleTopLevelLine(const char* p) override;
    int BeginNamedRecord(int blockType, const std::string& name) override;
    int EndFigureSymbol() override;
    int EndEndSymbol() override;
    int EndFigureStyle() override;
    int EndConnectorStyle() override;

private:
    // Whether a known entry is replaced: asks "Update?" (the "All"/"None"
    // answers last until the end of this load; closing the question keeps
    // the entry). kindId: the string naming the kind.
    bool Replace(UINT kindId, const std::string& name);
    COverwriteQuestion m_question;
};

class CVariantLoadObj : public CDiagramLoadObj {
public:
    explicit CVariantLoadObj(CKavoDoc* doc);

protected:
    int HandleTopLevelLine(const char* p) override;
    int BeginIdRecord(int blockType, long long id) override;
    int BeginNamedRecord(int blockType, const std::string& name) override;
    int BeginPlainRecord(int blockType) override;
    int EndFigureSymbol() override;
    int EndEndSymbol() override;
    int EndFigureStyle() override;
    int EndConnectorStyle() override;
};

// Copy Styles From `path` into the diagram (style-import mode, the file not
// held); whether it loaded.
bool CopyStylesFrom(CKavoDoc& doc, const std::string& path);
// The Copy Styles From command once a file is chosen: closes the text
// editor, loads the file's styles and brings the style menus, buttons and
// style bar in line; whether it loaded.
bool RunCopyStylesFrom(CKavoDoc& doc, const std::string& path);
// Applies a template variant file; whether it loaded.
bool ApplyVariantFile(CKavoDoc& doc, const std::string& path);
