#pragma once
#include "core/AppContext.h"

#include <string>

class CMainFrame;

// What the model asks of the frame: the active document and view, the
// status text, redrawing every document.
class CFrameAppContext : public IAppContext {
public:
    explicit CFrameAppContext(CMainFrame& frame) : m_frame(frame) {}
    IActiveDocument* GetActiveDocument() override;
    IActiveView* GetActiveView() override;
    void UpdateAllDocuments() override;
    bool SelectStyleBarCommand(int id) override;
    void SetStatusBarText(const std::string& text) override;
    bool GetMainWindowRect(CRect& rc) override;

private:
    CMainFrame& m_frame;
};

