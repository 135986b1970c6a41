// How long a picture change takes next to merely decoding its file. For a 5120 x 2880 JPEG the
// whole change (wipe-out of the old picture, load, scale to the screen's share, reveal with the
// Standard effect) should cost no more than 1.2 x a plain full decode of the same file.
//
//   picture_change_bench_win.exe [picture.jpg] [rounds]
//
// Without a picture a 5120 x 2880 JPEG is made with the system's encoder (baseline, as the
// system cannot write progressive ones); picture_change_bench_setup.sh makes the progressive one.
#include <objbase.h>
#include <wincodec.h>
#include <shellapi.h>
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/wide_win.h"
#include "bench_timing.h"
#include "saver/saver_window_win.h"

using orvelle::PixelRect;
using orvelle::PixelSize;
using orvelle::win::SaverWindow;

using bench::Median;
using bench::Pump;
using bench::Seconds;

namespace {

const CLSID kFactoryId = {
    0xcacaf262, 0x9370, 0x4615, {0xa1, 0x3b, 0x9f, 0x55, 0x39, 0xda, 0x4c, 0x0a}};
const GUID kJpegContainer = {
    0x19e4a5aa, 0x5662, 0x4fc5, {0xa0, 0xc0, 0x17, 0x58, 0x02, 0x8e, 0x10, 0x57}};

template <typename T>
void Release(T*& p) {
    if (p) {
        p->Release();
        p = nullptr;
    }
}

// The baseline: the file decoded whole at its own size to 32-bit BGR, as a plain viewer would.
bool DecodeWhole(IWICImagingFactory* factory, const std::wstring& path) {
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    IWICFormatConverter* converter = nullptr;
    bool ok = false;
    UINT w = 0;
    UINT h = 0;
    if (SUCCEEDED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                     WICDecodeMetadataCacheOnDemand, &decoder)) &&
        SUCCEEDED(decoder->GetFrame(0, &frame)) && SUCCEEDED(frame->GetSize(&w, &h)) &&
        SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
        SUCCEEDED(converter->Initialize(frame, GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone,
                                        nullptr, 0.0, WICBitmapPaletteTypeCustom))) {
        std::vector<BYTE> pixels(static_cast<std::size_t>(w) * h * 4);
        ok = SUCCEEDED(
            converter->CopyPixels(nullptr, w * 4, static_cast<UINT>(pixels.size()), pixels.data()));
    }
    Release(converter);
    Release(frame);
    Release(decoder);
    return ok;
}

// A 5120 x 2880 JPEG with smooth shading and fine detail, through the system's encoder.
bool MakePicture(IWICImagingFactory* factory, const std::wstring& path) {
    const UINT w = 5120;
    const UINT h = 2880;
    std::vector<BYTE> pixels(static_cast<std::size_t>(w) * h * 3);
    unsigned seed = 12345;
    for (UINT y = 0; y < h; ++y) {
        for (UINT x = 0; x < w; ++x) {
            seed = seed * 1103515245u + 12345u;
            const int noise = static_cast<int>((seed >> 16) & 31) - 16;
            BYTE* p = pixels.data() + (static_cast<std::size_t>(y) * w + x) * 3;
            const double fx = x / static_cast<double>(w);
            const double fy = y / static_cast<double>(h);
            p[0] = static_cast<BYTE>(std::clamp(
                static_cast<int>(128 + 100 * std::sin(fx * 17 + fy * 5)) + noise, 0, 255));
            p[1] = static_cast<BYTE>(std::clamp(static_cast<int>(255 * fy) + noise, 0, 255));
            p[2] = static_cast<BYTE>(std::clamp(
                static_cast<int>(128 + 100 * std::cos(fy * 23 - fx * 3)) + noise, 0, 255));
        }
    }
    IWICStream* stream = nullptr;
    IWICBitmapEncoder* encoder = nullptr;
    IWICBitmapFrameEncode* frame = nullptr;
    bool ok = false;
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    if (SUCCEEDED(factory->CreateStream(&stream)) &&
        SUCCEEDED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)) &&
        SUCCEEDED(factory->CreateEncoder(kJpegContainer, nullptr, &encoder)) &&
        SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
        SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr)) &&
        SUCCEEDED(frame->Initialize(nullptr)) && SUCCEEDED(frame->SetSize(w, h)) &&
        SUCCEEDED(frame->SetPixelFormat(&format)) &&
        IsEqualGUID(format, GUID_WICPixelFormat24bppBGR)) {
        ok = SUCCEEDED(
                 frame->WritePixels(h, w * 3, static_cast<UINT>(pixels.size()), pixels.data())) &&
             SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
    }
    Release(frame);
    Release(encoder);
    Release(stream);
    return ok;
}

