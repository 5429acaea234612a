#pragma once
// Page Setup: paper and orientation on the diagram's printer, the page size
// that follows (shown, not edited), the four margins within what the paper
// allows, the poster tiling in rows and columns, and crop marks. The caller
// fills the members, runs DoModal and on IDOK takes them back.
#include "controls/CNumEdit.h"
#include "platform/GlobalMem.h"
#include "platform/ui/CDialog.h"

class CPageSampleButton;
class QCheckBox;
class QComboBox;
class QRadioButton;

class CPageDlg : public CDialog, public INumEditOwner {
    Q_OBJECT
public:
    explicit CPageDlg(QWidget* parent = nullptr);
    ~CPageDlg() override;

    static constexpr int kWidthId = 2710, kHeightId = 2711, kTopId = 2712, kBottomId = 2714, kLeftId = 2716,
                         kRightId = 2718, kRowsId = 2302, kColsId = 2303, kPaperId = 2670, kSampleId = 1010,
                         kCropMarksId = 2306, kPortraitId = 2706, kLandscapeId = 2707;
    enum Margin { kTop, kBottom, kLeft, kRight };

    int m_nRows = 1, m_nCols = 1;
    int m_nMaxRows = 6, m_nMaxCols = 6;
    int m_nPrintW = 0, m_nPrintH = 0;
    // Copies the dialog owns and frees.
    HGLOBAL m_hDevMode = nullptr, m_hDevNames = nullptr;
    int m_nOrientation = 1;
    int m_nPaperId = 1;
    double m_fPageW = 2176, m_fPageH = 2816;
    double m_fMargin[4] = {128, 128, 128, 128};
    double m_fMarginMin[4] = {}, m_fMarginMax[4] = {};
    int m_bCropMarks = 1;

    bool UpdateData(bool save) override;
    // Paper and printable size for the paper, orientation and printer, and
    // everything that follows from them.
    void RecomputePage();

protected:
    void OnInitDialog() override;
    void OnOK() override;
    bool event(QEvent* event) override;

private:
    void BindFields();
    void FillPaperCombo();
    void OnPaperChosen(int index);
    void OnOrientation();
    void SetMarginRanges(int paperW, int paperH, int printW, int printH);
    void UpdateSample();
    CNumEdit* Field(int id) const;

    QComboBox* m_paper = nullptr;
    CPageSampleButton* m_sample = nullptr;
    QRadioButton* m_portrait = nullptr;
    QRadioButton* m_landscape = nullptr;
    QCheckBox* m_cropMarks = nullptr;
    int m_nRowsLimit = 6, m_nColsLimit = 6;
};
