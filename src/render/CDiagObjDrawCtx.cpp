#include "render/CDiagObjDrawCtx.h"

FigRenderCtx CDiagObjDrawCtx::FigCtx() const
{
    FigRenderCtx f;
    f.flags = flags;
    f.mode = mode;
    f.clip = clipRect.IsRectNull() ? nullptr : &clipRect;
    return f;
}
