#include "base/fault_barrier_win.h"

#include <atomic>
#include <exception>
#include <new>

namespace orvelle::win {

namespace {

std::atomic<FaultHandler> g_handler{nullptr};

// The text of the exception being caught.
std::string CaughtText() {
    try {
        throw;
    } catch (const std::bad_alloc&) {
        return "not enough memory";
    } catch (const std::exception& error) {
        return error.what();
    } catch (...) {
        return {};
    }
}

}  // namespace

FaultHandler SetFaultHandler(FaultHandler handler) {
    return g_handler.exchange(handler);
}

void ReportCaughtFault(HWND window) noexcept {
    try {
        const std::string what = CaughtText();
        if (FaultHandler handler = g_handler.load()) {
            handler(window, what);
        }
    } catch (...) {
        // Nothing more can be done for this one: the message stays handled by default.
    }
}

}  // namespace orvelle::win
