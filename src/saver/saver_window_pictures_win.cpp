#include "saver/saver_controls_win.h"
#include "saver/saver_window_win.h"

#include <algorithm>

#include "base/geometry.h"
#include "picture/picture_codecs_win.h"

namespace orvelle::win {

// --- Background ---

void SaverWindow::PaintSolidBackground(Colour colour) {
    if (!IsAlive()) {
        return;
    }
    desktop_.Free();
    backColour_ = colour;
    const std::uint32_t pixel = DibPixel(colour);
    background_.Fill(pixel);
    load_.Fill(pixel);
    display_->surface.Fill(pixel);
    InvalidateRect(Handle(), nullptr, FALSE);
    if (display_->IsAlive()) {
        InvalidateRect(display_->Handle(), nullptr, FALSE);
    }
}

void SaverWindow::PaintDesktopCopy() {
    if (!IsAlive() || !background_.dib) {
        return;
    }
    if (desktop_.dib) {
        BitBlt(background_.dc.Get(), 0, 0, screen_.width, screen_.height, desktop_.dc.Get(), 0, 0,
               SRCCOPY);
        desktop_.Free();
    } else {
        WindowDC desktop(GetDesktopWindow());
        BitBlt(background_.dc.Get(), 0, 0, screen_.width, screen_.height, desktop.Get(), 0, 0,
               SRCCOPY);
    }
    InvalidateRect(Handle(), nullptr, FALSE);
}

std::optional<PixelSize> SaverWindow::LoadBackgroundPicture(const std::string& path) {
    if (!IsAlive()) {
        return std::nullopt;
    }
    desktop_.Free();
    return LoadBackgroundInto(backPicture_, decoder_, path, screen_, backColour_);
}

void SaverWindow::DrawBackgroundPicture(const PixelRect& rect) {
    if (IsAlive()) {
        Invalidate(DrawPictureInto(background_, backPicture_, rect));
    }
}

void SaverWindow::FillBackgroundRect(const PixelRect& rect, Colour colour) {
    if (!IsAlive() || !background_.dib) {
        return;
    }
    desktop_.Free();
    Invalidate(FillInto(background_, rect, colour));
}

// --- Picture surfaces ---

void SaverWindow::ClearPictures() {
    if (!IsAlive()) {
        return;
    }
    // The picture on screen keeps its lasting picture: a clear only drops what was drawn over
    // it, and every drawing on it is committed as soon as it is made.
    load_.Fill(DibPixel(backColour_));
    decoder_.Close();
}

void SaverWindow::DecodePicture(const PictureRequest& request) {
    if (!IsAlive()) {
        return;
    }
    // The screen as it was is no longer wanted once the show begins.
    desktop_.Free();
    if (!worker_) {
        worker_ = std::make_unique<PictureWorker>(Handle(), kPictureDecodedMessage);
    }
    worker_->Decode(request, backColour_);
}

void SaverWindow::OnPictureDecoded(std::uint32_t ticket, int lane) {
    if (!worker_ || !events_ || ended_) {
        return;
    }
    if (const std::optional<DecodedPicture> answer = worker_->Answer(ticket, lane)) {
        events_->PictureDecoded(*answer);
    }
}

bool SaverWindow::PlaceDecodedPicture(std::uint32_t ticket) {
    if (!IsAlive() || !worker_) {
        return false;
    }
    DibBitmap picture = worker_->Take(ticket);
    if (!picture) {
        return false;
    }
    load_.Adopt(std::move(picture));
    return true;
}

bool SaverWindow::ShowLanePicture(int lane, std::uint32_t ticket, const PixelRect& rect,
                                  const std::string& caption, const PixelRect& captionRect) {
    return LanePicture(lane, ticket, [&](MonitorCover& cover, DibBitmap&& picture) {
        cover.ShowPicture(std::move(picture), rect, caption, captionRect);
    });
}

bool SaverWindow::StageLanePicture(int lane, std::uint32_t ticket, const PixelRect& rect,
                                   const std::string& caption, const PixelRect& captionRect) {
    return LanePicture(lane, ticket, [&](MonitorCover& cover, DibBitmap&& picture) {
        cover.StagePicture(std::move(picture), rect, caption, captionRect);
    });
}

bool SaverWindow::LanePicture(int lane, std::uint32_t ticket,
                              const std::function<void(MonitorCover&, DibBitmap&&)>& place) {
    // Lane 1 is the first cover; a monitor gone since is simply not shown on.
    MonitorCover* cover = CoverOf(lane);
    if (!IsAlive() || !worker_ || !cover) {
        return false;
    }
    DibBitmap picture = worker_->Take(ticket, lane);
    if (!picture) {
        return false;
    }
    place(*cover, std::move(picture));
    return true;
}

MonitorCover* SaverWindow::CoverOf(int lane) const {
    return lane >= 1 && lane <= static_cast<int>(covers_.size())
               ? covers_[static_cast<std::size_t>(lane - 1)].get()
               : nullptr;
}

bool SaverWindow::CopyLaneStep(int lane, const PixelRect& rect) {
    if (MonitorCover* cover = CoverOf(lane)) {
        cover->CopyStep(rect);
    }
    return true;
}

void SaverWindow::CommitLanePicture(int lane) {
    if (MonitorCover* cover = CoverOf(lane)) {
        cover->CommitPicture();
    }
}

void SaverWindow::MoveLanePicture(int lane, const PixelRect& rect, const PixelRect& captionRect) {
    if (MonitorCover* cover = CoverOf(lane)) {
        cover->MovePicture(rect, captionRect);
    }
}

void SaverWindow::StopDecoding() {
    if (worker_) {
        worker_->Stop();
    }
}

void SaverWindow::ScanFolders(const ScanRequest& request) {
    if (!IsAlive()) {
        return;
    }
    if (!scanner_) {
        scanner_ = std::make_unique<ScanWorker>(Handle(), kFoldersScannedMessage, [] {
            return PictureExtensions(PictureFileExtensions(InstalledPictureCodecs()));
        });
    }
    scanner_->Scan(request);
}

void SaverWindow::StopScanning() {
    if (scanner_) {
        scanner_->Stop();
    }
}

void SaverWindow::OnFoldersScanned() {
    if (!scanner_) {
        return;
    }
    for (const ScanNews& news : scanner_->TakeNews()) {
        // The form may end the run on the way; what is left goes with it.
        if (!events_ || ended_) {
            return;
        }
        events_->FoldersScanned(news);
    }
}

bool SaverWindow::GrabBackgroundPatch(const PixelRect& rect) {
    if (!IsAlive()) {
        return false;
    }
    decoder_.Close();
    if (!load_.Resize(rect.width, rect.height)) {
        return false;
    }
    if (!load_.dib) {
        return true;
    }
    // Parts of the patch off the screen (a picture taller than the screen) take the colour.
    load_.Fill(DibPixel(backColour_));
    PixelRect source = rect;
    if (background_.dib && ClipTo(source, background_.Width(), background_.Height())) {
        BitBlt(load_.dc.Get(), source.left - rect.left, source.top - rect.top, source.width,
               source.height, background_.dc.Get(), source.left, source.top, SRCCOPY);
    }
    return true;
}

bool SaverWindow::CopyToDisplay(const PixelRect& rect) {
    if (!IsAlive()) {
        return false;
    }
    PixelRect area = rect;
    if (!load_.dib || !ClipTo(area, load_.Width(), load_.Height())) {
        return true;
    }
    BOOL copied = TRUE;
    MemorySurface& shown = display_->surface;
    PixelRect inBox = area;
    if (shown.dib && ClipTo(inBox, shown.Width(), shown.Height())) {
        copied = BitBlt(shown.dc.Get(), inBox.left, inBox.top, inBox.width, inBox.height,
                        load_.dc.Get(), inBox.left, inBox.top, SRCCOPY);
    }
    if (display_->visible && display_->IsAlive()) {
        // Straight to the screen as well, so each step of an effect is seen as it is drawn.
        WindowDC screen(display_->Handle());
        BitBlt(screen.Get(), area.left, area.top, area.width, area.height, load_.dc.Get(),
               area.left, area.top, SRCCOPY);
    }
    return copied != FALSE;
}

void SaverWindow::CommitDisplay() {
    if (!IsAlive()) {
        return;
    }
    MemorySurface& shown = display_->surface;
    if (!shown.dib) {
        return;
    }
    if (!load_.dib || load_.Width() < shown.Width() || load_.Height() < shown.Height()) {
        shown.Fill(DibPixel(backColour_));
    }
    if (load_.dib) {
        BitBlt(shown.dc.Get(), 0, 0, std::min(load_.Width(), shown.Width()),
               std::min(load_.Height(), shown.Height()), load_.dc.Get(), 0, 0, SRCCOPY);
    }
    if (display_->visible && display_->IsAlive()) {
        WindowDC screen(display_->Handle());
        BitBlt(screen.Get(), 0, 0, shown.Width(), shown.Height(), shown.dc.Get(), 0, 0, SRCCOPY);
    }
}

}  // namespace orvelle::win
