#pragma once
// Graphic Export Options: the size, scale, quality, anti-aliasing,
// transparency and background of an exported picture. The caller fills the
// values, runs DoModal, and on IDOK reads them back.
#include "core/CGraphicExportData.h"
#include "platform/ui/CDialog.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QSlider;
class QSpinBox;

class CGraphicExportDlg : public CDialog, public CGraphicExportData {
    Q_OBJECT
public:
    explicit CGraphicExportDlg(QWidget* parent = nullptr);

protected:
    void OnInitDialog() override;
    // The title bar's help button opens the dialog's help page.
    bool event(QEvent* e) override;
    void OnOK() override;

private:
    void UpdateControls();
    void ShowSizes();
    void PickBackground();
    QSpinBox* m_width;
    QSpinBox* m_height;
    QSpinBox* m_scale;
    QSpinBox* m_qualityEdit;
    QSlider* m_quality;
    QLabel* m_qualityLabel;
    QCheckBox* m_antialias;
    QCheckBox* m_transparent;
    QLabel* m_backgroundLabel;
    QPushButton* m_background;
    COLORREF m_shownBackground = 0xFFFFFF;
    bool m_updating = false;
};
