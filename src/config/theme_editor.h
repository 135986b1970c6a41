// The theme editor's behaviour, without any window: the current theme's settings named after
// their keys, what every control shows, and one method per control event. The window forwards
// each event here and copies the controls' state back onto the screen; everything that needs a
// person goes through EditorServices.
//
// Loading a theme sets controls the way a user would, and setting an option button, check box
// or list selection runs that control's handler, so the enabling rules follow the loaded values.
#pragma once

#include <array>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "base/colour.h"
#include "base/geometry.h"
#include "config/editor_controls.h"
#include "config/editor_services.h"
#include "settings/theme_model.h"

namespace orvelle {

class ThemeEditor;
class Mmedia;
class ThemeStorage;

// The controls of the "Images" tab that this editor handles so far: the picture list's
// selection with its preview, the random order and the caption placement.
class ImagesPage {
  public:
    explicit ImagesPage(ThemeEditor& editor) : editor_(editor) {}
    // The picture toolbar ("Add", "Delete", "DeleteAll", "Up", "Down") and the caption toolbar
    // ("ClearCaption", "Font"); any other key does nothing more than mark the theme changed.
    void toolbarImages_ButtonClick(const std::string& key);
    void toolbarCaptions_ButtonClick(const std::string& key);
    void AddPicture();
    void DeletePicture();
    void DeleteAllPictures();
    void MovePictureUp();
    void MovePictureDown();
    void p_caption_Change();
    void ClearSelectedCaption();
    void ChooseCaptionFont();
    void List1_Click();
    // List1 double-click, photo1 click and the caption toolbar's "Enlarge": the viewer.
    void ShowViewer();
    void FolderCommand_Click();
    // The folder import's pictures appended with empty captions, the last one selected.
    void ImportPictures(const std::vector<std::string>& paths);
    // Draws the picture into the preview; false when it cannot be loaded.
    bool PreviewPicture(const std::string& path);
    void Random_select_Click();
    void scrollOption_Click();
    void middleOption_Click();
    void scrollSlider_Scroll();

  private:
    void MovePicture(int step, const char* cannotMove);
    void SetCaption(const std::string& text);
    void ShowTotal();
    ThemeEditor& editor_;
};

// The "Music" tab: the playlist and a small player for one of its files.
class MusicPage {
  public:
    explicit MusicPage(ThemeEditor& editor) : editor_(editor) {}
    void ToolbarMedia_ButtonClick(const std::string& key);
    void AddMusicFile();
    void DeleteMusicFile();
    void DeleteAllMusicFiles();
    void MoveMusicFileUp();
    void MoveMusicFileDown();
    void multimediaList_Click();
    void playCommand_Click();
    void closeCommand_Click();
    void Timer1_Timer();
    void randomMediaCheck_Click();
    void ShowStoppedButtons();
    void ShowPlayingButtons();
    void DisableMusicButtons();
    // Closes the file that plays; true when one did.
    bool StopIfPlaying();

  private:
    void MoveMusicFile(int step, const char* nothing, const char* cannotMove);
    void ShowTotal();
    ThemeEditor& editor_;
};

class ImageSettingsPage {
  public:
    explicit ImageSettingsPage(ThemeEditor& editor) : editor_(editor) {}
    void PercentSlider_Scroll();
    void aChange_Click();
    void nChange_Click();
    void changeVScroll1_Change();
    // Typed seconds are kept as typed (checked at a save); a whole number the scroll bar can
    // show moves it along.
    void Text2_Change();
    void pCenter_Click();
    void pRandom_Click();
    void floatSlider_Change();

