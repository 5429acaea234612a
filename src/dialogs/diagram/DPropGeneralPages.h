#pragma once
// The General, Grid and Snap, and Labels pages of Diagram Properties.
#include "dialogs/diagram/DPropPage.h"

class CCheckListCtrl;
class CKavoDoc;
class QCheckBox;
class QComboBox;

class CDPropGeneral : public CDPropPage {
    Q_OBJECT
public:
    explicit CDPropGeneral(DiagramProps& values, QWidget* parent = nullptr);
    static constexpr int kOptionsId = 2618;
    void LoadPage() override;
    bool StorePage() override;

private:
    CCheckListCtrl* m_list;
    // The full-colour item is left out while the program shows full colour
    // anyway; the flag then stays as the diagram has it.
    bool m_bFullColorListed = false;
};

class CDPropGrid : public CDPropPage {
    Q_OBJECT
public:
    explicit CDPropGrid(DiagramProps& values, QWidget* parent = nullptr);
    static constexpr int kShowGridId = 1228, kGridSpacingId = 2143, kSnapId = 1230, kSnapSpacingId = 2131;
    void LoadPage() override;
    bool StorePage() override;

private:
    void Enable();
    QCheckBox* m_showGrid;
    QCheckBox* m_snap;
    QComboBox* m_grid;
    QComboBox* m_snapSpacing;
    // A spacing is read back only once the user changed its box, so that an
    // untouched value that is no preset stays what it was.
    bool m_gridDirty = false, m_snapDirty = false;
};

class CDPropLabels : public CDPropPage {
    Q_OBJECT
public:
    CDPropLabels(DiagramProps& values, const CKavoDoc& doc, QWidget* parent = nullptr);
    static constexpr int kFigLabelId = 2620, kConLabelId = 2621, kFlowLabelId = 2638, kPositionId = 2669;
    // The pictures of a figure, a connector and a flow label beside their boxes.
    static constexpr int kFigPictureId = 2656, kConPictureId = 2654, kFlowPictureId = 2655;
    void LoadPage() override;
    bool StorePage() override;

private:
    QComboBox* m_styles[3];
    QComboBox* m_position;
};
