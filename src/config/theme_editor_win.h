// The real theme editor: the editor window with the portable editor behind it. Every control
// event goes to the editor, and what the editor's controls then show is put onto the window;
// the questions it asks (messages, colour and file dialogs) are answered by the user here.
#pragma once

#include <windows.h>

#include <array>
#include <map>
#include <memory>

#include "base/clock_win.h"
#include "config/theme_editor.h"
#include "config/theme_editor_view_win.h"
#include "config/picture_viewer_win.h"
#include "config/folder_import_win.h"
#include "config/shown_picture_win.h"
#include "media/mci_sender_win.h"
#include "media/mmedia.h"
#include "settings/file_system_win.h"
#include "settings/theme_storage.h"

namespace orvelle::win {

class ThemeEditorWindow : public ThemeEditorView, private EditorServices {
  public:
    ThemeEditorWindow(HINSTANCE instance, const std::string& programFolder);
    ~ThemeEditorWindow() override;

    ThemeEditor& Editor() { return editor_; }
    // Puts what changed in the editor's controls onto the window (after the editor was driven
    // directly, as by the folder import).
    void ShowEditor();

  protected:
    bool OnInitDialog() override;
    void OnControlCommand(int id, int code) override;
    void OnControlScroll(int id, int code, int value) override;
    void OnHelp() override;
    void OnToolbarButton(int toolbarId, std::string_view key) override;
    void OnOk() override;
    void OnCancel() override;
    // The close box and Alt+F4: asked about unsaved edits first.
    void OnClose() override;
    bool PreTranslateMessage(MSG* msg) override;
    void OnUnload() override;
    void OnMusicTimer() override;
    void OnTabChanged(EditorTab tab) override;
    void OnDrawSurface(int id, HDC dc, const RECT& bounds) override;
    void DrawGradient(HDC dc, const RECT& bounds);
    // The small dialog on its model, then the editor as the dialog left it.
    void ShowSmallDialog(int templateId) override;

  private:
    void ShowControl(int id, const ControlState& state);
    void ShowItems(HWND control, ControlKind kind, const ControlState& state, std::uint32_t& shown);
    void ShowSelection(HWND control, ControlKind kind, const ControlState& state);
    void ShowValue(HWND control, ControlKind kind, int value);
    // A list's notification: true when it is one the editor takes.
    bool ListCommand(int id, ControlKind kind, int code);
    // Message boxes belong to the window in front: a small dialog while one is open.
    HWND MessageOwner() const;

    // EditorServices
    MessageAnswer ShowMessage(const std::string& text, MessageButtons buttons) override;
    MessageAnswer ShowPlainMessage(const std::string& text, MessageButtons buttons) override;
    std::optional<Colour> ChooseColour(Colour initial) override;
    std::optional<CaptionFontChoice> PickCaptionFont(const CaptionFontChoice& initial,
                                                     int minPoints, int maxPoints) override;
    std::optional<std::string> ChooseFileToOpen(const OpenFileRequest& request) override;
    void OpenDocument(const std::string& pathOrAddress) override;
    int WaveOutDeviceCount() override;
    std::optional<PixelSize> PictureSize(const std::string& path) override;
    int TwipsPerPixelX() override;
    int TwipsPerPixelY() override;
    void ShowPictureViewer(const std::string& path) override;
    void ShowError(const std::string& text) override;
    void ShowFolderImport() override;
    void ShowBusyPointer(bool busy) override;

    WinFileSystem files_;
    ThemeStorage storage_;
    MciSenderWin mci_;
    ClockWin clock_;
    Mmedia player_;
    ThemeEditor editor_;
    std::map<int, std::uint32_t> shownRevisions_;
    std::array<COLORREF, 16> customColours_{};
    PictureViewer viewer_;
    FolderImportWindow folderImport_;
    ShownPicture preview_;
    ShownPicture thumbnail_;
    bool applying_ = false;
    // The message being handled is the Esc key (which the dialog manager turns into Cancel).
    bool escapePressed_ = false;
    bool musicTimerRunning_ = false;
};

// Opens the theme editor (centred on owner, or on the screen) and runs it until it closes; the
// exit code.
int RunThemeEditor(HINSTANCE instance, HWND owner);

}  // namespace orvelle::win
