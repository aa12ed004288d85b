#include "exit_status.h"

int exitStatusFor(const RunOutcome& outcome)
{
    if (!outcome.commandLineRun)
        return kExitConverted;
    if (!outcome.started || outcome.cancelled)
        return kExitNotRun;
    if (outcome.filesNotOpened > 0 || outcome.outputsNotCreated > 0)
        return kExitSomeFailed;
    return kExitConverted;
}