// The picture's size on screen, as the engine scales it: the longer side to 0.99 of the
// screen's, the other in proportion, never enlarged.
PixelSize ShownSize(PixelSize picture, PixelSize screen) {
    const double fraction = 0.99;
    if (picture.height > picture.width) {
        if (picture.height < std::lround(fraction * screen.height)) {
            return picture;
        }
        const int h = static_cast<int>(std::lround(fraction * screen.height));
        return {
            static_cast<int>(std::lround(static_cast<double>(h) * picture.width / picture.height)),
            h};
    }
    if (picture.width < std::lround(fraction * screen.width)) {
        return picture;
    }
    const int w = static_cast<int>(std::lround(fraction * screen.width));
    return {w,
            static_cast<int>(std::lround(static_cast<double>(w) * picture.height / picture.width))};
}

}  // namespace

int main(int argc, char** argv) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IWICImagingFactory* factory = nullptr;
    if (FAILED(CoCreateInstance(kFactoryId, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(&factory)))) {
        std::fprintf(stderr, "no imaging factory\n");
        return 1;
    }
    // The picture's path from the wide command line, so that any file name can be given.
    int wideCount = 0;
    LPWSTR* wideArgs = CommandLineToArgvW(GetCommandLineW(), &wideCount);
    std::string path = wideArgs && wideCount > 1 ? orvelle::win::Narrow(wideArgs[1]) : "";
    LocalFree(wideArgs);
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
    bool made = false;
    if (path.empty()) {
        wchar_t folder[MAX_PATH + 1] = {};
        GetTempPathW(MAX_PATH + 1, folder);
        path = orvelle::win::Narrow(folder) + "orvelle-bench-5120x2880-baseline.jpg";
        const std::wstring wide = orvelle::win::Wide(path);
        if (!MakePicture(factory, wide)) {
            std::fprintf(stderr, "could not make %s\n", path.c_str());
            return 1;
        }
        made = true;
    }
    const std::wstring widePath = orvelle::win::Wide(path);

    SaverWindow window(GetModuleHandleW(nullptr));
    window.CoverScreen();
    window.PaintSolidBackground(0x000000);
    Pump();
    const PixelSize screen = window.ScreenSize();

    const std::optional<PixelSize> pictureSize = window.LoadPicture(path);
    if (!pictureSize) {
        std::fprintf(stderr, "cannot load %s\n", path.c_str());
        return 1;
    }
    const PixelSize shown = ShownSize(*pictureSize, screen);
    const PixelRect place{(screen.width - shown.width) / 2, (screen.height - shown.height) / 2,
                          shown.width, shown.height};
    window.ScaleLoadedPicture(shown);
    window.MoveDisplay(place);
    window.ShowDisplay(true);
    window.CommitDisplay();
    Pump();

    // One change as the engine makes it, without the fixed pause between wipe-out and reveal.
    auto change = [&]() -> bool {
        window.ClearPictures();
        if (!window.GrabBackgroundPatch(place)) {
            return false;
        }
        window.CommitDisplay();  // Standard wipe-out
        window.ShowDisplay(false);
        if (!window.LoadPicture(path) || !window.ScaleLoadedPicture(shown)) {
            return false;
        }
        window.MoveDisplay(place);
        window.ShowDisplay(true);
        window.CommitDisplay();  // Standard reveal
        GdiFlush();
        return true;
    };

    std::vector<double> decodeTimes;
    std::vector<double> changeTimes;
    DecodeWhole(factory, widePath);  // warm the file cache and the codec
    for (int i = 0; i < rounds; ++i) {
        double t0 = Seconds();
        if (!DecodeWhole(factory, widePath)) {
            std::fprintf(stderr, "decode failed\n");
            return 1;
        }
        double t1 = Seconds();
        if (!change()) {
            std::fprintf(stderr, "change failed\n");
            return 1;
        }
        double t2 = Seconds();
        Pump();
        decodeTimes.push_back(t1 - t0);
        changeTimes.push_back(t2 - t1);
    }
    const double decode = Median(decodeTimes);
    const double whole = Median(changeTimes);
    std::printf("picture: %s (%d x %d%s)\n", path.c_str(), pictureSize->width, pictureSize->height,
                made ? ", baseline, made here" : "");
    std::printf("screen: %d x %d, shown at %d x %d\n", screen.width, screen.height, shown.width,
                shown.height);
    std::printf("rounds: %d (medians)\n", rounds);
    std::printf("decode alone:  %8.1f ms\n", decode * 1000);
    std::printf("whole change:  %8.1f ms\n", whole * 1000);
    std::printf("ratio:         %8.2f (target <= 1.20)\n", whole / decode);
    window.UnloadSaverWindow();
    factory->Release();
    if (made) {
        DeleteFileW(widePath.c_str());
    }
    CoUninitialize();
    return whole <= 1.2 * decode ? 0 : 2;
}
