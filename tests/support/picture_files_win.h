// Picture files written and read through the system's codecs (WIC), for the test programs and
// the benchmarks alike. Colours are 0x00BBGGRR.
#pragma once

#include <windows.h>
#include <wincodec.h>

#include <functional>
#include <string>

namespace test_support {

// The WIC factory of this thread, COM started for it; nullptr when there is none.
IWICImagingFactory* ImagingFactory();

template <typename T>
void Release(T*& object) {
    if (object) {
        object->Release();
        object = nullptr;
    }
}

// A picture of width x height through the system's encoder for the container
// (GUID_ContainerFormatJpeg, GUID_ContainerFormatPng, ...), written row by row so that a large
// picture never needs all its pixels in memory at once. False when it could not be written.
bool WriteEncodedPicture(const std::string& path, const GUID& container, int width, int height,
                         const std::function<COLORREF(int, int)>& colour);

}  // namespace test_support
