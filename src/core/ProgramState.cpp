#include "core/ProgramState.h"

#include "core/CSerialStamp.h"
#include "platform/GlobalMem.h"

void ResetProgramState()
{
    // Each subsystem's program-wide state is reset here, one call per owner.
    SetGlobalMemoryLimit(0);
    ResetSerialStampCounter();
}
