#include "picture_files_win.h"

#include <objbase.h>

#include <vector>

#include "base/wide_win.h"

namespace test_support {

IWICImagingFactory* ImagingFactory() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IWICImagingFactory* factory = nullptr;
    CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                     reinterpret_cast<void**>(&factory));
    return factory;
}

bool WriteEncodedPicture(const std::string& path, const GUID& container, int width, int height,
                         const std::function<COLORREF(int, int)>& colour) {
    IWICImagingFactory* factory = ImagingFactory();
    IWICStream* stream = nullptr;
    IWICBitmapEncoder* encoder = nullptr;
    IWICBitmapFrameEncode* frame = nullptr;
    bool ok = false;
    const std::wstring wide = orvelle::win::Wide(path);
    if (factory && SUCCEEDED(factory->CreateStream(&stream)) &&
        SUCCEEDED(stream->InitializeFromFilename(wide.c_str(), GENERIC_WRITE)) &&
        SUCCEEDED(factory->CreateEncoder(container, nullptr, &encoder)) &&
        SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
        SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr)) &&
        SUCCEEDED(frame->Initialize(nullptr)) &&
        SUCCEEDED(frame->SetSize(static_cast<UINT>(width), static_cast<UINT>(height)))) {
        WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
        ok = SUCCEEDED(frame->SetPixelFormat(&format)) &&
             IsEqualGUID(format, GUID_WICPixelFormat24bppBGR);
        const UINT stride = static_cast<UINT>((width * 3 + 3) & ~3);
        std::vector<unsigned char> row(stride);
        for (int y = 0; ok && y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const COLORREF c = colour(x, y);
                row[x * 3] = GetBValue(c);
                row[x * 3 + 1] = GetGValue(c);
                row[x * 3 + 2] = GetRValue(c);
            }
            ok = SUCCEEDED(frame->WritePixels(1, stride, stride, row.data()));
        }
        ok = ok && SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
    }
    Release(frame);
    Release(encoder);
    Release(stream);
    Release(factory);
    return ok;
}

}  // namespace test_support
