#include "saver/registry_win.h"

#include <windows.h>

#include <string_view>

#include "base/owned_win.h"
#include "base/wide_win.h"

namespace orvelle::win {

std::optional<RegistryValue> RegistryReaderWin::Query(std::uint32_t rootKey,
                                                      const std::string& keyPath,
                                                      const std::string& valueName) {
    HKEY root = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(rootKey)));
    RegistryKey key;
    if (RegOpenKeyExW(root, Wide(keyPath).c_str(), 0, KEY_READ, key.Out()) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    // 255 characters, as the single-byte call had bytes.
    wchar_t buffer[255] = {};
    DWORD size = sizeof buffer;
    DWORD type = 0;
    const LONG result = RegQueryValueExW(key.Get(), Wide(valueName).c_str(), nullptr, &type,
                                         reinterpret_cast<BYTE*>(buffer), &size);
    if (result != ERROR_SUCCESS) {
        return std::nullopt;
    }
    if (type == REG_SZ || type == REG_EXPAND_SZ) {
        // Text comes back as UTF-8, its terminating zero included as the bytes would have it.
        return RegistryValue{type, Narrow(std::wstring_view(buffer, size / sizeof(wchar_t)))};
    }
    return RegistryValue{type, std::string(reinterpret_cast<const char*>(buffer), size)};
}

}  // namespace orvelle::win
