#include "app/fault_response.h"

#include <gtest/gtest.h>

namespace orvelle {
namespace {

TEST(FaultResponse, TheEditorReportsOneAtATimeAndEveryOtherRunEnds) {
    struct Case {
        RunMode mode;
        bool reportOpen;
        FaultResponse response;
    };
    const Case cases[] = {
        {RunMode::Configure, false, FaultResponse::Report},
        {RunMode::Configure, true, FaultResponse::Drop},
        {RunMode::Saver, false, FaultResponse::EndRun},
        {RunMode::Saver, true, FaultResponse::EndRun},
        {RunMode::SaverKeepTaskbar, false, FaultResponse::EndRun},
        {RunMode::Preview, false, FaultResponse::EndRun},
        {RunMode::ChangePassword, false, FaultResponse::EndRun},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ResponseToFault(c.mode, c.reportOpen), c.response)
            << static_cast<int>(c.mode) << " " << c.reportOpen;
    }
}

TEST(FaultResponse, TheReportNamesTheCauseOrSaysItIsUnknown) {
    EXPECT_EQ(FaultReportText("not enough memory"),
              "The last action could not be completed (not enough memory). The window stays "
              "open, and what you changed before is kept.");
    EXPECT_NE(FaultReportText("").find("(an unexpected error)"), std::string::npos);
}

}  // namespace
}  // namespace orvelle
