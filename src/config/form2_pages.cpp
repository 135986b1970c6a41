// The handlers of the editor's settings tabs. Each writes its value at once, as text, into the
// setting named after its theme key, and marks the theme as changed.
#include <cmath>
#include <optional>

#include "base/numbers.h"
#include "config/form2.h"
#include "config/form2_ids.h"
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

std::string ValueText(const Form2& form, int id) {
    return std::to_string(form.controls[id].value);
}

}  // namespace

// --- "Images" ---

void ImagesPage::toolbarImages_ButtonClick(const std::string& key) {
    form_.settingsChanged = true;
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
    form_.settingsChanged = true;
    if (key == "ClearCaption") {
        ClearSelectedCaption();
    } else if (key == "Font") {
        ChooseCaptionFont();
    } else if (key == "Enlarge") {
        ShowViewer();
    }
}

void ImagesPage::FolderCommand_Click() {
    form_.settingsChanged = true;
    form_.Services().ShowFolderImport();
}

void ImagesPage::ImportPictures(const std::vector<std::string>& paths) {
    Form2Services& services = form_.Services();
    services.ShowBusyPointer(true);
    for (const std::string& path : paths) {
        form_.controls.AddItem(IDC_List1, path);
        form_.controls.AddItem(IDC_photo_caption, "");
    }
    const int count = static_cast<int>(form_.controls[IDC_List1].items.size());
    ShowTotal();
    if (count > 0) {
        form_.Select(IDC_List1, count - 1);
    }
    services.ShowBusyPointer(false);
    if (count > 700 && !form_.manyImagesWarned) {
        services.ShowMessage(
            "It is recommended that the screen saver should have less than 700 loaded images.",
            MessageButtons::Ok);
        form_.manyImagesWarned = true;
    }
}

void ImagesPage::ShowViewer() {
    const ControlState& list = form_.controls[IDC_List1];
    const std::string path = list.selected >= 0
                                 ? form_.Storage().ResolveProgramPath(
                                       list.items[static_cast<std::size_t>(list.selected)])
                                 : std::string();
    form_.Services().ShowPictureViewer(path);
}

void ImagesPage::ShowTotal() {
    form_.controls.SetText(IDC_Text3,
                           "Total: " + std::to_string(form_.controls[IDC_List1].items.size()));
}

// The caption box set from code runs its change handler, as it does when the user types.
void ImagesPage::SetCaption(const std::string& text) {
    if (form_.controls[IDC_p_caption].text == text) {
        return;
    }
    form_.controls.SetText(IDC_p_caption, text);
    p_caption_Change();
}

void ImagesPage::AddPicture() {
    Form2Services& services = form_.Services();
    const std::optional<std::string> path = services.ChooseFileToOpen(kPictureFileRequest);
    if (!path) {
        services.ShowMessage("No file has been selected.", MessageButtons::Ok);
        return;
    }
    form_.controls.AddItem(IDC_List1, *path);
    form_.controls.AddItem(IDC_photo_caption, "");
    const int count = static_cast<int>(form_.controls[IDC_List1].items.size());
    form_.Select(IDC_List1, count - 1);
    ShowTotal();
    if (count > 700 && !form_.manyImagesWarned) {
        services.ShowMessage(
            "It is recommended that the screen saver should have less than 700 loaded images.",
            MessageButtons::Ok);
        form_.manyImagesWarned = true;
    }
    PreviewPicture(*path);
}

void ImagesPage::DeletePicture() {
    EditorControls& c = form_.controls;
    const std::vector<std::string>& pictures = c[IDC_List1].items;
    const int index = c[IDC_List1].selected;
    if (pictures.empty() || pictures[0].empty() || index < 0) {
        form_.Services().ShowMessage("Nothing was selected to remove.", MessageButtons::Ok);
        return;
    }
    c.EraseItem(IDC_List1, index);
    c.EraseItem(IDC_photo_caption, index);
    const bool empty = c[IDC_List1].items.empty();
    form_.preview.shown = false;
    c.Redraw(IDC_photo1);
    if (empty) {
        SetCaption("");
        ShowTotal();
        c.SetText(IDC_ImagePosition, "");
        return;
    }
    form_.Select(IDC_List1, index > 0 ? index - 1 : 0);
    ShowTotal();
}

