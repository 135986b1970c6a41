// Read-only registry access for ReadRegistryText.
#pragma once

#include "saver/registry_text.h"

namespace orvelle::win {

class RegistryReaderWin : public RegistryReader {
  public:
    std::optional<RegistryValue> Query(std::uint32_t rootKey, const std::string& keyPath,
                                       const std::string& valueName) override;
};

}  // namespace orvelle::win
