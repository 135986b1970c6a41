#include "picture/picture_codecs_win.h"

#include <objbase.h>

#include <string>

#include "base/wide_win.h"

namespace orvelle::win {

namespace {

// The factory's class id, spelled out so the program needs no GUID library for it.
constexpr CLSID kImagingFactoryId = {
    0xcacaf262, 0x9370, 0x4615, {0xa1, 0x3b, 0x9f, 0x55, 0x39, 0xda, 0x4c, 0x0a}};

// COM for the scope of a question, where the thread has not started it already.
class ComScope {
  public:
    ComScope() : started_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) {}
    ~ComScope() {
        if (started_) {
            CoUninitialize();
        }
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

  private:
    bool started_;
};

// A text the codec information hands out by the usual two calls: the length, then the text.
template <typename Get>
std::string CodecText(Get&& get) {
    UINT length = 0;
    if (FAILED(get(0u, static_cast<WCHAR*>(nullptr), &length)) || length == 0) {
        return {};
    }
    std::wstring text(length, L'\0');
    if (FAILED(get(length, text.data(), &length))) {
        return {};
    }
    text.resize(wcsnlen(text.c_str(), text.size()));
    return Narrow(text);
}

PictureCodec CodecOf(IWICBitmapCodecInfo* info) {
    PictureCodec codec;
    codec.name = CodecText([&](UINT size, WCHAR* text, UINT* length) {
        return info->GetFriendlyName(size, text, length);
    });
    // A list separated by commas (".jpeg,.jpe,.jpg"), by semicolons in some decoders.
    const std::string extensions = CodecText([&](UINT size, WCHAR* text, UINT* length) {
        return info->GetFileExtensions(size, text, length);
    });
    std::size_t start = 0;
    while (start <= extensions.size()) {
        const std::size_t comma =
            std::min(extensions.find_first_of(",;", start), extensions.size());
        if (comma > start) {
            codec.extensions.push_back(extensions.substr(start, comma - start));
        }
        start = comma + 1;
    }
    return codec;
}

std::vector<PictureCodec> AskForCodecs() {
    const ComScope com;
    std::vector<PictureCodec> codecs;
    Com<IWICImagingFactory> factory;
    Com<IEnumUnknown> components;
    if (!CreateImagingFactory(factory) ||
        FAILED(factory->CreateComponentEnumerator(WICDecoder, WICComponentEnumerateDefault,
                                                  components.Out()))) {
        return codecs;
    }
    for (;;) {
        Com<IUnknown> component;
        ULONG got = 0;
        if (components->Next(1, component.Out(), &got) != S_OK || got != 1) {
            break;
        }
        Com<IWICBitmapCodecInfo> info;
        if (SUCCEEDED(component->QueryInterface(IID_IWICBitmapCodecInfo, info.OutVoid())) && info) {
            codecs.push_back(CodecOf(info.Get()));
        }
    }
    return codecs;
}

}  // namespace

bool CreateImagingFactory(Com<IWICImagingFactory>& factory) {
    return SUCCEEDED(CoCreateInstance(kImagingFactoryId, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IWICImagingFactory, factory.OutVoid())) &&
           factory;
}

const std::vector<PictureCodec>& InstalledPictureCodecs() {
    static const std::vector<PictureCodec> codecs = AskForCodecs();
    return codecs;
}

}  // namespace orvelle::win
