#include "overlays/mci_sender_win.h"

#include <windows.h>

#include <mmsystem.h>

#include "base/clock_win.h"

namespace orvelle::win {

void MciSenderWin::Send(const std::string& command) {
    mciSendStringA(command.c_str(), nullptr, 0, nullptr);
}

std::string MciSenderWin::Query(const std::string& command) {
    char answer[256] = {};
    mciSendStringA(command.c_str(), answer, 255, nullptr);
    answer[255] = '\0';
    return std::string(answer);
}

Mmedia& MediaPlayer() {
    static MciSenderWin sender;
    static ClockWin clock;
    static Mmedia player(sender, clock);
    return player;
}

}  // namespace orvelle::win
