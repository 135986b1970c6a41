// Mmedia: one media file played through MCI command strings. The program has one instance,
// mediaPlayer, shared by the saver's music, the end of a run and the dialog's music preview.
#pragma once

#include <string>

namespace orvelle {

// Sends one MCI command string (mciSendStringA on Windows).
class MciSender {
  public:
    virtual ~MciSender() = default;
    // A command whose answer is not wanted.
    virtual void Send(const std::string& command) = 0;
    // A status query: the answer text up to its first zero character.
    virtual std::string Query(const std::string& command) = 0;
};

class Clock;

// Music files besides MIDI and wave files that the player opens (through MCI's mpegvideo
// device), by extension (any case).
inline constexpr const char* kCompressedMusicExtensions[] = {"mp3", "wma", "m4a", "aac", "flac"};

class Mmedia {
  public:
    Mmedia(MciSender& mci, Clock& clock) : mci_(mci), clock_(clock) {}

    void mmOpen(const std::string& sTheFile);
    void mmClose();
    void mmPause();
    void mmPlay();
    void mmStop();
    void mmSeek(float nPosition);

    std::string Filename() const { return mediaFile_; }
    void SetFilename(const std::string& name) { mmOpen(name); }
    bool Wait() const { return waitFlag_; }
    void SetWait(bool bWaitValue) { waitFlag_ = bWaitValue; }
    float Length();
    float Position();
    void SetPosition(float nPosition) { mmSeek(nPosition); }
    std::string Status();

    const std::string& Alias() const { return mciAlias_; }

  private:
    bool IsOpen() const { return !mciAlias_.empty(); }
    std::string StatusQuery(const std::string& item);

    MciSender& mci_;
    Clock& clock_;
    std::string mciAlias_;
    std::string mediaFile_;
    bool waitFlag_ = false;
};

}  // namespace orvelle
