// The handlers of the editor's tab pages that do more than write their key: the picture list with
// its preview and captions, the music list with its player, the interval, and the background's
// colour and picture. The controls that only write their key are handled from their rows.
#pragma once

#include <string>
#include <vector>

#include "config/list_editor.h"

namespace orvelle {

class ThemeEditor;

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

}  // namespace orvelle
