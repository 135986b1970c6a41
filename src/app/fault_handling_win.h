// Carries out the run mode's answer to a handler that failed (app/fault_response.h): installed
// as the process's fault handler when a run mode opens its window.
#pragma once

#include "app/start_program.h"

namespace orvelle::win {

void HandleFaultsFor(RunMode mode);

}  // namespace orvelle::win
