// What the theme editor asks of the person in front of it and of the system: message boxes, the
// common dialogs, the shell, the sound hardware, picture files and the pointer. The window
// answers with the real thing; tests answer from a script.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "base/colour.h"
#include "base/geometry.h"

namespace orvelle {

enum class MessageButtons : std::uint8_t { Ok, YesNo, YesNoCancel };
enum class MessageAnswer : std::uint8_t { Ok, Yes, No, Cancel };

// The caption font as the font dialog takes and gives it.
struct CaptionFontChoice {
    std::string face;
    float points = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    Colour colour = 0;
};

// The open-file dialog's settings: filter in "Description|*.a;*.b|..." form (the first one
// selected), title and the dialog's flag bits (0x1000 the file must exist, 0x4 no read-only box).
struct OpenFileRequest {
    std::string filter;
    std::string title;
    std::uint32_t flags = 0;
};

class EditorServices {
  public:
    virtual ~EditorServices() = default;
    // A modal message box with the exclamation icon.
    virtual MessageAnswer ShowMessage(const std::string& text, MessageButtons buttons) = 0;
    // A modal message box without an icon.
    virtual MessageAnswer ShowPlainMessage(const std::string& text, MessageButtons buttons) = 0;
    // A modal message box with the critical-error icon and OK.
    virtual void ShowError(const std::string& text) = 0;
    // The colour dialog opened on initial; nothing when cancelled.
    virtual std::optional<Colour> ChooseColour(Colour initial) = 0;
    // The font dialog opened on initial, sizes limited to minPoints..maxPoints.
    virtual std::optional<CaptionFontChoice> PickCaptionFont(const CaptionFontChoice& initial,
                                                             int minPoints, int maxPoints) = 0;
    virtual std::optional<std::string> ChooseFileToOpen(const OpenFileRequest& request) = 0;
    // The shell's open of a file or web address; its result is not looked at.
    virtual void OpenDocument(const std::string& pathOrAddress) = 0;
    virtual int WaveOutDeviceCount() = 0;
    // A picture file's size in pixels (upright); nothing when it cannot be read as a picture.
    virtual std::optional<PixelSize> PictureSize(const std::string& path) = 0;
    virtual int TwipsPerPixelX() = 0;
    virtual int TwipsPerPixelY() = 0;
    // The folder import window beside the editor.
    virtual void ShowFolderImport() = 0;
    // The picture viewer beside the editor, on this file ("" when no picture is chosen).
    virtual void ShowPictureViewer(const std::string& path) = 0;
    // The hourglass while the editor works without answering, the arrow otherwise.
    virtual void ShowBusyPointer(bool busy) = 0;
};

}  // namespace orvelle
