#pragma once
// The Import Graphic chooser: an open dialog whose OK button reads "&Import",
// with the picture options Transparent Edges, Clean Background and Fitted
// Bounds, and a preview of the picture under the cursor as the import would
// load it with those options.
#include "fileformat/ui/CPreviewFileDialog.h"
#include "render/InsertGraphic.h"

class QCheckBox;
class QTimer;

class CPictureFileDialog : public CPreviewFileDialog {
    Q_OBJECT
public:
    CPictureFileDialog(QWidget* parent, const QString& title, const QString& folder, const QString& filter);

    static constexpr int kTranspEdgesId = 2759;
    static constexpr int kCleanBackgroundId = 2760;
    static constexpr int kFittedBoundsId = 2761;
    static constexpr int kTimerId = 6;
    static constexpr int kTimerMs = 200;

    void done(int result) override;

protected:
    bool LoadPreview(const QString& path) override;
    void showEvent(QShowEvent* event) override;

private:
    // Characters of the file type list's closed width.
    static constexpr int kTypeListChars = 32;
    void FitTypeList();
    QCheckBox* AddOption(const QString& text, int id, bool checked);
    // Transparent Edges and Clean Background are greyed and shown unticked
    // while they do not apply to the previewed file; their values are kept.
    void ShowOptionsApply(bool apply);
    void ReloadPreview();

    QCheckBox* m_pTranspEdges;
    QCheckBox* m_pCleanBackground;
    QCheckBox* m_pFittedBounds;
    bool m_bTranspEdges;
    bool m_bCleanBackground;
    bool m_bOptionsApply = true;
    QString m_strPreviewPath;
    QTimer* m_pTimer;
};

// The chooser as the Insert Graphic command asks for it.
ImportDialogFn MakeImportDialog(QWidget* parent);
