// The handlers of the editor's tab pages that do more than write their key.
#include <algorithm>
#include <optional>

#include "base/numbers.h"
#include "base/text.h"
#include "config/control_ids.h"
#include "config/theme_editor.h"
#include "media/mmedia.h"
#include "settings/folder_walk.h"
#include "settings/run_state.h"
#include "settings/theme_storage.h"

namespace orvelle {

namespace {

// The pictures the machine's decoders read, asked when the dialog opens.
std::string PictureFilter(EditorServices& services) {
    return PictureFileFilter(services.PictureCodecs());
}

OpenFileRequest PictureFileRequest(EditorServices& services) {
    return {PictureFilter(services), "Select a file to open", 0x1004};
}

// MIDI and wave files, then the compressed music the player also opens: all of them first, then
// one filter per kind.
OpenFileRequest MusicFileRequest() {
    std::string all = "*.mid;*.wav";
    std::string kinds = "|Midi (*.mid)|*.mid|WaveAudio (*.wav)|*.wav";
    for (const char* extension : kCompressedMusicExtensions) {
        const std::string pattern = std::string("*.").append(extension);
        all.append(";").append(pattern);
        kinds.append("|").append(ToUpperAscii(extension)).append(" (").append(pattern);
        kinds.append(")|").append(pattern);
    }
    std::string filter = "Media Files (";
    filter.append(all).append(")|").append(all).append(kinds);
    return {filter, "Select a file to open", 0x1004};
}

ListEditorParts PictureListParts() {
    ListEditorParts parts;
    parts.list = IDL_IMAGES_PICTURES;
    parts.parallel = IDL_EDITOR_CAPTIONS;
    parts.total = IDT_IMAGES_TOTAL;
    parts.position = IDT_IMAGES_POSITION;
    parts.request = {"", "Select a file to open", 0x1004};
    parts.filter = PictureFilter;
    parts.removeAllQuestion = "Do you really want to remove all loaded images?";
    parts.nothingToMoveUp = "Nothing was selected to move.";
    parts.nothingToMoveDown = "Nothing was selected to move.";
    return parts;
}

ListEditorParts MusicListParts() {
    ListEditorParts parts;
    parts.list = IDL_MUSIC_FILES;
    parts.total = IDT_MUSIC_TOTAL;
    parts.position = IDT_MUSIC_POSITION;
    parts.countKey = ThemeKey::mediaTotal;
    parts.request = MusicFileRequest();
    parts.removeAllQuestion = "Do you really want to remove all loaded Multimedia Files?";
    parts.nothingToMoveUp = "Nothing was selected to move up.";
    parts.nothingToMoveDown = "Nothing was selected to move down.";
    return parts;
}

}  // namespace

// --- "Images" ---

ImagesPage::ImagesPage(ThemeEditor& editor)
    : editor_(editor),
      list(editor.controls, editor.Services(), editor.settings, *this, PictureListParts()) {}

void ImagesPage::Choose(int index) {
    editor_.Chosen(IDL_IMAGES_PICTURES, index);
}

void ImagesPage::OnAddFolder() {
    editor_.settingsChanged = true;
    editor_.Services().ShowFolderImport();
}

void ImagesPage::OnAddFolderEntry() {
    const std::optional<std::string> folder =
        editor_.Services().ChooseFolder("Choose a folder of pictures");
    if (!folder || folder->empty()) {
        return;
    }
    editor_.settingsChanged = true;
    list.Append(WithTrailingBackslash(*folder));
    TrackFolders();
    list.ShowTotal();
    editor_.Chosen(IDL_IMAGES_PICTURES,
                   static_cast<int>(editor_.controls[IDL_IMAGES_PICTURES].items.size()) - 1);
    WarnIfMany();
}

std::string ImagesPage::RootOf(const std::string& stored) const {
    return IsFolderEntry(stored)
               ? WithTrailingBackslash(editor_.Storage().ResolveProgramPath(stored))
               : std::string();
}

std::string ImagesPage::PictureOf(const std::string& stored) const {
    return IsFolderEntry(stored) ? folders_.FirstPicture(RootOf(stored)) : stored;
}

std::string ImagesPage::ShownEntry(const std::string& stored) const {
    return IsFolderEntry(stored) ? folders_.Shown(stored, RootOf(stored)) : stored;
}

void ImagesPage::CountFolders(const std::string& theme) {
    folders_.Reset();
    countedTheme_ = theme;
    TrackFolders();
}

void ImagesPage::TrackFolders() {
    std::vector<std::string> roots;
    for (const std::string& stored : editor_.controls[IDL_IMAGES_PICTURES].items) {
        if (IsFolderEntry(stored)) {
            roots.push_back(RootOf(stored));
        }
    }
    EditorServices& services = editor_.Services();
    // The saver's cache of the theme's walks: a library it has shown is counted at once.
    if (std::optional<ScanRequest> request =
            folders_.Track(roots, ScanCachePath(services.StateFolder(), countedTheme_))) {
        services.ScanFolders(*request);
    }
}

void ImagesPage::FoldersScanned(const ScanNews& news) {
    const std::vector<std::string> changed = folders_.Apply(news);
    if (changed.empty()) {
        return;
    }
    auto touched = [&](const std::string& stored) {
        const std::string root = RootOf(stored);
        return !root.empty() && std::any_of(changed.begin(), changed.end(),
                                            [&](const auto& r) { return EqualsNoCase(r, root); });
    };
    EditorControls& c = editor_.controls;
    const std::vector<std::string>& items = c[IDL_IMAGES_PICTURES].items;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (touched(items[i])) {
            // The same text again: the list shows it with its count.
            const std::string stored = items[i];
            c.ReplaceItem(IDL_IMAGES_PICTURES, static_cast<int>(i), stored);
        }
    }
    const int selected = c[IDL_IMAGES_PICTURES].selected;
    if (selected >= 0 && touched(items[static_cast<std::size_t>(selected)])) {
        PreviewFolder(items[static_cast<std::size_t>(selected)]);
    }
}

