#pragma once
// The exit status of the process. Interactive use always ends with 0; a
// command-line run (-batch or -silent) tells how it went:
//   0  every file converted;
//   1  some workbook could not be opened or some output not created;
//   2  the run was cancelled or never started (a start warning).

#include <cstdint>

struct RunOutcome {
    bool commandLineRun = false;
    bool started = false;
    bool cancelled = false;
    int64_t filesNotOpened = 0;
    int64_t outputsNotCreated = 0;
};

inline constexpr int kExitConverted = 0;
inline constexpr int kExitSomeFailed = 1;
inline constexpr int kExitNotRun = 2;

int exitStatusFor(const RunOutcome& outcome);
