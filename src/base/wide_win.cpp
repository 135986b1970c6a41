#include "base/wide_win.h"

#include "base/utf.h"

#include <utility>

namespace orvelle::win {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide characters are UTF-16");

std::wstring Wide(std::string_view utf8) {
    std::u16string u = Utf8ToUtf16(utf8);
    return std::wstring(reinterpret_cast<const wchar_t*>(u.data()), u.size());
}

std::string Narrow(std::wstring_view wide) {
    return Utf16ToUtf8(
        std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()));
}

std::string Narrow(const wchar_t* wide) {
    return wide ? Narrow(std::wstring_view(wide)) : std::string();
}

std::u16string AnsiToUtf16(std::string_view ansi) {
    if (ansi.empty()) {
        return {};
    }
    const int count = static_cast<int>(ansi.size());
    const int needed = MultiByteToWideChar(CP_ACP, 0, ansi.data(), count, nullptr, 0);
    std::u16string out(static_cast<size_t>(needed > 0 ? needed : 0), u'\0');
    if (needed > 0) {
        MultiByteToWideChar(CP_ACP, 0, ansi.data(), count, reinterpret_cast<wchar_t*>(out.data()),
                            needed);
    }
    return out;
}

std::optional<std::string> Utf16ToAnsi(std::u16string_view text) {
    if (text.empty()) {
        return std::string();
    }
    if (GetACP() == CP_UTF8) {
        // The system refuses the flags below for UTF-8; only a lone surrogate has no form there.
        std::string utf8 = Utf16ToUtf8(text);
        return Utf8ToUtf16(utf8) == text ? std::optional<std::string>(std::move(utf8))
                                         : std::nullopt;
    }
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int count = static_cast<int>(text.size());
    // No best-fit mapping: "ő" must not quietly become "o" in a file name.
    const DWORD flags = WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    const int needed =
        WideCharToMultiByte(CP_ACP, flags, wide, count, nullptr, 0, nullptr, &usedDefault);
    if (needed <= 0 || usedDefault) {
        return std::nullopt;
    }
    std::string out(static_cast<size_t>(needed), '\0');
    usedDefault = FALSE;
    WideCharToMultiByte(CP_ACP, flags, wide, count, out.data(), needed, nullptr, &usedDefault);
    if (usedDefault) {
        return std::nullopt;
    }
    return out;
}

}  // namespace orvelle::win
