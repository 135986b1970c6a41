// The maker's pages the editor's Websites menu and the about box open.
#pragma once

namespace orvelle {

inline constexpr const char* kHomePageAddress = "https://orvelle.example.org/";
inline constexpr const char* kFreeStuffAddress = "https://orvelle.example.org/free/";

}  // namespace orvelle
