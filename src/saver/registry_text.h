// ReadRegistryText: one registry value as text, "" on any failure.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace orvelle {

struct RegistryValue {
    std::uint32_t type = 0;  // REG_SZ = 1, REG_DWORD = 4, ...
    std::string data;  // the value's bytes (at most 255); text as UTF-8 with its terminating zero
};

// Raw registry access, read only (RegOpenKeyExW, RegQueryValueExW, RegCloseKey on Windows).
class RegistryReader {
  public:
    virtual ~RegistryReader() = default;
    // Nothing when the key cannot be opened or the value cannot be read.
    virtual std::optional<RegistryValue> Query(std::uint32_t rootKey, const std::string& keyPath,
                                               const std::string& valueName) = 0;
};

// Root keys outside the predefined range 0x80000000..0x80000006 give "" without asking the
// registry. A REG_DWORD reads as its decimal number with at least three digits ("001"); any other
// type as its bytes without the terminating zero.
std::string ReadRegistryText(RegistryReader& registry, std::uint32_t rootKey,
                             const std::string& keyPath, const std::string& valueName);

constexpr std::uint32_t kHkeyCurrentUser = 0x80000001u;

}  // namespace orvelle
