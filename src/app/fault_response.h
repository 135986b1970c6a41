// What the program does when a handler of one of its windows fails with an exception, which the
// window's procedure catches (base/fault_barrier_win.h): decided by the run mode.
#pragma once

#include <string>
#include <string_view>

#include "app/start_program.h"

namespace orvelle {

enum class FaultResponse {
    // The run ends as the program's own end would leave things: music closed, the task bar and
    // the pointer given back, the windows closed, the program ended with kFaultExitCode.
    EndRun,
    // A message says what failed; the window stays and goes on working.
    Report,
    // A message about an earlier failure is still open: this one is not shown too.
    Drop,
};

// The full-screen run and the preview cannot ask anyone: they end. The editor keeps the user's
// work on screen and reports, one message at a time.
FaultResponse ResponseToFault(RunMode mode, bool reportOpen);

// The message's text; `what` is the exception's own text, possibly empty.
std::string FaultReportText(std::string_view what);

constexpr int kFaultExitCode = 1;

}  // namespace orvelle
