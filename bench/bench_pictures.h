// Pictures and program folders made by the benchmark programs: JPEGs through the system's
// encoder, row by row, and a saver folder with its settings and a theme of given pictures.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/wide_win.h"
#include "picture_files_win.h"

namespace bench {

// A JPEG of width x height whose pixel (x, y) is colour(x, y) as 0x00BBGGRR, written row by row
// so that no picture is ever held whole. Kept when the file is there already.
inline bool MakeJpeg(const std::string& path, int width, int height,
                     const std::function<COLORREF(int, int)>& colour) {
    const std::wstring wide = orvelle::win::Wide(path);
    if (GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES) {
        return true;
    }
    if (test_support::WriteEncodedPicture(path, GUID_ContainerFormatJpeg, width, height, colour)) {
        return true;
    }
    DeleteFileW(wide.c_str());
    return false;
}

// A photo-like tint: the colour with fine noise and a soft shading, so that the file holds
// about as much detail as a photo of its size.
inline std::function<COLORREF(int, int)> Tinted(COLORREF tint) {
    return [tint](int x, int y) {
        std::uint32_t seed =
            static_cast<std::uint32_t>(x) * 2654435761u ^ static_cast<std::uint32_t>(y) * 40503u;
        seed ^= seed >> 13;
        seed *= 0x5bd1e995u;
        const int noise = static_cast<int>((seed >> 24) & 31) - 16;
        const auto channel = [noise](int c) {
            return static_cast<BYTE>(c + noise < 0 ? 0 : (c + noise > 255 ? 255 : c + noise));
        };
        return RGB(channel(GetRValue(tint)), channel(GetGValue(tint)), channel(GetBValue(tint)));
    };
}

inline void WriteText(const std::string& path, const std::string& text) {
    HANDLE file = CreateFileW(orvelle::win::Wide(path).c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

// A saver folder (ending in "\"): its global settings, and a current theme "Bench" showing the
// pictures centred at 99 % in list order (or, shuffled, in the fair shuffle) every interval
// seconds with the one effect flag on; imageLines: more [image] keys ("key=value\r\n" each).
inline void WriteSaverFolder(const std::string& folder, const std::vector<std::string>& pictures,
                             const std::string& interval, const std::string& effect,
                             bool shuffled = false, const std::string& imageLines = "") {
    CreateDirectoryW(orvelle::win::Wide(folder).c_str(), nullptr);
    CreateDirectoryW(orvelle::win::Wide(folder + "orvellesaver").c_str(), nullptr);
    WriteText(folder + "orvellemain.ini",
              "[saver]\r\ncurrentsaver=Bench\r\n[mouse]\r\nmouseSensitivity=1\r\n"
              "[setup]\r\nsamplePicture=0\r\n");
    std::string theme =
        "[total]\r\ntotal=" + std::to_string(pictures.size()) + "\r\nmediaTotal=0\r\n[images]\r\n";
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        theme += std::to_string(i) + "=" + pictures[i] + "\r\n";
    }
    theme += std::string("[image]\r\nrandomPick=") + (shuffled ? "1" : "0") +
             "\r\nrandomNoRepeats=1\r\npicSpeed=2\r\ntimeInterval=" + interval +
             "\r\npicRandom=cent\r\npicturePercent=99\r\ntimeDisplay=0\r\nrandomMedia=0\r\n" +
             imageLines +
             "[background]\r\nbackEffect=0\r\nnewBackColor=0\r\n"
             "[font]\r\nnewFontName=Arial\r\nnewFontSize=12\r\nscroll=1\r\nscrollSpeed=100\r\n"
             "newFontForeColor=16777215\r\n[transitions]\r\n" +
             effect + "=1\r\n";
    WriteText(folder + "orvellesaver\\Bench.ini", theme);
}

// A theme with every key the editor reads (so that it opens without a message) and the pictures
// with their captions ("" where none is given).
inline std::string EditorThemeText(const std::vector<std::string>& pictures,
                                   const std::vector<std::string>& captions = {}) {
    std::string text = "[images]\r\n";
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        text += std::to_string(i) + "=" + pictures[i] + "\r\n";
    }
    text += "[caption]\r\n";
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        text += std::to_string(i) + "=" + (i < captions.size() ? captions[i] : "") + "\r\n";
    }
    text += "[total]\r\ntotal=" + std::to_string(pictures.size()) +
            "\r\nmediaTotal=0\r\n[image]\r\nrandomMedia=0\r\nrandomPick=0\r\npicSpeed=2\r\n"
            "timeInterval=8\r\npicRandom=cent\r\npicChange=ch\r\npicturePercent=80\r\n"
            "timeDisplay=0\r\nrandomNoRepeats=1\r\nresumeListOrder=0\r\n[background]\r\n"
            "newBackColor=0\r\nbackEffect=0\r\nbackgroundImage=\r\nbackgroundDisplay=0\r\n"
            "redBackground=0\r\ngreenBackground=0\r\nblueBackground=0\r\n[font]\r\nscroll=1\r\n"
            "scrollSpeed=150\r\nnewFontName=Arial\r\nnewFontSize=12\r\nnewFontBold=False\r\n"
            "newFontItalic=False\r\nnewFontUnderline=False\r\nnewFontFontStrikethru=False\r\n"
            "newFontForeColor=0\r\n[transitions]\r\nbStandard=1\r\nbLeftWipe=0\r\n"
            "bRightWipe=0\r\nbRightandLeftWipe=0\r\nbUpAndDown=0\r\nbCenter=0\r\n"
            "bHorizontalBlinds=0\r\nbVerticalBlinds=0\r\nbFade=0\r\n[date]\r\n"
            "countdownMonth=12\r\ncountdownDay=25\r\ncountdownYear=2027\r\n";
    return text;
}

}  // namespace bench
