// The barrier between the program's window procedures and the system: no C++ exception crosses
// into the system's code, whose frames it cannot unwind safely. A handler that fails is stopped
// at its procedure, the message gets the system's default handling, and the process's fault
// handler (set by the run mode) decides what follows.
#pragma once

#include <windows.h>

#include <string>

namespace orvelle::win {

// Told of each exception a procedure caught: the window it was for and the exception's text (""
// when it carried none). Runs on the window's thread; whatever it throws is dropped.
using FaultHandler = void (*)(HWND window, const std::string& what);

// Sets the process's handler (nullptr: faults are dropped); returns the one set before.
FaultHandler SetFaultHandler(FaultHandler handler);

// Hands the exception being caught to the handler. Only inside a catch block.
void ReportCaughtFault(HWND window) noexcept;

// Runs a message handler behind the barrier: its result, or fallback()'s when it threw.
template <typename Handler, typename Fallback>
auto Guarded(HWND window, Handler handler, Fallback fallback) noexcept -> decltype(handler()) {
    try {
        return handler();
    } catch (...) {
        ReportCaughtFault(window);
    }
    return fallback();
}

}  // namespace orvelle::win
