#pragma once
// The zoom settings: the six zoom presets (10 to 1000 %) and the screen height
// that calibrates 100 % zoom, shown in the user's unit. The caller fills the
// members, runs DoModal and on IDOK takes them back; nothing else is touched.
#include "platform/ui/CDialog.h"

class QLineEdit;

class CZoomIntervalsDlg : public CDialog {
    Q_OBJECT
public:
    explicit CZoomIntervalsDlg(QWidget* parent = nullptr);
    int m_zoom[6] = {};
    double m_screenHeight = 9.0;   // inches

    static constexpr int kFirstPresetId = 3012;
    static constexpr int kScreenHeightId = 2133;

protected:
    void OnInitDialog() override;
    // Refuses a preset or a screen height out of range, with its message.
    void OnOK() override;

private:
    QLineEdit* m_presets[6] = {};
    QLineEdit* m_height = nullptr;
};

// Runs the zoom settings over the program's values: the presets are stored
// sorted ascending, the settings saved. True when the presets or the screen
// height changed (*presetsChanged tells which).
bool RunZoomIntervalsDialog(QWidget* parent, bool* presetsChanged);