void ImagesPage::PreviewFolder(const std::string& stored) {
    // Still counting, no pictures, or a first picture no decoder reads (the show passes such
    // by): an empty preview says enough.
    const std::string first = PictureOf(stored);
    if (first.empty() || !PreviewPicture(first)) {
        editor_.preview.shown = false;
        editor_.controls.Redraw(IDP_IMAGES_PREVIEW);
    }
}

void ImagesPage::ImportPictures(const std::vector<std::string>& paths) {
    EditorServices& services = editor_.Services();
    services.ShowBusyPointer(true);
    for (const std::string& path : paths) {
        list.Append(path);
    }
    const int count = static_cast<int>(editor_.controls[IDL_IMAGES_PICTURES].items.size());
    list.ShowTotal();
    if (count > 0) {
        editor_.Chosen(IDL_IMAGES_PICTURES, count - 1);
    }
    services.ShowBusyPointer(false);
    WarnIfMany();
}

void ImagesPage::WarnIfMany() {
    if (editor_.controls[IDL_IMAGES_PICTURES].items.size() > 700 && !editor_.manyImagesWarned) {
        editor_.Services().ShowMessage(
            "It is recommended that the screen saver should have less than 700 loaded images.",
            MessageButtons::Ok);
        editor_.manyImagesWarned = true;
    }
}

void ImagesPage::OnViewPicture() {
    const ControlState& pictures = editor_.controls[IDL_IMAGES_PICTURES];
    const std::string path = pictures.selected >= 0
                                 ? editor_.Storage().ResolveProgramPath(PictureOf(
                                       pictures.items[static_cast<std::size_t>(pictures.selected)]))
                                 : std::string();
    editor_.Services().ShowPictureViewer(path);
}

void ImagesPage::SetCaption(const std::string& text) {
    if (editor_.controls[IDE_IMAGES_CAPTION].text == text) {
        return;
    }
    editor_.controls.SetText(IDE_IMAGES_CAPTION, text);
    OnCaptionTyped();
}

void ImagesPage::Added(const std::string& path) {
    WarnIfMany();
    PreviewPicture(path);
}

void ImagesPage::Removed() {
    editor_.preview.shown = false;
    editor_.controls.Redraw(IDP_IMAGES_PREVIEW);
}

void ImagesPage::Emptied() {
    SetCaption("");
}

void ImagesPage::OnCaptionTyped() {
    editor_.settingsChanged = true;
    EditorControls& c = editor_.controls;
    const std::string text = c[IDE_IMAGES_CAPTION].text;
    const int index = c[IDL_IMAGES_PICTURES].selected;
    if (text.empty() && index < 0) {
        return;
    }
    if (!c[IDL_IMAGES_PICTURES].items.empty() || index >= 0) {
        c.ReplaceItem(IDL_EDITOR_CAPTIONS, index, text);
        return;
    }
    editor_.Services().ShowMessage("An image must be loaded first.", MessageButtons::Ok);
    SetCaption("");
}

