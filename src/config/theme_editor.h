// The theme editor's behaviour, without any window: the current theme's settings named after
// their keys, what every control shows, and one entry per kind of control event. The window
// forwards each event here and copies the controls' state back onto the screen; everything that
// needs a person goes through EditorServices.
//
// What a control means is its row in the control table (control_table.h): an option button,
// check box, slider or date list that only writes its key is handled from its row alone; a
// control that does more names its handler there, one of the pages' below.
//
// Loading a theme sets controls the way a user would, and setting an option button, check box
// or list selection runs that control's handling, so the enabling rules follow the loaded values.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "base/colour.h"
#include "base/geometry.h"
#include "config/control_table.h"
#include "config/editor_controls.h"
#include "config/list_editor.h"
#include "config/editor_services.h"
#include "settings/theme_model.h"

namespace orvelle {

class Mmedia;
class ThemeEditor;
class ThemeStorage;

// The handlers of the tab pages that do more than write their key: the picture list with its
// preview and captions, the music list with its player, the interval, and the background's
// colour and picture.

// "Images": the picture list with its captions, the preview and the caption font.
class ImagesPage : private ListEditor::Owner {
  public:
    explicit ImagesPage(ThemeEditor& editor);
    void OnPictureSelected();
    // The viewer on the chosen picture (a double-click, a click on the preview, "Enlarge").
    void OnViewPicture();
    void OnCaptionTyped();
    void OnClearCaption();
    void OnChooseFont();
    void OnAddFolder();
    // The folder import's pictures appended with empty captions, the last one selected.
    void ImportPictures(const std::vector<std::string>& paths);
    // Draws the picture into the preview; false when it cannot be loaded.
    bool PreviewPicture(const std::string& path);

  private:
    void Choose(int index) override;
    void Removed() override;
    void Emptied() override;
    void Added(const std::string& path) override;
    void WarnIfMany();
    // The caption box set from code runs its change handling, as it does when the user types.
    void SetCaption(const std::string& text);
    bool MeasurePreview(const std::string& path);
    ThemeEditor& editor_;

  public:
    ListEditor list;
};

// "Music": the playlist and a small player for one of its files.
class MusicPage : private ListEditor::Owner {
  public:
    explicit MusicPage(ThemeEditor& editor);
    void OnMusicSelected();
    void OnPlay();
    void OnStop();
    // The player's 500 ms tick while a file plays.
    void OnTick();
    void ShowStoppedButtons();
    void ShowPlayingButtons();
    void DisableMusicButtons();
    // Closes the file that plays; true when one did.
    bool StopIfPlaying();

  private:
    void Choose(int index) override;
    void BeforeEdit() override;
    void Emptied() override;
    void Added(const std::string& path) override;
    ThemeEditor& editor_;

  public:
    ListEditor list;
};

// "Image Settings": "Never" also sets the interval to 0; typed seconds are kept as typed.
class ImageSettingsPage {
  public:
    explicit ImageSettingsPage(ThemeEditor& editor) : editor_(editor) {}
    void OnNeverChange();
    // Typed seconds are kept as typed (checked at a save); a whole number the scroll bar can
    // show moves it along.
    void OnIntervalTyped();

  private:
    ThemeEditor& editor_;
};

// "Background": the colour dialog, the background picture and the gradient's colour sliders.
class BackgroundPage {
  public:
    explicit BackgroundPage(ThemeEditor& editor) : editor_(editor) {}
    void OnChooseColour();
    void OnAddPicture();
    void OnRemovePicture();
    // The swatch of one part (0 red, 1 green, 2 blue) and the gradient follow its slider.
    void OnColourScrolled(int part);
    // The swatch shows the part of the colour alone.
    void ShowSwatch(int part);

  private:
    ThemeEditor& editor_;
};

// A key's number as its control takes it: rounded, halves to even. The load has made sure the
// text is one the control can show.
int ControlNumber(const std::string& text);

// The seconds a picture stays, as the interval's scroll bar shows them: a whole number from 0 to
// 60; nothing for any other text.
std::optional<int> IntervalSeconds(const std::string& text);

// Where the picture preview draws: the picture at rect inside the preview (both in twips, the
// preview being kPreviewWidth x kPreviewHeight), or nothing.
struct PreviewDrawing {
    std::string path;  // as it is opened (program folder resolved)
    PixelRect rect;    // in twips
    bool shown = false;
};

class ThemeEditor {
    // First, as the pages' lists take them when they are made.
    ThemeStorage& storage_;
    EditorServices& services_;
    Mmedia& mediaPlayer_;

  public:
    static constexpr int kPreviewWidth = 2750;   // twips
    static constexpr int kPreviewHeight = 1815;  // twips
    static constexpr const char* kDesignTitle = " Orvelle Screen Saver";

    ThemeEditor(ThemeStorage& storage, EditorServices& services, Mmedia& mediaPlayer);

