#include "app/AppSeams.h"

namespace {
CAppSeams Defaults()
{
    CAppSeams s;
    auto none = [] {};
    s.loadSharedBitmaps = none;
    s.createDocTemplate = none;
    s.loadCursors = none;
    s.destroyCursors = none;
    s.releaseSharedDrawingObjects = none;
    s.openDocumentFile = [](const std::string&) { return false; };
    s.newDocument = [] { return false; };
    s.documentCount = [] { return 0; };
    s.allDocuments = [] { return std::vector<CKavoDoc*>(); };
    s.hasActiveDoc = [] { return false; };
    s.hasActiveView = [] { return false; };
    s.activeDocPath = [] { return std::string(); };
    s.activeDocModified = [] { return false; };
    s.setActiveDocModified = [](bool) {};
    s.activeDocCanUndo = [] { return false; };
    s.openLinkTarget = [](const std::string&, int, int) { return false; };
    s.setActiveDocTemplateName = [](const std::string&) {};
    s.activeDocHasDefaultView = [] { return false; };
    s.zoomActiveViewToPageWidth = none;
    s.focusInActiveView = [] { return false; };
    s.releaseMouseAtCursor = none;
    s.dumpActiveDocObjs = none;
    s.newWindowOfActiveDoc = [] { return false; };
    s.closeActiveDocWindows = none;
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
