#include "media/mmedia.h"

#include "base/host_services.h"
#include "base/numbers.h"
#include "base/text.h"

namespace orvelle {

namespace {

// The last three characters of a name (the whole name when it is shorter).
std::string LastThree(const std::string& name) {
    return name.size() <= 3 ? name : name.substr(name.size() - 3);
}

// MCI device type for a file, by its extension; "" when the player does not handle it.
std::string DeviceTypeFor(const std::string& name) {
    const std::string ext = ToUpperAscii(LastThree(name));
    if (ext == "WAV") {
        return "Waveaudio";
    }
    if (ext == "AVI") {
        return "AviVideo";
    }
    if (ext == "MID") {
        return "Sequencer";
    }
    // Compressed music goes to the device that hands files to the system's media stack, which
    // plays whatever decoders the machine has.
    const size_t dot = name.find_last_of(".\\/");
    if (dot != std::string::npos && name[dot] == '.') {
        const std::string extension = name.substr(dot + 1);
        for (const char* compressed : kCompressedMusicExtensions) {
            if (EqualsNoCase(extension, compressed)) {
                return "MPEGVideo";
            }
        }
    }
    return "";
}

}  // namespace

void Mmedia::mmOpen(const std::string& sTheFile) {
    if (IsOpen()) {
        mmClose();
    }
    const std::string deviceType = DeviceTypeFor(sTheFile);
    if (deviceType.empty()) {
        return;
    }
    // The minute keeps a new alias apart from one MCI may still hold from an earlier open.
    mciAlias_ = LastThree(sTheFile) + std::to_string(clock_.Now().minute);

    std::string file = sTheFile;
    if (file.find(' ') != std::string::npos) {
        file = "\"" + file + "\"";
    }
    mci_.Send("Open " + file + " ALIAS " + mciAlias_ + " TYPE " + deviceType + " wait");
    mediaFile_ = sTheFile;
}

void Mmedia::mmClose() {
    if (IsOpen()) {
        mci_.Send("Close " + mciAlias_);
    }
    mciAlias_.clear();
    mediaFile_.clear();
}

void Mmedia::mmPause() {
    if (IsOpen()) {
        mci_.Send("Pause " + mciAlias_);
    }
}

void Mmedia::mmPlay() {
    if (IsOpen()) {
        mci_.Send("Play " + mciAlias_ + (waitFlag_ ? " wait" : ""));
    }
}

void Mmedia::mmStop() {
    if (IsOpen()) {
        mci_.Send("Stop " + mciAlias_);
    }
}

void Mmedia::mmSeek(float nPosition) {
    // Not guarded: with nothing open MCI refuses the command and nothing happens.
    mci_.Send("Seek " + mciAlias_ + " to " + FormatSingle(nPosition));
}

float Mmedia::Length() {
    return static_cast<float>(LeadingNumber(StatusQuery("length")));
}

float Mmedia::Position() {
    return static_cast<float>(LeadingNumber(StatusQuery("position")));
}

std::string Mmedia::Status() {
    return StatusQuery("mode");
}

std::string Mmedia::StatusQuery(const std::string& item) {
    if (!IsOpen()) {
        return "";
    }
    return mci_.Query("Status " + mciAlias_ + " " + item);
}

}  // namespace orvelle
