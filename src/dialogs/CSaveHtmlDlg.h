#pragma once
// The Save HTML options: output folder, image scale, format and quality,
// background, anti-aliasing, which links to include and the page extension.
// The caller fills the options, runs DoModal, and on IDOK reads them back.
#include "platform/ui/CDialog.h"
#include "render/HtmlExport.h"

class CColorDropButton;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QSpinBox;

class CSaveHtmlDlg : public CDialog {
    Q_OBJECT
public:
    explicit CSaveHtmlDlg(QWidget* parent = nullptr);

    HtmlExportOptions m_options;

    // List index to image format and back: JPEG, GIF, PNG.
    static int FormatOfIndex(int index);
    static int IndexOfFormat(int format);

protected:
    void OnInitDialog() override;
    void OnOK() override;

private:
    void UpdateControls();
    void Browse();
    QLineEdit* m_folder;
    QSpinBox* m_scale;
    QListWidget* m_format;
    QSpinBox* m_quality;
    CColorDropButton* m_background;
    QCheckBox* m_antialias;
    QCheckBox* m_diagrams;
    QCheckBox* m_urls;
    QCheckBox* m_documents;
    QComboBox* m_extension;
};

// The modeless list of the files written, with "&View Web Page".
class CSaveHtmlResultDlg : public CDialog {
    Q_OBJECT
public:
    explicit CSaveHtmlResultDlg(QWidget* parent = nullptr);
    // The files, one a line; the page that "&View Web Page" opens (empty:
    // the button stays disabled).
    void SetResult(const std::vector<QString>& files, const QString& page);
    QString Text() const;

private:
    class QPlainTextEdit* m_list;
    class QPushButton* m_view;
    QString m_page;
};
