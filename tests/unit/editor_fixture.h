// The theme editor's model on an in-memory program folder, with its services answered from a
// script: shared by the tests of the editor and of its small dialogs.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "config/theme_editor.h"
#include "overlay_fakes.h"
#include "settings/memory_file_system.h"
#include "settings/theme_storage.h"

namespace orvelle::editor_test {

namespace fs = std::filesystem;
using overlay_test::FakeClock;
using overlay_test::FakeMci;

inline const std::string kFolder = "C:\\Orv\\";
inline const std::string kGlobal = kFolder + "orvellemain.ini";
inline const std::string kTheme = kFolder + "orvellesaver\\Orvelle.ini";
inline const std::string kLoadFailed =
    "Could not load screen saver properly. Please check all background and regular loaded "
    "images. If problem persists, please reinstall screen saver.";

inline std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Answers from a script; a dialog nobody scripted fails the test.
class FakeServices : public EditorServices {
  public:
    MessageAnswer ShowMessage(const std::string& text, MessageButtons buttons) override {
        messages.push_back(text);
        if (buttons == MessageButtons::Ok) {
            return MessageAnswer::Ok;
        }
        if (answers.empty()) {
            ADD_FAILURE() << "question nobody scripted: " << text;
            return MessageAnswer::No;
        }
        MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    MessageAnswer ShowPlainMessage(const std::string& text, MessageButtons buttons) override {
        plain.push_back(text);
        return ShowMessage(text, buttons);
    }
    std::optional<Colour> ChooseColour(Colour initial) override {
        colourOpenedWith = initial;
        if (!colour) {
            ADD_FAILURE() << "colour dialog nobody scripted";
            return std::nullopt;
        }
        return *colour;
    }
    std::optional<CaptionFontChoice> PickCaptionFont(const CaptionFontChoice& initial, int low,
                                                     int high) override {
        fontOpenedWith = initial;
        fontLimits = {low, high};
        if (!font) {
            ADD_FAILURE() << "font dialog nobody scripted";
            return std::nullopt;
        }
        return *font;
    }
    std::optional<std::string> ChooseFileToOpen(const OpenFileRequest& request) override {
        fileRequests.push_back(request);
        if (files.empty()) {
            ADD_FAILURE() << "file dialog nobody scripted";
            return std::nullopt;
        }
        std::optional<std::string> answer = files.front();
        files.pop_front();
        return answer;
    }
    void OpenDocument(const std::string& path) override { opened.push_back(path); }
    void ShowPictureViewer(const std::string& path) override { viewed.push_back(path); }
    void ShowError(const std::string& text) override { errors.push_back(text); }
    void ShowFolderImport() override { ++folderImports; }
    int WaveOutDeviceCount() override { return waveDevices; }
    std::optional<PixelSize> PictureSize(const std::string& path) override {
        auto it = pictures.find(path);
        return it == pictures.end() ? std::nullopt : std::optional<PixelSize>(it->second);
    }
    int TwipsPerPixelX() override { return twips; }
    int TwipsPerPixelY() override { return twips; }
    void ShowBusyPointer(bool on) override { busy = on; }

    std::vector<std::string> messages;
    std::vector<std::string> plain;  // also in messages
    std::deque<MessageAnswer> answers;
    std::optional<std::optional<CaptionFontChoice>> font;
    std::optional<CaptionFontChoice> fontOpenedWith;
    std::pair<int, int> fontLimits;
    std::optional<std::optional<Colour>> colour;
    std::optional<Colour> colourOpenedWith;
    std::deque<std::optional<std::string>> files;
    std::vector<OpenFileRequest> fileRequests;
    std::vector<std::string> opened;
    std::vector<std::string> viewed;
    std::vector<std::string> errors;
    int folderImports = 0;
    std::map<std::string, PixelSize> pictures;
    int waveDevices = 1;
    int twips = 15;
    bool busy = false;
};

class EditorTest : public ::testing::Test {
  protected:
    EditorTest() {
        files.Put(kGlobal, "[saver]\r\ncurrentsaver=Orvelle\r\n[mouse]\r\nmouseSensitivity=23\r\n");
        files.Put(kTheme, Slurp(fs::path(ORVELLE_SOURCE_DIR) / "program/orvellesaver/Orvelle.ini"));
        services.pictures[kFolder + "tovak.gif"] = {300, 200};
    }
    void Edit(const std::string& section, const std::string& key, const std::string& value) {
        ThemeStorage editor(files, kFolder);
        editor.WriteThemeValue(section, key, value, kTheme);
        ASSERT_TRUE(editor.Flush());
    }
    std::string Stored(const std::string& section, const std::string& key) {
        ThemeStorage reader(files, kFolder);
        return reader.ReadThemeValue(section, key, kTheme);
    }
    const ControlState& C(int id) { return editor.controls[id]; }

    MemoryFileSystem files;
    ThemeStorage storage{files, kFolder};
    FakeServices services;
    FakeMci mci;
    FakeClock clock;
    Mmedia player{mci, clock};
    ThemeEditor editor{storage, services, player};
};

}  // namespace orvelle::editor_test
