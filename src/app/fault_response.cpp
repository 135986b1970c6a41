#include "app/fault_response.h"

namespace orvelle {

FaultResponse ResponseToFault(RunMode mode, bool reportOpen) {
    if (mode != RunMode::Configure) {
        return FaultResponse::EndRun;
    }
    return reportOpen ? FaultResponse::Drop : FaultResponse::Report;
}

std::string FaultReportText(std::string_view what) {
    const std::string cause = what.empty() ? "an unexpected error" : std::string(what);
    return "The last action could not be completed (" + cause +
           "). The window stays open, and what you changed before is kept.";
}

}  // namespace orvelle