void ImagesPage::OnClearCaption() {
    SetCaption("");
    editor_.controls.ReplaceItem(IDL_EDITOR_CAPTIONS,
                                 editor_.controls[IDL_IMAGES_PICTURES].selected, "");
}

void ImagesPage::OnChooseFont() {
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
    editor_.controls.SetBackColour(IDP_IMAGES_FONT_COLOUR, chosen->colour);
}

void ImagesPage::OnPictureSelected() {
    const ControlState& pictures = editor_.controls[IDL_IMAGES_PICTURES];
    const int index = pictures.selected;
    if (index < 0) {
        return;
    }
    editor_.controls.SetText(IDT_IMAGES_POSITION, "Position: " + std::to_string(index + 1));
    const std::vector<std::string>& captions = editor_.controls[IDL_EDITOR_CAPTIONS].items;
    const std::string& stored = pictures.items[static_cast<std::size_t>(index)];
    const bool folder = IsFolderEntry(stored);
    if (folder) {
        PreviewFolder(stored);
    }
    if ((!folder && !PreviewPicture(stored)) || index >= static_cast<int>(captions.size())) {
        editor_.Services().ShowBusyPointer(false);
        editor_.Services().ShowMessage(
            "Cannot load image file properly.\r\nYou need to reload a new one.",
            MessageButtons::Ok);
        return;
    }
    SetCaption(captions[static_cast<std::size_t>(index)]);
}

