// Form1 on Windows: the full-screen saver window with its picture surfaces, labels and timers.
// It carries out what the saver engine asks through SaverView and SaverHost and reports the
// window's events back; it decides nothing about the show itself.
//
// One class over several files: saver_window_win.cpp (window, messages, pacing, timers),
// saver_window_pictures_win.cpp (background and picture surfaces), saver_controls_win.cpp (the
// picture box and the caption and clock labels), saver_host_win.cpp (host actions of a run).
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "base/window_win.h"
#include "saver/monitor_cover_win.h"
#include "picture/picture_decoder_win.h"
#include "saver/picture_worker_win.h"
#include "settings/scan_worker_win.h"
#include "saver/saver_events_win.h"
#include "saver/saver_surface_win.h"
#include "saver/saver_view.h"

namespace orvelle::win {

class SaverWindow final : public Window, public SaverView, public SaverHost {
  public:
    // Creates the window hidden, at the screen's size, its background in the window-frame colour.
    explicit SaverWindow(HINSTANCE instance);
    ~SaverWindow() override;

    // Where the window's events go. Without one they are dropped.
    void AttachEvents(SaverEvents& events);
    template <typename Form>
    requires(!std::is_base_of_v<SaverEvents, Form>) void Attach(Form& form) {
        ownedEvents_ = std::make_unique<FormEvents<Form>>(form);
        events_ = ownedEvents_.get();
    }

    // Runs the form's load and then brings the window forward with the keyboard focus, as
    // showing a loaded form does.
    void Load();

    // The message loop of a run: returns the exit code once EndProgram has been called.
    static int RunMessageLoop();

    // The child windows, for tests.
    HWND DisplayHandle() const;
    HWND CaptionHandle() const;
    HWND ClockHandle() const;
    bool Ended() const { return ended_; }

    // --- SaverView ---
    PixelSize ScreenSize() override;
    int TwipsPerPixelX() override;
    int TwipsPerPixelY() override;
    void CoverScreen() override;
    std::vector<BackgroundCanvas*> OtherMonitors() override;
    std::optional<std::vector<BackgroundCanvas*>> RereadMonitors() override;
    void PaintSolidBackground(Colour colour) override;
    void PaintDesktopCopy() override;
    std::optional<PixelSize> LoadBackgroundPicture(const std::string& path) override;
    void DrawBackgroundPicture(const PixelRect& rect) override;
    void TileBackgroundPicture(const PixelSize& tile, int columns, int rows) override;
    void FillBackgroundRect(const PixelRect& rect, Colour colour) override;
    void ClearPictures() override;
    void DecodePicture(const PictureRequest& request) override;
    bool PlaceDecodedPicture(std::uint32_t ticket) override;
    bool ShowLanePicture(int lane, std::uint32_t ticket, const PixelRect& rect,
                         const std::string& caption, const PixelRect& captionRect) override;
    bool StageLanePicture(int lane, std::uint32_t ticket, const PixelRect& rect,
                          const std::string& caption, const PixelRect& captionRect) override;
    bool CopyLaneStep(int lane, const PixelRect& rect) override;
    void CommitLanePicture(int lane) override;
    void MoveLanePicture(int lane, const PixelRect& rect, const PixelRect& captionRect) override;
    void StopDecoding() override;
    void ScanFolders(const ScanRequest& request) override;
    void StopScanning() override;
    bool GrabBackgroundPatch(const PixelRect& rect) override;
    bool CopyToDisplay(const PixelRect& rect) override;
    void CommitDisplay() override;
    void MoveDisplay(const PixelRect& rect) override;
    void ShowDisplay(bool visible) override;
    void WaitForFrame() override;
    bool HurryPending() override;
    void PumpEvents(double seconds) override;
    void SetCaptionFont(const CaptionFont& font) override;
    PixelSize SetCaptionText(const std::string& text) override;
    void MoveCaption(const PixelRect& rect) override;
    void ShowCaption(bool visible) override;
    void ShowClock(bool visible, const PixelRect& rect, Colour textColour) override;
    void SetClockText(const std::string& text) override;
    void ShowPausedMark(bool visible) override;
    void SetTimer(SaverTimer timer, int intervalMs, bool enabled) override;

    // --- SaverHost ---
    int WaveOutDeviceCount() override;
    void SetScreenSaverRunning(bool running) override;
    int ShowPointerOnce() override;
    void SetPointerPosition(int x, int y) override;
    void ShowTaskbar() override;
    bool VerifyPassword() override;
    void ShowSaverWindow() override;
    void UnloadSaverWindow() override;
    void ShowErrorMessage(const std::string& text) override;
    void EndProgram() override;

    class PictureBox;
    class Label;
    class PauseMark;

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDestroyed() override;

  private:
    // Posted by the decoding thread when a picture is ready (wParam: its ticket, lParam: its
    // lane).
    static constexpr UINT kPictureDecodedMessage = WM_APP + 1;
    // Posted by the scanning thread when it has news of a folder scan.
    static constexpr UINT kFoldersScannedMessage = WM_APP + 2;

    // The picture box and the two labels, created on the window.
    void CreateControls();
    // A hidden cover for each monitor beside the primary.
    void CreateCovers();
    // Where the monitors beside the primary are now, as covers would stand over them.
    std::vector<PixelRect> CoverPlaces() const;
    void Invalidate(const PixelRect& rect);
    // The cover of a lane (lane 1 is the first), or none for a monitor gone.
    MonitorCover* CoverOf(int lane) const;
    // Takes a lane's decoded picture and hands it to its cover.
    bool LanePicture(int lane, std::uint32_t ticket,
                     const std::function<void(MonitorCover&, DibBitmap&&)>& place);
    // A picture decoded on the worker: its answer goes to the form.
    void OnPictureDecoded(std::uint32_t ticket, int lane);
    void OnPaint();
    // A folder scan's news: handed to the form in order.
    void OnFoldersScanned();
    // The window's lasting surface at windowRect, drawn into dc at `at` (its origin by default).
    void PaintBehind(HDC dc, const RECT& windowRect, POINT at = {0, 0}) const;
    // Between bands of a large background picture: serves waiting input; false once the run has
    // ended.
    bool KeepDecoding();
    // Brings the pointer back while a message box waits for OK.
    static void ShowPointerForMessage();

    HINSTANCE instance_;
    SaverEvents* events_ = nullptr;
    std::unique_ptr<SaverEvents> ownedEvents_;
    PixelSize screen_;
    int twipsX_ = 15;
    int twipsY_ = 15;
    int dpiY_ = 96;
    Colour backColour_ = 0;
    bool ended_ = false;
    bool finePeriod_ = false;
    double nextFrame_ = 0;

    MemorySurface background_;               // the window's lasting surface
    MemorySurface desktop_;                  // the screen as it was before the window covered it
    MemorySurface backPicture_;              // the custom background picture
    MemorySurface load_;                     // IntialPicture
    PictureDecoder decoder_;                 // background pictures, on this thread
    std::unique_ptr<PictureWorker> worker_;  // the slideshow's pictures, beside this thread
    std::unique_ptr<ScanWorker> scanner_;    // the folder entries' trees, beside this thread

    std::unique_ptr<PictureBox> display_;  // DisplayingPicture
    std::unique_ptr<Label> caption_;       // Label1
    std::unique_ptr<Label> clock_;         // time
    std::unique_ptr<PauseMark> pauseMark_;
    std::vector<std::unique_ptr<MonitorCover>> covers_;
    CaptionFont captionFont_;  // also the other monitors', each at its own DPI
};

}  // namespace orvelle::win
