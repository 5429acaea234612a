#include "render/ModelStartup.h"

#include "document/FigPictureOutline.h"
#include "fileformat/CDocVariantTarget.h"
#include "fileformat/DocFileHooks.h"
#include "graphics/ImageLibrary.h"
#include "render/DocDrawObjects.h"
#include "render/FigOutlineTrace.h"
#include "render/FigShapeDraw.h"
#include "render/FigTextRender.h"
#include "render/HotZoneDocPass.h"
#include "render/PreviewRender.h"
#include "richtext/RichTextState.h"
#include "shapes/ShapeLibrary.h"

void InstallDiagramModel()
{
    StampShapes().RemoveAll();
    StampShapes().BuildStampShapes();
    GetDocFileHooks().recomputeHotZones = &GetHotZoneFromKGR;
    g_pfnFigOutlineFromPicture = &TraceFigOutlineFromPicture;
    InstallRichTextHooks();
    InstallColorSchemeLoading();
    SetFigTextRenderer(RenderFigTextPiece);
}

void StartDiagramModel()
{
    ImageLibraryInitialise();
    InstallDiagramModel();
    InstallExportDrawer();
    GetDocFileHooks().renderPreview = &RenderDocPreview;
}
