// The handlers of the editor's settings tabs. Each writes its value at once, as text, into the
// setting named after its theme key, and marks the theme as changed.
#include <cmath>
#include <optional>

#include "base/numbers.h"
#include "config/theme_editor.h"
#include "config/control_ids.h"
#include "media/mmedia.h"
#include "settings/theme_storage.h"

namespace orvelle {

namespace {

constexpr Colour kChosenFrameColour = 0x00FF0000u;  // pure blue, 0x00BBGGRR

const OpenFileRequest kPictureFileRequest = {
    "Image files (*.gif;*.jpg;*.bmp)|*.gif;*.jpg;*.bmp|CompuServe Files (*.gif)|*.gif|Jpeg "
    "Files (*.jpg)|*.jpg|Jif files (*.jif)|*.jif|Windows Bitmap Files (*.bmp)|*.bmp|Windows DIB "
    "files (*.dib)|*.dib",
    "Select a file to open", 0x1004};

std::string ValueText(const ThemeEditor& editor, int id) {
    return std::to_string(editor.controls[id].value);
}

}  // namespace

// --- "Images" ---

void ImagesPage::toolbarImages_ButtonClick(const std::string& key) {
    editor_.settingsChanged = true;
    if (key == "Add") {
        AddPicture();
    } else if (key == "Delete") {
        DeletePicture();
    } else if (key == "DeleteAll") {
        DeleteAllPictures();
    } else if (key == "Up") {
        MovePictureUp();
    } else if (key == "Down") {
        MovePictureDown();
    }
}

void ImagesPage::toolbarCaptions_ButtonClick(const std::string& key) {
    editor_.settingsChanged = true;
    if (key == "ClearCaption") {
        ClearSelectedCaption();
    } else if (key == "Font") {
        ChooseCaptionFont();
    } else if (key == "Enlarge") {
        ShowViewer();
    }
}

void ImagesPage::FolderCommand_Click() {
    editor_.settingsChanged = true;
    editor_.Services().ShowFolderImport();
}

void ImagesPage::ImportPictures(const std::vector<std::string>& paths) {
    EditorServices& services = editor_.Services();
    services.ShowBusyPointer(true);
    for (const std::string& path : paths) {
        editor_.controls.AddItem(IDC_List1, path);
        editor_.controls.AddItem(IDC_photo_caption, "");
    }
    const int count = static_cast<int>(editor_.controls[IDC_List1].items.size());
    ShowTotal();
    if (count > 0) {
        editor_.Select(IDC_List1, count - 1);
    }
    services.ShowBusyPointer(false);
    if (count > 700 && !editor_.manyImagesWarned) {
        services.ShowMessage(
            "It is recommended that the screen saver should have less than 700 loaded images.",
            MessageButtons::Ok);
        editor_.manyImagesWarned = true;
    }
}

void ImagesPage::ShowViewer() {
    const ControlState& list = editor_.controls[IDC_List1];
    const std::string path = list.selected >= 0
                                 ? editor_.Storage().ResolveProgramPath(
                                       list.items[static_cast<std::size_t>(list.selected)])
                                 : std::string();
    editor_.Services().ShowPictureViewer(path);
}

void ImagesPage::ShowTotal() {
    editor_.controls.SetText(IDC_Text3,
                             "Total: " + std::to_string(editor_.controls[IDC_List1].items.size()));
}

// The caption box set from code runs its change handler, as it does when the user types.
void ImagesPage::SetCaption(const std::string& text) {
    if (editor_.controls[IDC_p_caption].text == text) {
        return;
    }
    editor_.controls.SetText(IDC_p_caption, text);
    p_caption_Change();
}

void ImagesPage::AddPicture() {
    EditorServices& services = editor_.Services();
    const std::optional<std::string> path = services.ChooseFileToOpen(kPictureFileRequest);
    if (!path) {
        services.ShowMessage("No file has been selected.", MessageButtons::Ok);
        return;
    }
    editor_.controls.AddItem(IDC_List1, *path);
    editor_.controls.AddItem(IDC_photo_caption, "");
    const int count = static_cast<int>(editor_.controls[IDC_List1].items.size());
    editor_.Select(IDC_List1, count - 1);
    ShowTotal();
    if (count > 700 && !editor_.manyImagesWarned) {
        services.ShowMessage(
            "It is recommended that the screen saver should have less than 700 loaded images.",
            MessageButtons::Ok);
        editor_.manyImagesWarned = true;
    }
    PreviewPicture(*path);
}

void ImagesPage::DeletePicture() {
    EditorControls& c = editor_.controls;
    const std::vector<std::string>& pictures = c[IDC_List1].items;
    const int index = c[IDC_List1].selected;
    if (pictures.empty() || pictures[0].empty() || index < 0) {
        editor_.Services().ShowMessage("Nothing was selected to remove.", MessageButtons::Ok);
        return;
    }
    c.EraseItem(IDC_List1, index);
    c.EraseItem(IDC_photo_caption, index);
    const bool empty = c[IDC_List1].items.empty();
    editor_.preview.shown = false;
    c.Redraw(IDC_photo1);
    if (empty) {
        SetCaption("");
        ShowTotal();
        c.SetText(IDC_ImagePosition, "");
        return;
    }
    editor_.Select(IDC_List1, index > 0 ? index - 1 : 0);
    ShowTotal();
}

void ImagesPage::DeleteAllPictures() {
    if (editor_.Services().ShowMessage("Do you really want to remove all loaded images?",
                                       MessageButtons::YesNo) != MessageAnswer::Yes) {
        return;
    }
    EditorControls& c = editor_.controls;
    c.ClearItems(IDC_List1);
    editor_.preview.shown = false;
    c.Redraw(IDC_photo1);
    c.ClearItems(IDC_photo_caption);
    SetCaption("");
    c.SetText(IDC_ImagePosition, "");
    ShowTotal();
}

void ImagesPage::MovePicture(int step, const char* cannotMove) {
    EditorControls& c = editor_.controls;
    const int count = static_cast<int>(c[IDC_List1].items.size());
    const int index = c[IDC_List1].selected;
    if (count == 0 || c[IDC_List1].items[0].empty()) {
        editor_.Services().ShowMessage("Nothing was selected to move.", MessageButtons::Ok);
        return;
    }
    if (index < 0 || index >= static_cast<int>(c[IDC_photo_caption].items.size())) {
        editor_.Services().ShowMessage(cannotMove, MessageButtons::Ok);
        return;
    }
    const int target = index + step;
    if (target < 0 || target >= count) {
        return;  // already first or last
    }
    // Two entries change places in each list; the rest of a long list stays as it is.
    for (int id : {IDC_List1, IDC_photo_caption}) {
        const std::string moving = c[id].items[static_cast<std::size_t>(index)];
        c.ReplaceItem(id, index, c[id].items[static_cast<std::size_t>(target)]);
        c.ReplaceItem(id, target, moving);
    }
    editor_.Select(IDC_List1, target);
}

void ImagesPage::MovePictureUp() {
    MovePicture(-1, "Error. Cannot move up. A file needs to be selected.");
}

void ImagesPage::MovePictureDown() {
    MovePicture(1, "Error. Cannot move down. A file needs to be selected.");
}

void ImagesPage::p_caption_Change() {
    editor_.settingsChanged = true;
    EditorControls& c = editor_.controls;
    const std::string text = c[IDC_p_caption].text;
    const int index = c[IDC_List1].selected;
    if (text.empty() && index < 0) {
        return;
    }
    if (!c[IDC_List1].items.empty() || index >= 0) {
        c.ReplaceItem(IDC_photo_caption, index, text);
        return;
    }
    editor_.Services().ShowMessage("An image must be loaded first.", MessageButtons::Ok);
    SetCaption("");
}

void ImagesPage::ClearSelectedCaption() {
    SetCaption("");
    editor_.controls.ReplaceItem(IDC_photo_caption, editor_.controls[IDC_List1].selected, "");
}

void ImagesPage::ChooseCaptionFont() {
    const std::optional<CaptionFontChoice> chosen =
        editor_.Services().PickCaptionFont(editor_.fontDialogFont, 10, 48);
    if (!chosen) {
        return;
    }
    ThemeSettings& s = editor_.settings;
    auto word = [](bool on) { return on ? std::string("True") : std::string("False"); };
    s.newFontName = chosen->face;
    s.newFontSize = FormatSingle(chosen->points);
    s.newFontBold = word(chosen->bold);
    s.newFontItalic = word(chosen->italic);
    s.newFontUnderline = word(chosen->underline);
    s.newFontFontStrikethru = word(chosen->strikethrough);
    s.newFontForeColor = std::to_string(chosen->colour);
    editor_.fontDialogFont = *chosen;
    editor_.controls.SetBackColour(IDC_Picture2, chosen->colour);
}

void ImagesPage::List1_Click() {
    const ControlState& list = editor_.controls[IDC_List1];
    const int index = list.selected;
    if (index < 0) {
        return;
    }
    editor_.controls.SetText(IDC_ImagePosition, "Position: " + std::to_string(index + 1));
    const std::vector<std::string>& captions = editor_.controls[IDC_photo_caption].items;
    if (!PreviewPicture(list.items[static_cast<std::size_t>(index)]) ||
        index >= static_cast<int>(captions.size())) {
        editor_.Services().ShowBusyPointer(false);
        editor_.Services().ShowMessage(
            "Cannot load image file properly.\r\nYou need to reload a new one.",
            MessageButtons::Ok);
        return;
    }
    SetCaption(captions[static_cast<std::size_t>(index)]);
}

bool ImagesPage::PreviewPicture(const std::string& path) {
    if (path != editor_.lastPreviewPath) {
        editor_.lastPreviewPath = path;
        EditorServices& services = editor_.Services();
        services.ShowBusyPointer(true);
        editor_.preview = {};
        const std::string file = editor_.Storage().ResolveProgramPath(path);
        const std::optional<PixelSize> size = services.PictureSize(file);
        if (!size) {
            services.ShowBusyPointer(false);
            // Forgotten, so that choosing the picture again (after the file was put right)
            // tries it again rather than drawing nothing in silence.
            editor_.lastPreviewPath.clear();
            editor_.previewWidth = 0;
            editor_.previewHeight = 0;
            editor_.controls.Redraw(IDC_photo1);
            return false;
        }
        double width = static_cast<double>(size->width) * services.TwipsPerPixelX();
        double height = static_cast<double>(size->height) * services.TwipsPerPixelY();
        if (width > ThemeEditor::kPreviewWidth || height > ThemeEditor::kPreviewHeight) {
            do {
                width = RoundHalfEven(width * 0.9);
                height = RoundHalfEven(height * 0.9);
            } while (width >= ThemeEditor::kPreviewWidth || height >= ThemeEditor::kPreviewHeight);
        }
        editor_.previewWidth = static_cast<int>(width);
        editor_.previewHeight = static_cast<int>(height);
        editor_.preview.path = file;
        services.ShowBusyPointer(false);
    }
    if (editor_.previewWidth <= 0 || editor_.previewHeight <= 0) {
        return true;
    }
    const int x =
        static_cast<int>(RoundHalfEven((ThemeEditor::kPreviewWidth - editor_.previewWidth) / 2.0));
    const int y = static_cast<int>(
        RoundHalfEven((ThemeEditor::kPreviewHeight - editor_.previewHeight) / 2.0));
    editor_.preview.rect = {x, y, editor_.previewWidth, editor_.previewHeight};
    editor_.preview.shown = true;
    editor_.controls.Redraw(IDC_photo1);
    return true;
}

void ImagesPage::Random_select_Click() {
    editor_.settingsChanged = true;
    editor_.settings.randomPick =
        editor_.controls[IDC_Random_select].checked ? std::string("1") : std::string("0");
}

void ImagesPage::scrollOption_Click() {
    editor_.settingsChanged = true;
    if (editor_.controls[IDC_scrollOption].checked) {
        editor_.settings.scroll = std::string("0");
    }
    editor_.controls.Enable(IDC_scrollSlider, true);
}

void ImagesPage::middleOption_Click() {
    editor_.settingsChanged = true;
    if (editor_.controls[IDC_middleOption].checked) {
        editor_.settings.scroll = std::string("1");
    }
    editor_.controls.Enable(IDC_scrollSlider, false);
}

void ImagesPage::scrollSlider_Scroll() {
    editor_.settingsChanged = true;
    editor_.settings.scrollSpeed = ValueText(editor_, IDC_scrollSlider);
}

// --- "Music" ---

namespace {

const OpenFileRequest kMusicFileRequest = {
    "Media Files (*.mid;*.wav)|*.mid;*.wav|Midi (*.mid)|*.mid|WaveAudio (*.wav)|*.wav",
    "Select a file to open", 0x1004};

}  // namespace

void MusicPage::ToolbarMedia_ButtonClick(const std::string& key) {
    editor_.settingsChanged = true;
    if (key == "Add") {
        AddMusicFile();
    } else if (key == "Delete") {
        DeleteMusicFile();
    } else if (key == "DeleteAll") {
        DeleteAllMusicFiles();
    } else if (key == "Up") {
        MoveMusicFileUp();
    } else if (key == "Down") {
        MoveMusicFileDown();
    }
}

bool MusicPage::StopIfPlaying() {
    Mmedia& player = editor_.MediaPlayer();
    if (player.Status() != "playing") {
        return false;
    }
    player.mmClose();
    return true;
}

void MusicPage::ShowStoppedButtons() {
    editor_.controls.Enable(IDC_playCommand, true);
    editor_.controls.Enable(IDC_closeCommand, false);
}

void MusicPage::ShowPlayingButtons() {
    editor_.controls.Enable(IDC_playCommand, false);
    editor_.controls.Enable(IDC_closeCommand, true);
}

void MusicPage::DisableMusicButtons() {
    editor_.controls.Enable(IDC_playCommand, false);
    editor_.controls.Enable(IDC_closeCommand, false);
}

void MusicPage::ShowTotal() {
    editor_.settings.mediaTotal = std::to_string(editor_.controls[IDC_multimediaList].items.size());
    editor_.controls.SetText(IDC_multimediaTotal, "Total: " + editor_.settings.mediaTotal);
}

void MusicPage::AddMusicFile() {
    if (StopIfPlaying()) {
        ShowStoppedButtons();
    }
    const std::optional<std::string> path = editor_.Services().ChooseFileToOpen(kMusicFileRequest);
    if (!path) {
        editor_.Services().ShowMessage("No file has been selected.", MessageButtons::Ok);
        return;
    }
    editor_.controls.AddItem(IDC_multimediaList, *path);
    editor_.Chosen(IDC_multimediaList,
                   static_cast<int>(editor_.controls[IDC_multimediaList].items.size()) - 1);
    ShowTotal();
    ShowStoppedButtons();
}

void MusicPage::DeleteMusicFile() {
    EditorControls& c = editor_.controls;
    const std::vector<std::string>& files = c[IDC_multimediaList].items;
    const int index = c[IDC_multimediaList].selected;
    if (files.empty() || files[0].empty() || index < 0) {
        editor_.Services().ShowMessage("Nothing was selected to remove.", MessageButtons::Ok);
        return;
    }
    c.EraseItem(IDC_multimediaList, index);
    const bool empty = c[IDC_multimediaList].items.empty();
    if (empty) {
        c.SetText(IDC_MediaPosition, "");
        StopIfPlaying();
        DisableMusicButtons();
    } else {
        editor_.Chosen(IDC_multimediaList, index > 0 ? index - 1 : 0);
    }
    ShowTotal();
}

void MusicPage::DeleteAllMusicFiles() {
    if (editor_.Services().ShowMessage("Do you really want to remove all loaded Multimedia Files?",
                                       MessageButtons::YesNo) != MessageAnswer::Yes) {
        return;
    }
    editor_.controls.ClearItems(IDC_multimediaList);
    ShowTotal();
    editor_.controls.SetText(IDC_MediaPosition, "");
    StopIfPlaying();
    DisableMusicButtons();
}

void MusicPage::MoveMusicFile(int step, const char* nothing, const char* cannotMove) {
    if (StopIfPlaying()) {
        ShowStoppedButtons();
    }
    EditorControls& c = editor_.controls;
    const std::vector<std::string>& files = c[IDC_multimediaList].items;
    const int index = c[IDC_multimediaList].selected;
    if (files.empty() || files[0].empty()) {
        editor_.Services().ShowMessage(nothing, MessageButtons::Ok);
        return;
    }
    if (index < 0) {
        editor_.Services().ShowMessage(cannotMove, MessageButtons::Ok);
        return;
    }
    const int target = index + step;
    if (target < 0 || target >= static_cast<int>(files.size())) {
        return;
    }
    const std::string moving = files[static_cast<std::size_t>(index)];
    c.ReplaceItem(IDC_multimediaList, index, files[static_cast<std::size_t>(target)]);
    c.ReplaceItem(IDC_multimediaList, target, moving);
    editor_.Chosen(IDC_multimediaList, target);
}

void MusicPage::MoveMusicFileUp() {
    MoveMusicFile(-1, "Nothing was selected to move up.",
                  "Error. Cannot move up. A file needs to be selected.");
}

void MusicPage::MoveMusicFileDown() {
    MoveMusicFile(1, "Nothing was selected to move down.",
                  "Error. Cannot move down. A file needs to be selected.");
}

void MusicPage::multimediaList_Click() {
    StopIfPlaying();
    ShowStoppedButtons();
    editor_.controls.SetText(
        IDC_MediaPosition,
        "Position: " + std::to_string(editor_.controls[IDC_multimediaList].selected + 1));
}

void MusicPage::playCommand_Click() {
    const ControlState& list = editor_.controls[IDC_multimediaList];
    Mmedia& player = editor_.MediaPlayer();
    player.SetWait(false);
    if (list.selected >= 0) {
        player.mmOpen(editor_.Storage().ResolveProgramPath(
            list.items[static_cast<std::size_t>(list.selected)]));
    }
    const float length = player.Length();
    if (list.selected < 0 || !(length > 0)) {
        // Nothing opened: a file the system cannot play, or one that is gone.
        player.mmClose();
        editor_.Services().ShowMessage("Cannot play media file. Please reload a different one.",
                                       MessageButtons::Ok);
        return;
    }
    editor_.controls.SetValue(IDC_ProgressBar1, 0);
    editor_.controls.SetMaximum(IDC_ProgressBar1, static_cast<int>(length));
    player.mmPlay();
    editor_.musicTimerOn = true;
    ShowPlayingButtons();
}

void MusicPage::closeCommand_Click() {
    StopIfPlaying();
    ShowStoppedButtons();
}

void MusicPage::Timer1_Timer() {
    Mmedia& player = editor_.MediaPlayer();
    const int position = static_cast<int>(player.Position());
    editor_.controls.SetValue(IDC_ProgressBar1, position);
    editor_.controls.SetText(IDC_mediaStatusLabel, "Status: " + player.Status());
    if (position == editor_.controls[IDC_ProgressBar1].maximum) {
        player.mmClose();
        ShowStoppedButtons();
        editor_.musicTimerOn = false;
    }
}

void MusicPage::randomMediaCheck_Click() {
    editor_.settingsChanged = true;
    editor_.settings.randomMedia =
        editor_.controls[IDC_randomMediaCheck].checked ? std::string("1") : std::string("0");
}

// --- "Image Settings" ---

void ImageSettingsPage::PercentSlider_Scroll() {
    editor_.settingsChanged = true;
    editor_.settings.picturePercent = ValueText(editor_, IDC_PercentSlider);
    editor_.controls.SetText(IDC_percentLabel, editor_.settings.picturePercent + "%");
}

void ImageSettingsPage::nChange_Click() {
    editor_.settingsChanged = true;
    if (!editor_.controls[IDC_nChange].checked) {
        return;
    }
    editor_.settings.picChange = std::string("not_ch");
    editor_.settings.timeInterval = std::string("0");
    EditorControls& c = editor_.controls;
    c.SetText(IDC_Text2, "0");
    c.Enable(IDC_Text2, false);
    c.SetBackColour(IDC_Text2, k3DLightColour);
    c.Enable(IDC_Label3, false);
    c.Enable(IDC_changeVScroll1, false);
}

void ImageSettingsPage::aChange_Click() {
    editor_.settingsChanged = true;
    if (!editor_.controls[IDC_aChange].checked) {
        return;
    }
    editor_.settings.picChange = std::string("ch");
    EditorControls& c = editor_.controls;
    c.Enable(IDC_Text2, true);
    c.SetBackColour(IDC_Text2, kWindowColour);
    c.Enable(IDC_Label3, true);
    c.Enable(IDC_changeVScroll1, true);
}

void ImageSettingsPage::changeVScroll1_Change() {
    editor_.settingsChanged = true;
    editor_.settings.timeInterval = ValueText(editor_, IDC_changeVScroll1);
    editor_.controls.SetText(IDC_Text2, editor_.settings.timeInterval);
}

void ImageSettingsPage::Text2_Change() {
    editor_.settingsChanged = true;
    const std::string& typed = editor_.controls[IDC_Text2].text;
    editor_.settings.timeInterval = typed;
    if (const std::optional<int> seconds = IntervalSeconds(typed)) {
        editor_.controls.SetValue(IDC_changeVScroll1, *seconds);
    }
}

void ImageSettingsPage::pCenter_Click() {
    editor_.settingsChanged = true;
    if (editor_.controls[IDC_pCenter].checked) {
        editor_.settings.picRandom = std::string("cent");
        editor_.controls.Enable(IDC_floatSlider, false);
    }
}

void ImageSettingsPage::pRandom_Click() {
    editor_.settingsChanged = true;
    if (editor_.controls[IDC_pRandom].checked) {
        editor_.settings.picRandom = std::string("rand");
        editor_.controls.Enable(IDC_floatSlider, true);
    }
}

void ImageSettingsPage::floatSlider_Change() {
    editor_.settingsChanged = true;
    editor_.settings.picSpeed = ValueText(editor_, IDC_floatSlider);
}

// --- "Background" ---

void BackgroundPage::EnableColorGroup(bool enabled) {
    for (int id : {IDC_frameBackgroundColor, IDC_backColorClick}) {
        editor_.controls.Enable(id, enabled);
    }
}

void BackgroundPage::EnableCustomImageGroup(bool enabled) {
    for (int id : {IDC_frameCustomImage, IDC_CenterOption, IDC_FullScreenOption, IDC_TileOption,
                   IDC_backgroundImageFile, IDC_addBackImg, IDC_removeBackImg}) {
        editor_.controls.Enable(id, enabled);
    }
}

void BackgroundPage::EnableGradientGroup(bool enabled) {
    for (int id : {IDC_frameColorGradient, IDC_redSlider, IDC_greenSlider, IDC_blueSlider,
                   IDC_redLabel, IDC_greenLabel, IDC_blueLabel}) {
        editor_.controls.Enable(id, enabled);
    }
}

void BackgroundPage::ShowKind(int blueFrame, bool colour, bool custom, bool gradient) {
    EditorControls& c = editor_.controls;
    for (int frame : {IDC_frameBackgroundColor, IDC_frameCustomImage, IDC_frameColorGradient}) {
        c.SetCaptionColour(frame, frame == blueFrame ? kChosenFrameColour : kButtonTextColour);
    }
    c.SetBackColour(IDC_backgroundImageFile, custom ? kWindowColour : k3DLightColour);
    EnableColorGroup(colour);
    EnableCustomImageGroup(custom);
    EnableGradientGroup(gradient);
}

void BackgroundPage::backgroundColor_Click() {
    editor_.settingsChanged = true;
    editor_.settings.backEffect = std::string("0");
    ShowKind(IDC_frameBackgroundColor, true, false, false);
}

void BackgroundPage::backgroundDesktop_Click() {
    editor_.settingsChanged = true;
    editor_.settings.backEffect = std::string("1");
    ShowKind(0, false, false, false);
}

void BackgroundPage::backgroundCustomImage_Click() {
    editor_.settingsChanged = true;
    editor_.settings.backEffect = std::string("2");
    ShowKind(IDC_frameCustomImage, false, true, false);
}

void BackgroundPage::backgroundColorGradient_Click() {
    editor_.settingsChanged = true;
    editor_.settings.backEffect = std::string("3");
    ShowKind(IDC_frameColorGradient, false, false, true);
}

void BackgroundPage::backColorClick_Click() {
    editor_.settingsChanged = true;
    const std::optional<Colour> chosen =
        editor_.Services().ChooseColour(editor_.colourDialogColour);
    if (!chosen) {
        return;
    }
    editor_.colourDialogColour = *chosen;
    editor_.settings.newBackColor = std::to_string(*chosen);
    editor_.controls.SetBackColour(IDC_Picture1, *chosen);
}

void BackgroundPage::addBackImg_Click() {
    editor_.settingsChanged = true;
    EditorServices& services = editor_.Services();
    if (!editor_.settings.backgroundImage.empty()) {
        services.ShowMessage("You can only display 1 background image.", MessageButtons::Ok);
        return;
    }
    const std::optional<std::string> path = services.ChooseFileToOpen(kPictureFileRequest);
    if (!path) {
        services.ShowMessage("No file has been selected.", MessageButtons::Ok);
        return;
    }
    // A file that is no picture would end the next saver run with the background error.
    const std::string picture = editor_.Storage().ResolveProgramPath(*path);
    if (!services.PictureSize(picture)) {
        services.ShowMessage("No file has been selected.", MessageButtons::Ok);
        return;
    }
    editor_.settings.backgroundImage = *path;
    editor_.controls.SetText(IDC_backgroundImageFile, *path);
    editor_.backgroundThumbnail = picture;
    editor_.controls.Redraw(IDC_Image1);
}

void BackgroundPage::removeBackImg_Click() {
    editor_.settingsChanged = true;
    if (editor_.controls[IDC_backgroundImageFile].text.empty()) {
        editor_.Services().ShowMessage("Nothing to remove.", MessageButtons::Ok);
        return;
    }
    editor_.controls.SetText(IDC_backgroundImageFile, "");
    editor_.settings.backgroundImage.clear();
    editor_.backgroundThumbnail.clear();
    editor_.controls.Redraw(IDC_Image1);
}

void BackgroundPage::CenterOption_Click() {
    editor_.settingsChanged = true;
    if (editor_.controls[IDC_CenterOption].checked) {
        editor_.settings.backgroundDisplay = std::string("0");
    }
}

void BackgroundPage::FullScreenOption_Click() {
    editor_.settingsChanged = true;
    if (editor_.controls[IDC_FullScreenOption].checked) {
        editor_.settings.backgroundDisplay = std::string("1");
    }
}

void BackgroundPage::TileOption_Click() {
    editor_.settingsChanged = true;
    if (editor_.controls[IDC_TileOption].checked) {
        editor_.settings.backgroundDisplay = std::string("2");
    }
}

void BackgroundPage::ColourSlider(int slider, int label, int swatch, const char* word,
                                  std::string& setting, int shift) {
    editor_.settingsChanged = true;
    const int value = editor_.controls[slider].value;
    editor_.controls.SetText(label, word + std::to_string(value));
    editor_.controls.SetBackColour(swatch, static_cast<Colour>(value) << shift);
    setting = std::to_string(value);
    editor_.PaintGradient();
    editor_.controls.Redraw(IDC_GradientPicture);
}

void BackgroundPage::redSlider_Scroll() {
    ColourSlider(IDC_redSlider, IDC_redLabel, IDC_redPicture,
                 "Red = ", editor_.settings.redBackground, 0);
}

void BackgroundPage::greenSlider_Scroll() {
    ColourSlider(IDC_greenSlider, IDC_greenLabel, IDC_greenPicture,
                 "Green = ", editor_.settings.greenBackground, 8);
}

void BackgroundPage::blueSlider_Scroll() {
    ColourSlider(IDC_blueSlider, IDC_blueLabel, IDC_bluePicture,
                 "Blue = ", editor_.settings.blueBackground, 16);
}

// --- "Countdown" ---

void CountdownPage::EnableDateLists(bool enabled) {
    for (int id : {IDC_monthCombo, IDC_dayCombo, IDC_yearCombo}) {
        editor_.controls.Enable(id, enabled);
        editor_.controls.SetBackColour(id, enabled ? kWindowColour : k3DLightColour);
    }
}

void CountdownPage::noneOption_Click() {
    editor_.settingsChanged = true;
    EnableDateLists(false);
    if (editor_.controls[IDC_noneOption].checked) {
        editor_.settings.timeDisplay = std::string("0");
    }
}

void CountdownPage::timeOption_Click() {
    editor_.settingsChanged = true;
    EnableDateLists(false);
    if (editor_.controls[IDC_timeOption].checked) {
        editor_.settings.timeDisplay = std::string("1");
    }
}

void CountdownPage::yearOption_Click() {
    editor_.settingsChanged = true;
    EnableDateLists(true);
    if (editor_.controls[IDC_yearOption].checked) {
        editor_.settings.timeDisplay = std::string("2");
    }
}

void CountdownPage::monthCombo_Click() {
    editor_.settingsChanged = true;
    editor_.settings.countdownMonth = editor_.controls[IDC_monthCombo].text;
}

void CountdownPage::dayCombo_Click() {
    editor_.settingsChanged = true;
    editor_.settings.countdownDay = editor_.controls[IDC_dayCombo].text;
}

void CountdownPage::yearCombo_Click() {
    editor_.settingsChanged = true;
    editor_.settings.countdownYear = editor_.controls[IDC_yearCombo].text;
}

// Typed the same as chosen: the text the box shows is the text stored.
void CountdownPage::monthCombo_Change() {
    monthCombo_Click();
}

void CountdownPage::dayCombo_Change() {
    dayCombo_Click();
}

void CountdownPage::yearCombo_Change() {
    yearCombo_Click();
}

}  // namespace orvelle
