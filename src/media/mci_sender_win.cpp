#include "media/mci_sender_win.h"

#include <windows.h>

#include <mmsystem.h>

#include "base/clock_win.h"
#include "base/wide_win.h"

namespace orvelle::win {

void MciSenderWin::Send(const std::string& command) {
    mciSendStringW(Wide(command).c_str(), nullptr, 0, nullptr);
}

std::string MciSenderWin::Query(const std::string& command) {
    wchar_t answer[256] = {};
    mciSendStringW(Wide(command).c_str(), answer, 255, nullptr);
    answer[255] = L'\0';
    return Narrow(answer);
}

Mmedia& MediaPlayer() {
    static MciSenderWin sender;
    static ClockWin clock;
    static Mmedia player(sender, clock);
    return player;
}

}  // namespace orvelle::win
