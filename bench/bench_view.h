// The saver window seen through its engine interface, every call passed on: a base for the
// benchmarks' views that note when things happen.
#pragma once

#include <optional>
#include <string>

#include "base/clock_win.h"
#include "base/random_source.h"
#include "media/mci_sender_win.h"
#include "saver/registry_win.h"
#include "saver/saver_form.h"
#include "saver/saver_window_win.h"
#include "settings/file_system_win.h"
#include "settings/theme_storage.h"

namespace bench {

class ForwardingView : public orvelle::SaverView {
  public:
    explicit ForwardingView(orvelle::win::SaverWindow& window) : w_(window) {}

    orvelle::PixelSize ScreenSize() override { return w_.ScreenSize(); }
    int TwipsPerPixelX() override { return w_.TwipsPerPixelX(); }
    int TwipsPerPixelY() override { return w_.TwipsPerPixelY(); }
    void PaintSolidBackground(orvelle::Colour c) override { w_.PaintSolidBackground(c); }
    void PaintDesktopCopy() override { w_.PaintDesktopCopy(); }
    std::optional<orvelle::PixelSize> LoadBackgroundPicture(const std::string& p) override {
        return w_.LoadBackgroundPicture(p);
    }
    void DrawBackgroundPicture(const orvelle::PixelRect& r) override {
        w_.DrawBackgroundPicture(r);
    }
    void FillBackgroundRect(const orvelle::PixelRect& r, orvelle::Colour c) override {
        w_.FillBackgroundRect(r, c);
    }
    void DecodePicture(const orvelle::PictureRequest& r) override { w_.DecodePicture(r); }
    bool PlaceDecodedPicture(std::uint32_t t) override { return w_.PlaceDecodedPicture(t); }
    void StopDecoding() override { w_.StopDecoding(); }
    void ScanFolders(const orvelle::ScanRequest& r) override { w_.ScanFolders(r); }
    void StopScanning() override { w_.StopScanning(); }
    void CoverScreen() override { w_.CoverScreen(); }
    void ClearPictures() override { w_.ClearPictures(); }
    bool GrabBackgroundPatch(const orvelle::PixelRect& r) override {
        return w_.GrabBackgroundPatch(r);
    }
    bool CopyToDisplay(const orvelle::PixelRect& r) override { return w_.CopyToDisplay(r); }
    void CommitDisplay() override { w_.CommitDisplay(); }
    void MoveDisplay(const orvelle::PixelRect& r) override { w_.MoveDisplay(r); }
    void ShowDisplay(bool visible) override { w_.ShowDisplay(visible); }
    void WaitForFrame() override { w_.WaitForFrame(); }
    bool HurryPending() override { return w_.HurryPending(); }
    void PumpEvents(double seconds) override { w_.PumpEvents(seconds); }
    void SetCaptionFont(const orvelle::CaptionFont& f) override { w_.SetCaptionFont(f); }
    orvelle::PixelSize SetCaptionText(const std::string& t) override {
        return w_.SetCaptionText(t);
    }
    void MoveCaption(const orvelle::PixelRect& r) override { w_.MoveCaption(r); }
    void ShowCaption(bool visible) override { w_.ShowCaption(visible); }
    void ShowClock(bool v, const orvelle::PixelRect& r, orvelle::Colour c) override {
        w_.ShowClock(v, r, c);
    }
    void SetClockText(const std::string& t) override { w_.SetClockText(t); }
    void ShowPausedMark(bool visible) override { w_.ShowPausedMark(visible); }
    void SetTimer(orvelle::SaverTimer t, int ms, bool on) override { w_.SetTimer(t, ms, on); }

  private:
    orvelle::win::SaverWindow& w_;
};

// The saver engine in this process on the theme of a program folder (ending in a backslash),
// its window seen through View; stateFolder keeps where the run stopped ("" for nowhere).
template <typename View>
struct EngineRun {
    EngineRun(const std::string& folder, const std::string& stateFolder)
        : storage(files, folder.substr(0, folder.size() - 1)),
          window(GetModuleHandleW(nullptr)),
          view(window),
          form(orvelle::SaverEnvironment{view, window, storage, registry, clock, random,
                                         orvelle::win::MediaPlayer(), 2, stateFolder}) {}

    // Loads the window and dispatches its messages until done() or the run ends.
    template <typename Done>
    void RunUntil(const Done& done) {
        window.Load();
        MSG msg;
        while (!done() && !form.Ended() && GetMessageW(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }

    orvelle::win::WinFileSystem files;
    orvelle::ThemeStorage storage;
    orvelle::win::RegistryReaderWin registry;
    orvelle::win::ClockWin clock;
    orvelle::SystemRandom random;
    orvelle::win::SaverWindow window;
    View view;
    orvelle::SaverForm form;
};

}  // namespace bench