void ImagesPage::DeleteAllPictures() {
    if (form_.Services().ShowMessage("Do you really want to remove all loaded images?",
                                     MessageButtons::YesNo) != MessageAnswer::Yes) {
        return;
    }
    EditorControls& c = form_.controls;
    c.ClearItems(IDC_List1);
    form_.preview.shown = false;
    c.Redraw(IDC_photo1);
    c.ClearItems(IDC_photo_caption);
    SetCaption("");
    c.SetText(IDC_ImagePosition, "");
    ShowTotal();
}

void ImagesPage::MovePicture(int step, const char* cannotMove) {
    EditorControls& c = form_.controls;
    const int count = static_cast<int>(c[IDC_List1].items.size());
    const int index = c[IDC_List1].selected;
    if (count == 0 || c[IDC_List1].items[0].empty()) {
        form_.Services().ShowMessage("Nothing was selected to move.", MessageButtons::Ok);
        return;
    }
    if (index < 0 || index >= static_cast<int>(c[IDC_photo_caption].items.size())) {
        form_.Services().ShowMessage(cannotMove, MessageButtons::Ok);
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
    form_.Select(IDC_List1, target);
}

void ImagesPage::MovePictureUp() {
    MovePicture(-1, "Error. Cannot move up. A file needs to be selected.");
}

void ImagesPage::MovePictureDown() {
    MovePicture(1, "Error. Cannot move down. A file needs to be selected.");
}

void ImagesPage::p_caption_Change() {
    form_.settingsChanged = true;
    EditorControls& c = form_.controls;
    const std::string text = c[IDC_p_caption].text;
    const int index = c[IDC_List1].selected;
    if (text.empty() && index < 0) {
        return;
    }
    if (!c[IDC_List1].items.empty() || index >= 0) {
        c.ReplaceItem(IDC_photo_caption, index, text);
        return;
    }
    form_.Services().ShowMessage("An image must be loaded first.", MessageButtons::Ok);
    SetCaption("");
}

void ImagesPage::ClearSelectedCaption() {
    SetCaption("");
    form_.controls.ReplaceItem(IDC_photo_caption, form_.controls[IDC_List1].selected, "");
}

void ImagesPage::ChooseCaptionFont() {
    const std::optional<CaptionFontChoice> chosen =
        form_.Services().PickCaptionFont(form_.fontDialogFont, 10, 48);
    if (!chosen) {
        return;
    }
    ThemeSettings& s = form_.settings;
    auto word = [](bool on) { return on ? std::string("True") : std::string("False"); };
    s.newFontName = chosen->face;
    s.newFontSize = FormatSingle(chosen->points);
    s.newFontBold = word(chosen->bold);
    s.newFontItalic = word(chosen->italic);
    s.newFontUnderline = word(chosen->underline);
    s.newFontFontStrikethru = word(chosen->strikethrough);
    s.newFontForeColor = std::to_string(chosen->colour);
    form_.fontDialogFont = *chosen;
    form_.controls.SetBackColour(IDC_Picture2, chosen->colour);
}

void ImagesPage::List1_Click() {
    const ControlState& list = form_.controls[IDC_List1];
    const int index = list.selected;
    if (index < 0) {
        return;
    }
    form_.controls.SetText(IDC_ImagePosition, "Position: " + std::to_string(index + 1));
    const std::vector<std::string>& captions = form_.controls[IDC_photo_caption].items;
    if (!PreviewPicture(list.items[static_cast<std::size_t>(index)]) ||
        index >= static_cast<int>(captions.size())) {
        form_.Services().ShowBusyPointer(false);
        form_.Services().ShowMessage(
            "Cannot load image file properly.\r\nYou need to reload a new one.",
            MessageButtons::Ok);
        return;
    }
    SetCaption(captions[static_cast<std::size_t>(index)]);
}

bool ImagesPage::PreviewPicture(const std::string& path) {
    if (path != form_.lastPreviewPath) {
        form_.lastPreviewPath = path;
        Form2Services& services = form_.Services();
        services.ShowBusyPointer(true);
        form_.preview = {};
        const std::string file = form_.Storage().ResolveProgramPath(path);
        const std::optional<PixelSize> size = services.PictureSize(file);
        if (!size) {
            services.ShowBusyPointer(false);
            // Forgotten, so that choosing the picture again (after the file was put right)
            // tries it again rather than drawing nothing in silence.
            form_.lastPreviewPath.clear();
            form_.previewWidth = 0;
            form_.previewHeight = 0;
            form_.controls.Redraw(IDC_photo1);
            return false;
        }
        double width = static_cast<double>(size->width) * services.TwipsPerPixelX();
        double height = static_cast<double>(size->height) * services.TwipsPerPixelY();
        if (width > Form2::kPreviewWidth || height > Form2::kPreviewHeight) {
            do {
                width = RoundHalfEven(width * 0.9);
                height = RoundHalfEven(height * 0.9);
            } while (width >= Form2::kPreviewWidth || height >= Form2::kPreviewHeight);
        }
        form_.previewWidth = static_cast<int>(width);
        form_.previewHeight = static_cast<int>(height);
        form_.preview.path = file;
        services.ShowBusyPointer(false);
    }
    if (form_.previewWidth <= 0 || form_.previewHeight <= 0) {
        return true;
    }
    const int x =
        static_cast<int>(RoundHalfEven((Form2::kPreviewWidth - form_.previewWidth) / 2.0));
    const int y =
        static_cast<int>(RoundHalfEven((Form2::kPreviewHeight - form_.previewHeight) / 2.0));
    form_.preview.rect = {x, y, form_.previewWidth, form_.previewHeight};
    form_.preview.shown = true;
    form_.controls.Redraw(IDC_photo1);
    return true;
}

void ImagesPage::Random_select_Click() {
    form_.settingsChanged = true;
    form_.settings.randomPick =
        form_.controls[IDC_Random_select].checked ? std::string("1") : std::string("0");
}

void ImagesPage::scrollOption_Click() {
    form_.settingsChanged = true;
    if (form_.controls[IDC_scrollOption].checked) {
        form_.settings.scroll = std::string("0");
    }
    form_.controls.Enable(IDC_scrollSlider, true);
}

void ImagesPage::middleOption_Click() {
    form_.settingsChanged = true;
    if (form_.controls[IDC_middleOption].checked) {
        form_.settings.scroll = std::string("1");
    }
    form_.controls.Enable(IDC_scrollSlider, false);
}

void ImagesPage::scrollSlider_Scroll() {
    form_.settingsChanged = true;
    form_.settings.scrollSpeed = ValueText(form_, IDC_scrollSlider);
}

// --- "Music" ---

namespace {

const OpenFileRequest kMusicFileRequest = {
    "Media Files (*.mid;*.wav)|*.mid;*.wav|Midi (*.mid)|*.mid|WaveAudio (*.wav)|*.wav",
    "Select a file to open", 0x1004};

}  // namespace

void MusicPage::ToolbarMedia_ButtonClick(const std::string& key) {
    form_.settingsChanged = true;
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
    Mmedia& player = form_.MediaPlayer();
    if (player.Status() != "playing") {
        return false;
    }
    player.mmClose();
    return true;
}

void MusicPage::ShowStoppedButtons() {
    form_.controls.Enable(IDC_playCommand, true);
    form_.controls.Enable(IDC_closeCommand, false);
}

void MusicPage::ShowPlayingButtons() {
    form_.controls.Enable(IDC_playCommand, false);
    form_.controls.Enable(IDC_closeCommand, true);
}

void MusicPage::DisableMusicButtons() {
    form_.controls.Enable(IDC_playCommand, false);
    form_.controls.Enable(IDC_closeCommand, false);
}

void MusicPage::ShowTotal() {
    form_.settings.mediaTotal = std::to_string(form_.controls[IDC_multimediaList].items.size());
    form_.controls.SetText(IDC_multimediaTotal, "Total: " + form_.settings.mediaTotal);
}

void MusicPage::AddMusicFile() {
    if (StopIfPlaying()) {
        ShowStoppedButtons();
    }
    const std::optional<std::string> path = form_.Services().ChooseFileToOpen(kMusicFileRequest);
    if (!path) {
        form_.Services().ShowMessage("No file has been selected.", MessageButtons::Ok);
        return;
    }
    form_.controls.AddItem(IDC_multimediaList, *path);
    form_.Chosen(IDC_multimediaList,
                 static_cast<int>(form_.controls[IDC_multimediaList].items.size()) - 1);
    ShowTotal();
    ShowStoppedButtons();
}

void MusicPage::DeleteMusicFile() {
    EditorControls& c = form_.controls;
    const std::vector<std::string>& files = c[IDC_multimediaList].items;
    const int index = c[IDC_multimediaList].selected;
    if (files.empty() || files[0].empty() || index < 0) {
        form_.Services().ShowMessage("Nothing was selected to remove.", MessageButtons::Ok);
        return;
    }
    c.EraseItem(IDC_multimediaList, index);
    const bool empty = c[IDC_multimediaList].items.empty();
    if (empty) {
        c.SetText(IDC_MediaPosition, "");
        StopIfPlaying();
        DisableMusicButtons();
    } else {
        form_.Chosen(IDC_multimediaList, index > 0 ? index - 1 : 0);
    }
    ShowTotal();
}

void MusicPage::DeleteAllMusicFiles() {
    if (form_.Services().ShowMessage("Do you really want to remove all loaded Multimedia Files?",
                                     MessageButtons::YesNo) != MessageAnswer::Yes) {
        return;
    }
    form_.controls.ClearItems(IDC_multimediaList);
    ShowTotal();
    form_.controls.SetText(IDC_MediaPosition, "");
    StopIfPlaying();
    DisableMusicButtons();
}

void MusicPage::MoveMusicFile(int step, const char* nothing, const char* cannotMove) {
    if (StopIfPlaying()) {
        ShowStoppedButtons();
    }
    EditorControls& c = form_.controls;
    const std::vector<std::string>& files = c[IDC_multimediaList].items;
    const int index = c[IDC_multimediaList].selected;
    if (files.empty() || files[0].empty()) {
        form_.Services().ShowMessage(nothing, MessageButtons::Ok);
        return;
    }
    if (index < 0) {
        form_.Services().ShowMessage(cannotMove, MessageButtons::Ok);
        return;
    }
    const int target = index + step;
    if (target < 0 || target >= static_cast<int>(files.size())) {
        return;
    }
    const std::string moving = files[static_cast<std::size_t>(index)];
    c.ReplaceItem(IDC_multimediaList, index, files[static_cast<std::size_t>(target)]);
    c.ReplaceItem(IDC_multimediaList, target, moving);
    form_.Chosen(IDC_multimediaList, target);
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
    form_.controls.SetText(
        IDC_MediaPosition,
        "Position: " + std::to_string(form_.controls[IDC_multimediaList].selected + 1));
}

void MusicPage::playCommand_Click() {
    const ControlState& list = form_.controls[IDC_multimediaList];
    Mmedia& player = form_.MediaPlayer();
    player.SetWait(false);
    if (list.selected >= 0) {
        player.mmOpen(form_.Storage().ResolveProgramPath(
            list.items[static_cast<std::size_t>(list.selected)]));
    }
    const float length = player.Length();
    if (list.selected < 0 || !(length > 0)) {
        // Nothing opened: a file the system cannot play, or one that is gone.
        player.mmClose();
        form_.Services().ShowMessage("Cannot play media file. Please reload a different one.",
                                     MessageButtons::Ok);
        return;
    }
    form_.controls.SetValue(IDC_ProgressBar1, 0);
    form_.controls.SetMaximum(IDC_ProgressBar1, static_cast<int>(length));
    player.mmPlay();
    form_.timer1Enabled = true;
    ShowPlayingButtons();
}

void MusicPage::closeCommand_Click() {
    StopIfPlaying();
    ShowStoppedButtons();
}

void MusicPage::Timer1_Timer() {
    Mmedia& player = form_.MediaPlayer();
    const int position = static_cast<int>(player.Position());
    form_.controls.SetValue(IDC_ProgressBar1, position);
    form_.controls.SetText(IDC_mediaStatusLabel, "Status: " + player.Status());
    if (position == form_.controls[IDC_ProgressBar1].maximum) {
        player.mmClose();
        ShowStoppedButtons();
        form_.timer1Enabled = false;
    }
}

void MusicPage::randomMediaCheck_Click() {
    form_.settingsChanged = true;
    form_.settings.randomMedia =
        form_.controls[IDC_randomMediaCheck].checked ? std::string("1") : std::string("0");
}

// --- "Image Settings" ---

void ImageSettingsPage::PercentSlider_Scroll() {
    form_.settingsChanged = true;
    form_.settings.picturePercent = ValueText(form_, IDC_PercentSlider);
    form_.controls.SetText(IDC_percentLabel, form_.settings.picturePercent + "%");
}

void ImageSettingsPage::nChange_Click() {
    form_.settingsChanged = true;
    if (!form_.controls[IDC_nChange].checked) {
        return;
    }
    form_.settings.picChange = std::string("not_ch");
    form_.settings.timeInterval = std::string("0");
    EditorControls& c = form_.controls;
    c.SetText(IDC_Text2, "0");
    c.Enable(IDC_Text2, false);
    c.SetBackColour(IDC_Text2, k3DLightColour);
    c.Enable(IDC_Label3, false);
    c.Enable(IDC_changeVScroll1, false);
}

void ImageSettingsPage::aChange_Click() {
    form_.settingsChanged = true;
    if (!form_.controls[IDC_aChange].checked) {
        return;
    }
    form_.settings.picChange = std::string("ch");
    EditorControls& c = form_.controls;
    c.Enable(IDC_Text2, true);
    c.SetBackColour(IDC_Text2, kWindowColour);
    c.Enable(IDC_Label3, true);
    c.Enable(IDC_changeVScroll1, true);
}

void ImageSettingsPage::changeVScroll1_Change() {
    form_.settingsChanged = true;
    form_.settings.timeInterval = ValueText(form_, IDC_changeVScroll1);
    form_.controls.SetText(IDC_Text2, form_.settings.timeInterval);
}

void ImageSettingsPage::Text2_Change() {
    form_.settingsChanged = true;
    const std::string& typed = form_.controls[IDC_Text2].text;
    form_.settings.timeInterval = typed;
    if (const std::optional<int> seconds = IntervalSeconds(typed)) {
        form_.controls.SetValue(IDC_changeVScroll1, *seconds);
    }
}

void ImageSettingsPage::pCenter_Click() {
    form_.settingsChanged = true;
    if (form_.controls[IDC_pCenter].checked) {
        form_.settings.picRandom = std::string("cent");
        form_.controls.Enable(IDC_floatSlider, false);
    }
}

void ImageSettingsPage::pRandom_Click() {
    form_.settingsChanged = true;
    if (form_.controls[IDC_pRandom].checked) {
        form_.settings.picRandom = std::string("rand");
        form_.controls.Enable(IDC_floatSlider, true);
    }
}

void ImageSettingsPage::floatSlider_Change() {
    form_.settingsChanged = true;
    form_.settings.picSpeed = ValueText(form_, IDC_floatSlider);
}

// --- "Background" ---

void BackgroundPage::EnableColorGroup(bool enabled) {
    for (int id : {IDC_frameBackgroundColor, IDC_backColorClick}) {
        form_.controls.Enable(id, enabled);
    }
}

void BackgroundPage::EnableCustomImageGroup(bool enabled) {
    for (int id : {IDC_frameCustomImage, IDC_CenterOption, IDC_FullScreenOption, IDC_TileOption,
                   IDC_backgroundImageFile, IDC_addBackImg, IDC_removeBackImg}) {
        form_.controls.Enable(id, enabled);
    }
}

void BackgroundPage::EnableGradientGroup(bool enabled) {
    for (int id : {IDC_frameColorGradient, IDC_redSlider, IDC_greenSlider, IDC_blueSlider,
                   IDC_redLabel, IDC_greenLabel, IDC_blueLabel}) {
        form_.controls.Enable(id, enabled);
    }
}

void BackgroundPage::ShowKind(int blueFrame, bool colour, bool custom, bool gradient) {
    EditorControls& c = form_.controls;
    for (int frame : {IDC_frameBackgroundColor, IDC_frameCustomImage, IDC_frameColorGradient}) {
        c.SetCaptionColour(frame, frame == blueFrame ? kChosenFrameColour : kButtonTextColour);
    }
    c.SetBackColour(IDC_backgroundImageFile, custom ? kWindowColour : k3DLightColour);
    EnableColorGroup(colour);
    EnableCustomImageGroup(custom);
    EnableGradientGroup(gradient);
}

void BackgroundPage::backgroundColor_Click() {
    form_.settingsChanged = true;
    form_.settings.backEffect = std::string("0");
    ShowKind(IDC_frameBackgroundColor, true, false, false);
}

void BackgroundPage::backgroundDesktop_Click() {
    form_.settingsChanged = true;
    form_.settings.backEffect = std::string("1");
    ShowKind(0, false, false, false);
}

void BackgroundPage::backgroundCustomImage_Click() {
    form_.settingsChanged = true;
    form_.settings.backEffect = std::string("2");
    ShowKind(IDC_frameCustomImage, false, true, false);
}

void BackgroundPage::backgroundColorGradient_Click() {
    form_.settingsChanged = true;
    form_.settings.backEffect = std::string("3");
    ShowKind(IDC_frameColorGradient, false, false, true);
}

void BackgroundPage::backColorClick_Click() {
    form_.settingsChanged = true;
    const std::optional<Colour> chosen = form_.Services().ChooseColour(form_.colourDialogColour);
    if (!chosen) {
        return;
    }
    form_.colourDialogColour = *chosen;
    form_.settings.newBackColor = std::to_string(*chosen);
    form_.controls.SetBackColour(IDC_Picture1, *chosen);
}

void BackgroundPage::addBackImg_Click() {
    form_.settingsChanged = true;
    Form2Services& services = form_.Services();
    if (!form_.settings.backgroundImage.empty()) {
        services.ShowMessage("You can only display 1 background image.", MessageButtons::Ok);
        return;
    }
    const std::optional<std::string> path = services.ChooseFileToOpen(kPictureFileRequest);
    if (!path) {
        services.ShowMessage("No file has been selected.", MessageButtons::Ok);
        return;
    }
    // A file that is no picture would end the next saver run with the background error.
    const std::string picture = form_.Storage().ResolveProgramPath(*path);
    if (!services.PictureSize(picture)) {
        services.ShowMessage("No file has been selected.", MessageButtons::Ok);
        return;
    }
    form_.settings.backgroundImage = *path;
    form_.controls.SetText(IDC_backgroundImageFile, *path);
    form_.backgroundThumbnail = picture;
    form_.controls.Redraw(IDC_Image1);
}

void BackgroundPage::removeBackImg_Click() {
    form_.settingsChanged = true;
    if (form_.controls[IDC_backgroundImageFile].text.empty()) {
        form_.Services().ShowMessage("Nothing to remove.", MessageButtons::Ok);
        return;
    }
    form_.controls.SetText(IDC_backgroundImageFile, "");
    form_.settings.backgroundImage.clear();
    form_.backgroundThumbnail.clear();
    form_.controls.Redraw(IDC_Image1);
}

void BackgroundPage::CenterOption_Click() {
    form_.settingsChanged = true;
    if (form_.controls[IDC_CenterOption].checked) {
        form_.settings.backgroundDisplay = std::string("0");
    }
}

void BackgroundPage::FullScreenOption_Click() {
    form_.settingsChanged = true;
    if (form_.controls[IDC_FullScreenOption].checked) {
        form_.settings.backgroundDisplay = std::string("1");
    }
}

void BackgroundPage::TileOption_Click() {
    form_.settingsChanged = true;
    if (form_.controls[IDC_TileOption].checked) {
        form_.settings.backgroundDisplay = std::string("2");
    }
}

void BackgroundPage::ColourSlider(int slider, int label, int swatch, const char* word,
                                  std::string& setting, int shift) {
    form_.settingsChanged = true;
    const int value = form_.controls[slider].value;
    form_.controls.SetText(label, word + std::to_string(value));
    form_.controls.SetBackColour(swatch, static_cast<Colour>(value) << shift);
    setting = std::to_string(value);
    form_.PaintGradientPreview();
    form_.controls.Redraw(IDC_GradientPicture);
}

void BackgroundPage::redSlider_Scroll() {
    ColourSlider(IDC_redSlider, IDC_redLabel, IDC_redPicture,
                 "Red = ", form_.settings.redBackground, 0);
}

void BackgroundPage::greenSlider_Scroll() {
    ColourSlider(IDC_greenSlider, IDC_greenLabel, IDC_greenPicture,
                 "Green = ", form_.settings.greenBackground, 8);
}

void BackgroundPage::blueSlider_Scroll() {
    ColourSlider(IDC_blueSlider, IDC_blueLabel, IDC_bluePicture,
                 "Blue = ", form_.settings.blueBackground, 16);
}

// --- "Countdown" ---

void CountdownPage::EnableDateLists(bool enabled) {
    for (int id : {IDC_monthCombo, IDC_dayCombo, IDC_yearCombo}) {
        form_.controls.Enable(id, enabled);
        form_.controls.SetBackColour(id, enabled ? kWindowColour : k3DLightColour);
    }
}

void CountdownPage::noneOption_Click() {
    form_.settingsChanged = true;
    EnableDateLists(false);
    if (form_.controls[IDC_noneOption].checked) {
        form_.settings.timeDisplay = std::string("0");
    }
}

void CountdownPage::timeOption_Click() {
    form_.settingsChanged = true;
    EnableDateLists(false);
    if (form_.controls[IDC_timeOption].checked) {
        form_.settings.timeDisplay = std::string("1");
    }
}

void CountdownPage::yearOption_Click() {
    form_.settingsChanged = true;
    EnableDateLists(true);
    if (form_.controls[IDC_yearOption].checked) {
        form_.settings.timeDisplay = std::string("2");
    }
}

void CountdownPage::monthCombo_Click() {
    form_.settingsChanged = true;
    form_.settings.countdownMonth = form_.controls[IDC_monthCombo].text;
}

void CountdownPage::dayCombo_Click() {
    form_.settingsChanged = true;
    form_.settings.countdownDay = form_.controls[IDC_dayCombo].text;
}

void CountdownPage::yearCombo_Click() {
    form_.settingsChanged = true;
    form_.settings.countdownYear = form_.controls[IDC_yearCombo].text;
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
