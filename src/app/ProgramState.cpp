#include "app/ProgramState.h"

#include "core/AppGlobals.h"
#include "app/AppSeams.h"
#include "core/CAppProfile.h"
#include "core/HelpRequest.h"
#include "core/MessageBeep.h"
#include "core/CSerialStamp.h"
#include "graphics/MetafilePlay.h"
#include "core/MsgBox.h"
#include "core/ProgramFolders.h"
#include "core/Settings.h"
#include "core/Trace.h"
#include "core/Units.h"
#include "core/UIMode.h"
#include "document/AppPrinter.h"
#include "document/ChoiceTables.h"
#include "document/DocDefaults.h"
#include "document/DocCommandSeams.h"
#include "document/ColorScheme.h"
#include "document/HyperlinkCommands.h"
#include "document/CStyleMenu.h"
#include "document/StyleNameDialog.h"
#include "document/DividedShapeCreateTable.h"
#include "document/StapleKinds.h"
#include "document/Placement.h"
#include "editing/MoveContext.h"
#include "editing/ScaleCommands.h"
#include "fileformat/DiagramClipboard.h"
#include "fileformat/DocFileHooks.h"
#include "fileformat/TemplateSave.h"
#include "frame/ChildFrameState.h"
#include "platform/GlobalMem.h"
#include "platform/PrinterSeam.h"
#include "render/ModelStartup.h"
#include "richtext/RichTextState.h"
#include "shapes/ShapesState.h"

void ResetProgramState()
{
    // Each subsystem's program-wide state is reset here, one call per owner.
    SetGlobalMemoryLimit(0);
    ResetDiagnostics();
    SetProgramFolderForTest(QString());
    ResetSettings();
    ResetAppProfile();
    ResetAppGlobals();
    ResetAppSeams();
    SetMsgBoxSplashCloser(nullptr);
    SetHelpHandler(nullptr);
    SetMessageBeepHandler(nullptr);
    ResetLinkServices();
    ResetColorSchemeState();
    ResetStyleMenuMetrics();
    ResetStyleNameDialog();
    ResetDocCommandSeams();
    ResetSerialStampCounter();
    ResetShapesState();
    FreeProbeEnhMetafile();
    SetScreenPixelHeightForTest(0);
    ResetChoiceTables();
    ResetUIMode();
    ResetDocDefaults();
    ResetStapleState();
    SetSpecialShapeCreateLookup(nullptr);
    ResetChildFrameState();
    ResetRichTextState();
    ResetDocFileHooks();
    // What loading and saving a diagram need, as the programs set it up.
    InstallDiagramModel();
    ResetPasteOffset();
    ResetDiagramClipboardState();
    ResetScaleOptions();
    SetScaleDialog(nullptr);
    ResetTemplateCommandState();
    InstallMoveContext();
    SetPrinterService(nullptr);
    ResetAppPrinter();
}
