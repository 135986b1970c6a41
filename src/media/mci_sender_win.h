// MCI command strings sent through winmm's mciSendStringW, and the program's one player.
#pragma once

#include "media/mmedia.h"

namespace orvelle::win {

class MciSenderWin : public MciSender {
  public:
    void Send(const std::string& command) override;
    std::string Query(const std::string& command) override;
};

// mediaPlayer: the program's single player, created on first use, driven by the saver's
// music, the end of a run and the dialog's music preview.
Mmedia& MediaPlayer();

}  // namespace orvelle::win
