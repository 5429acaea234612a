#include "core/ProgramState.h"

#include "core/MetafilePlay.h"
#include "platform/GlobalMem.h"

void ResetProgramState()
{
    // Each subsystem's program-wide state is reset here, one call per owner.
    SetGlobalMemoryLimit(0);
    FreeProbeEnhMetafile();
}