// A picture other than the last one measured: its size in the preview, shrunk by tenths until
// it fits. False when it cannot be loaded; it is then forgotten, so that choosing it again (after
// the file was put right) tries it again rather than drawing nothing in silence.
bool ImagesPage::MeasurePreview(const std::string& path) {
    editor_.lastPreviewPath = path;
    EditorServices& services = editor_.Services();
    services.ShowBusyPointer(true);
    editor_.preview = {};
    const std::string file = editor_.Storage().ResolveProgramPath(path);
    const std::optional<PixelSize> size = services.PictureSize(file);
    if (!size) {
        services.ShowBusyPointer(false);
        editor_.lastPreviewPath.clear();
        editor_.previewWidth = 0;
        editor_.previewHeight = 0;
        editor_.controls.Redraw(IDP_IMAGES_PREVIEW);
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
    return true;
}

bool ImagesPage::PreviewPicture(const std::string& path) {
    if (path != editor_.lastPreviewPath && !MeasurePreview(path)) {
        return false;
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
    editor_.controls.Redraw(IDP_IMAGES_PREVIEW);
    return true;
}

// --- "Music" ---

MusicPage::MusicPage(ThemeEditor& editor)
    : editor_(editor),
      list(editor.controls, editor.Services(), editor.settings, *this, MusicListParts()) {}

void MusicPage::Choose(int index) {
    editor_.Chosen(IDL_MUSIC_FILES, index);
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
    editor_.controls.Enable(IDB_MUSIC_PLAY, true);
    editor_.controls.Enable(IDB_MUSIC_STOP, false);
}

void MusicPage::ShowPlayingButtons() {
    editor_.controls.Enable(IDB_MUSIC_PLAY, false);
    editor_.controls.Enable(IDB_MUSIC_STOP, true);
}

void MusicPage::DisableMusicButtons() {
    editor_.controls.Enable(IDB_MUSIC_PLAY, false);
    editor_.controls.Enable(IDB_MUSIC_STOP, false);
}

void MusicPage::BeforeEdit() {
    if (StopIfPlaying()) {
        ShowStoppedButtons();
    }
}

void MusicPage::Emptied() {
    StopIfPlaying();
    DisableMusicButtons();
}

void MusicPage::Added(const std::string&) {
    ShowStoppedButtons();
}

void MusicPage::OnMusicSelected() {
    StopIfPlaying();
    ShowStoppedButtons();
    editor_.controls.SetText(
        IDT_MUSIC_POSITION,
        "Position: " + std::to_string(editor_.controls[IDL_MUSIC_FILES].selected + 1));
}

void MusicPage::OnPlay() {
    const ControlState& files = editor_.controls[IDL_MUSIC_FILES];
    Mmedia& player = editor_.MediaPlayer();
    player.SetWait(false);
    if (files.selected >= 0) {
        player.mmOpen(editor_.Storage().ResolveProgramPath(
            files.items[static_cast<std::size_t>(files.selected)]));
    }
    const float length = player.Length();
    if (files.selected < 0 || !(length > 0)) {
        // Nothing opened: a file the system cannot play, or one that is gone.
        player.mmClose();
        editor_.Services().ShowMessage("Cannot play media file. Please reload a different one.",
                                       MessageButtons::Ok);
        return;
    }
    editor_.controls.SetValue(IDC_MUSIC_PROGRESS, 0);
    editor_.controls.SetMaximum(IDC_MUSIC_PROGRESS, static_cast<int>(length));
    player.mmPlay();
    editor_.musicTimerOn = true;
    ShowPlayingButtons();
}

void MusicPage::OnStop() {
    StopIfPlaying();
    ShowStoppedButtons();
}

void MusicPage::OnTick() {
    Mmedia& player = editor_.MediaPlayer();
    const int position = static_cast<int>(player.Position());
    editor_.controls.SetValue(IDC_MUSIC_PROGRESS, position);
    const std::string status = player.Status();
    editor_.controls.SetText(IDT_MUSIC_STATUS, "Status: " + status);
    // Stopped by itself is the end as well: some systems' compressed music reads position 0 there.
    const int end = editor_.controls[IDC_MUSIC_PROGRESS].maximum;
    if (position == end || status == "stopped") {
        editor_.controls.SetValue(IDC_MUSIC_PROGRESS, end);
        player.mmClose();
        ShowStoppedButtons();
        editor_.musicTimerOn = false;
    }
}

// --- "Image Settings" ---

void ImageSettingsPage::OnNeverChange() {
    editor_.settings.timeInterval = std::string("0");
    editor_.controls.SetText(IDE_SETTINGS_INTERVAL, "0");
}

void ImageSettingsPage::OnIntervalTyped() {
    editor_.settingsChanged = true;
    const std::string& typed = editor_.controls[IDE_SETTINGS_INTERVAL].text;
    editor_.settings.timeInterval = typed;
    if (const std::optional<int> seconds = IntervalSeconds(typed)) {
        editor_.controls.SetValue(IDK_SETTINGS_INTERVAL, *seconds);
    }
}

// --- "Background" ---

namespace {

struct ColourPart {
    int swatch;
    int shift;  // of the part in 0x00BBGGRR
    std::string ThemeSettings::*setting;
};
constexpr ColourPart kColourParts[] = {
    {IDP_BACKGROUND_RED, 0, &ThemeSettings::redBackground},
    {IDP_BACKGROUND_GREEN, 8, &ThemeSettings::greenBackground},
    {IDP_BACKGROUND_BLUE, 16, &ThemeSettings::blueBackground},
};

}  // namespace

void BackgroundPage::OnChooseColour() {
    editor_.settingsChanged = true;
    const std::optional<Colour> chosen =
        editor_.Services().ChooseColour(editor_.colourDialogColour);
    if (!chosen) {
        return;
    }
    editor_.colourDialogColour = *chosen;
    editor_.settings.newBackColor = std::to_string(*chosen);
    editor_.controls.SetBackColour(IDP_BACKGROUND_COLOUR, *chosen);
}

void BackgroundPage::OnAddPicture() {
    editor_.settingsChanged = true;
    EditorServices& services = editor_.Services();
    if (!editor_.settings.backgroundImage.empty()) {
        services.ShowMessage("You can only display 1 background image.", MessageButtons::Ok);
        return;
    }
    const std::optional<std::string> path = services.ChooseFileToOpen(PictureFileRequest(services));
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
    editor_.controls.SetText(IDE_BACKGROUND_PICTURE_FILE, *path);
    editor_.backgroundThumbnail = picture;
    editor_.controls.Redraw(IDP_BACKGROUND_THUMBNAIL);
}

void BackgroundPage::OnRemovePicture() {
    editor_.settingsChanged = true;
    if (editor_.controls[IDE_BACKGROUND_PICTURE_FILE].text.empty()) {
        editor_.Services().ShowMessage("Nothing to remove.", MessageButtons::Ok);
        return;
    }
    editor_.controls.SetText(IDE_BACKGROUND_PICTURE_FILE, "");
    editor_.settings.backgroundImage.clear();
    editor_.backgroundThumbnail.clear();
    editor_.controls.Redraw(IDP_BACKGROUND_THUMBNAIL);
}

void BackgroundPage::ShowSwatch(int part) {
    const ColourPart& p = kColourParts[part];
    const Colour value = static_cast<Colour>(ControlNumber(editor_.settings.*p.setting));
    editor_.controls.SetBackColour(p.swatch, value << p.shift);
}

void BackgroundPage::OnColourScrolled(int part) {
    ShowSwatch(part);
    editor_.PaintGradient();
    editor_.controls.Redraw(IDP_BACKGROUND_GRADIENT);
}

}  // namespace orvelle
