#pragma once
// The Connections page of the figure sheets: the figure's connection points
// (picked and moved in the preview, added, deleted, named), its two
// connection switches and the document's two positioning switches.
#include "dialogs/sheets/CFigPage.h"
#include "geometry/CFltPoint.h"

class CFigPreviewWnd;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

class CFTabConnect : public CFigPage {
    Q_OBJECT
public:
    enum : int {
        IDC_PREVIEW = 1239, IDC_SPIN = 1296, IDC_COUNT = 2637, IDC_ADD = 2549, IDC_DELETE = 2550,
        IDC_NAME = 1252, IDC_REMOVE = 2556, IDC_TERMINATE = 2553, IDC_CENTER = 2555, IDC_SNAP_GRID = 2552,
        IDC_SNAP_CENTERS = 2554, IDC_NOTE = 2642,
    };
    static constexpr int kMaxPoints = 512;

    explicit CFTabConnect(CFTabSheet* sheet);
    int CurrentPoint() const { return m_current; }
    // The id of the point last current on any Connections page (0: none).
    static int LastPointId();
    static void SetLastPointId(int id);

protected:
    void OnInitPage() override;
    bool Exchange(bool save) override;
    bool event(QEvent* event) override;

private:
    // How a lane-like figure holds its points: on the vertical centre line
    // (tall), the horizontal one (wide), or freely.
    enum LaneFormKind { kNoLane, kLaneTall, kLaneWide };
    int LaneForm() const;
    void OnAdd();
    void AddPointAt(const CFltPoint& pos);
    void OnDelete();
    void PointsChanged();
    bool PageDisabled() const;

    CFigPreviewWnd* m_preview = nullptr;
    QSpinBox* m_spin = nullptr;
    QLabel* m_count = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_delete = nullptr;
    QLabel* m_nameLabel = nullptr;
    QLineEdit* m_name = nullptr;
    QCheckBox* m_remove = nullptr;
    QCheckBox* m_terminate = nullptr;
    QCheckBox* m_centre = nullptr;
    QCheckBox* m_snapGrid = nullptr;
    QCheckBox* m_snapCentres = nullptr;
    QLabel* m_note = nullptr;
    int m_current = -1;
};
