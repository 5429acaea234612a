#pragma once
// The preview loader: reads a diagram, backup or preview file only as far as
// its Preview block and keeps the unpacked picture. Errors are silent: a file
// without a readable preview simply has none.
#include "keyword/CLoadObj.h"

#include <QString>

class CPreviewLoadObj : public CLoadObj {
public:
    ~CPreviewLoadObj() override;
    // The preview read (the caller takes it), null until a Preview block ended.
    HGLOBAL TakePreview();

protected:
    int HandleTopLevelLine(const char* p) override;
    int EndBinaryData(int blockType, HGLOBAL data) override;
    int ReportLineError() override { return 1; }
    void ReportEndOfLoad() override {}

private:
    HGLOBAL m_hPreview = nullptr;
};

// The unpacked preview picture of a ".kvd", ".bak" or ".prv" file (any
// case), or null.
HGLOBAL LoadPreviewFromFile(const QString& path);
