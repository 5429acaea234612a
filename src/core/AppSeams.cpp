#include "core/AppSeams.h"

namespace {
CAppSeams Defaults()
{
    CAppSeams s;
    auto none = [] {};
    s.fillChoiceTables = none;
    s.enterRememberedSelectMode = none;
    s.initDefaultLogFont = none;
    s.loadSharedBitmaps = none;
    s.createDocTemplate = none;
    s.loadCursors = none;
    s.destroyCursors = none;
    s.fillStampShapes = none;
    s.releaseSharedDrawingObjects = none;
    s.openDocumentFile = [](const std::string&) { return false; };
    s.newDocument = [] { return false; };
    s.openDocumentDialog = [] { return false; };
    s.documentCount = [] { return 0; };
    s.hasActiveDoc = [] { return false; };
    s.hasActiveView = [] { return false; };
    s.activeDocPath = [] { return std::string(); };
    s.activeDocModified = [] { return false; };
    s.clearActiveDocModified = none;
    s.activeDocCanUndo = [] { return false; };
    s.openLinkTarget = [](const std::string&, int, int) {};
    s.setActiveDocTemplateName = [](const std::string&) {};
    s.activeDocHasDefaultView = [] { return false; };
    s.zoomActiveViewToPageWidth = none;
    s.closeActiveTextEditor = none;
    s.enterUIMode = [](int) {};
    s.restoreSelectMode = none;
    s.focusInActiveView = [] { return false; };
    s.releaseMouseAtCursor = none;
    s.dumpActiveDocObjs = none;
    s.activeChildMaximized = [] { return false; };
    s.cascadeWindows = none;
    s.runTemplateDialog = [](bool) { return TemplateChoice(); };
    return s;
}

CAppSeams& Instance()
{
    static CAppSeams seams = Defaults();
    return seams;
}
} // namespace

CAppSeams& AppSeams()
{
    return Instance();
}

void ResetAppSeams()
{
    Instance() = Defaults();
}