  private:
    ThemeEditor& editor_;
};

class BackgroundPage {
  public:
    explicit BackgroundPage(ThemeEditor& editor) : editor_(editor) {}
    void backgroundColor_Click();
    void backgroundDesktop_Click();
    void backgroundCustomImage_Click();
    void backgroundColorGradient_Click();
    void EnableColorGroup(bool enabled);
    void EnableCustomImageGroup(bool enabled);
    void EnableGradientGroup(bool enabled);
    void backColorClick_Click();
    void addBackImg_Click();
    void removeBackImg_Click();
    void CenterOption_Click();
    void FullScreenOption_Click();
    void TileOption_Click();
    void redSlider_Scroll();
    void greenSlider_Scroll();
    void blueSlider_Scroll();

  private:
    void ShowKind(int blueFrame, bool colour, bool custom, bool gradient);
    void ColourSlider(int slider, int label, int swatch, const char* word, std::string& setting,
                      int shift);
    ThemeEditor& editor_;
};

class CountdownPage {
  public:
    explicit CountdownPage(ThemeEditor& editor) : editor_(editor) {}
    void noneOption_Click();
    void timeOption_Click();
    void yearOption_Click();
    void monthCombo_Click();
    void dayCombo_Click();
    void yearCombo_Click();
    // Text typed into a date list's box is kept as typed (checked at a save with the countdown).
    void monthCombo_Change();
    void dayCombo_Change();
    void yearCombo_Change();

  private:
    void EnableDateLists(bool enabled);
    ThemeEditor& editor_;
};

// The seconds a picture stays, as the interval's scroll bar shows them: a whole number from 0 to
// 60; nothing for any other text.
std::optional<int> IntervalSeconds(const std::string& text);

// Where the picture preview draws: the picture at rect inside photo1 (both in twips, photo1
// being kPreviewWidth x kPreviewHeight), or nothing.
struct PreviewDrawing {
    std::string path;  // as it is opened (program folder resolved)
    PixelRect rect;    // in twips
    bool shown = false;
};

class ThemeEditor {
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
    void StartConfiguration();
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
    // What the colour dialog (dlgDialog2) and the font dialog (dlgDialog) open with.
    Colour colourDialogColour = 0;
    CaptionFontChoice fontDialogFont;

    EditorControls controls;
    int tab = 0;  // SSTab1's page, as the window reports it and the theme switch sets it
    std::string title = kDesignTitle;
    PreviewDrawing preview;
    std::string backgroundThumbnail;     // Image1: the picture file shown, "" for none
    std::array<Colour, 256> gradient{};  // GradientPicture's bands, top to bottom

    bool musicTimerOn = false;  // Timer1, the music player's 500 ms tick

    ImagesPage images{*this};
    MusicPage music{*this};
    ImageSettingsPage imageSettings{*this};
    BackgroundPage background{*this};
    CountdownPage countdown{*this};

    // Switches the option button on and the others of its group off, then runs its handler.
    void SelectOption(int id);
    // The option of that number among the group's (0 the first); none for another number.
    void SelectNumbered(int number, std::initializer_list<int> options);
    // Sets the check box and runs its handler.
    void SetCheck(int id, bool checked);
    void Select(int id, int index);
    ThemeStorage& Storage() { return storage_; }
    Mmedia& MediaPlayer() { return mediaPlayer_; }
    EditorServices& Services() { return services_; }

  private:
    void Message(const std::string& text);
    bool SaveChecksPass();
    // The parts of a save: the files written whole or not at all; false after its message.
    bool WriteThemeFiles();
    // The theme's text of the key into its setting, for the control that is set next.
    const std::string& Take(const LoadedTheme& theme, ThemeKey key);
    void ShowLists(const LoadedTheme& theme);
    void ShowImageSettings(const LoadedTheme& theme);
    void ShowColours(const LoadedTheme& theme);
    void ShowTransitionsAndClock(const LoadedTheme& theme);
    void ShowCaptionFont(const LoadedTheme& theme);
    void ReportReplacedKeys(const std::string& name, const LoadedTheme& theme);

    ThemeStorage& storage_;
    EditorServices& services_;
    Mmedia& mediaPlayer_;
};

}  // namespace orvelle