    // --- The window as a whole ---
    // Start-up: the theme loader.
    void Open();
    // OK and File > Save: true when the window is to close and the program to end.
    bool OnOk();
    // Cancel, File > Exit Without Saving: always true (nothing is written, nothing asked).
    bool OnCancel();
    // Esc and the close box: true when the window may go. With unsaved edits it asks whether to
    // save them: Yes saves as OK does (and stays when that fails), No goes, Cancel stays.
    bool MayClose();
    // The window goes away, by any way: a playing music preview stops.
    void OnClosed();
    void OnHelp();

    // --- Events as the window reports them, by control id ---
    // A button, option button or check box was clicked (option buttons: the one clicked;
    // check boxes: with their new state).
    void Clicked(int id);
    void CheckClicked(int id, bool checked);
    // A slider or scroll bar has the value.
    void Scrolled(int id, int value);
    // An item was chosen in a list or combo box.
    void Chosen(int id, int index);
    // The on/off state of an item of a multiple-selection list.
    void Marked(int id, int index, bool marked);
    // A list entry double-clicked, or a picture surface clicked.
    void DoubleClicked(int id);
    // A toolbar's button, by the toolbar's id and the button's key.
    void ToolbarClicked(int toolbarId, const std::string& key);
    void MusicTick();
    // The user changed the text of an edit box.
    void TextChanged(int id, const std::string& text);

    // --- Loading and saving (also used by the theme dialogs) ---
    // The theme read whole (ReadThemeForEditor) put into every control, the title set and the
    // changes forgotten; then one message names the keys that had to be replaced.
    void ShowTheme(const std::string& name, const LoadedTheme& theme);
    // The thumbnail and path box of settings.backgroundImage, cleared when there is none.
    void ShowBackgroundPicture();
    void PaintGradient();
    void SaveTheme();
    // Shared by the new-theme and load-theme dialogs. With unsaved edits, asks whether to save
    // them: true on Yes when the save succeeded and on No; false on Cancel and on a failed save,
    // and the switch then does not happen.
    bool AskToSaveChanges();
    // The editor on the named theme, first tab shown; false, with a message, when its file
    // could not be read (the editor then stays on its theme with every edit).
    bool SwitchToTheme(const std::string& name);

    // --- State, named after the theme's keys and the editor's own ---
    ThemeSettings settings;  // the single keys; the lists live in the list controls
    std::string currentTheme;
    // The current theme's file was there but could not be read at start-up: it is never
    // written, since a save would replace what it holds.
    bool currentThemeUnreadable = false;
    std::string mouseSensitivity;
    bool settingsChanged = false;
    bool saveSucceeded = false;
    bool manyImagesWarned = false;
    int soundDeviceCount = 0;
    std::string lastPreviewPath;
    int previewWidth = 0;
    int previewHeight = 0;
    // What the colour dialog and the font dialog open with.
    Colour colourDialogColour = 0;
    CaptionFontChoice fontDialogFont;

    EditorControls controls;
    int tab = 0;  // the page shown, as the window reports it and the theme switch sets it
    std::string title = kDesignTitle;
    PreviewDrawing preview;
    std::string backgroundThumbnail;     // the thumbnail's picture file, "" for none
    std::array<Colour, 256> gradient{};  // the gradient preview's bands, top to bottom

    bool musicTimerOn = false;  // the music player's 500 ms tick

    ImagesPage images{*this};
    MusicPage music{*this};
    ImageSettingsPage imageSettings{*this};
    BackgroundPage background{*this};

    // Switches the option button on and the others of its group off, then handles it.
    void SelectOption(int id);
    // Sets the check box and handles it.
    void SetCheck(int id, bool checked);
    ThemeStorage& Storage() { return storage_; }
    Mmedia& MediaPlayer() { return mediaPlayer_; }
    EditorServices& Services() { return services_; }

  private:
    void Message(const std::string& text);
    // A control's handling: what its row says (the key written, the theme marked as changed,
    // the controls it enables), then its own handler if it has one.
    void Handle(const ControlRow& row);
    void HandleOption(const ControlRow& row);
    // What an option or check box enables, enabled or disabled; a frame shows by its caption's
    // colour that its option is chosen, a box is greyed with its controls.
    void EnableFollowers(const ControlRow& row, bool enabled);
    // The control showing the row's value shows the setting's text.
    void ShowValue(const ControlRow& row);
    void StartSound();
    bool SaveChecksPass();
    // The parts of a save: the files written whole or not at all; false after its message.
    bool WriteThemeFiles();
    // The theme's text of the key into its setting, for the control that is set next.
    const std::string& Take(const LoadedTheme& theme, ThemeKey key);
    void ShowLists(const LoadedTheme& theme);
    // Every control with a key set from the theme, page by page.
    void ShowKeys(const LoadedTheme& theme);
    void ShowOptionOf(const ControlRow& row, const std::string& text);
    void ShowSetting(const ControlRow& row, const LoadedTheme& theme);
    void ShowColours(const LoadedTheme& theme);
    void ShowTransitions(const LoadedTheme& theme);
    void ShowCaptionFont(const LoadedTheme& theme);
    void ReportReplacedKeys(const std::string& name, const LoadedTheme& theme);
};

}  // namespace orvelle
