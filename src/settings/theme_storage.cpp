#include "settings/theme_storage.h"

#include <algorithm>
#include <utility>

#include "base/text.h"
#include "settings/file_system.h"
#include "settings/profile_store.h"
#include "settings/theme_names.h"

namespace orvelle {

namespace {

// A file system that knows the system's code page offers it too; otherwise profile files
// without a byte-order mark are read as Windows-1252.
const AnsiCodec& CodecFor(FileSystem& files) {
    if (const auto* codec = dynamic_cast<const AnsiCodec*>(&files)) {
        return *codec;
    }
    return Windows1252Codec();
}

// The sample-picture setup step. The installed global settings file carries
//     [setup]
//     samplePicture=1
// While that value reads "1" the step is due. The first run that loads the current theme
// (dialog or saver) writes the sample picture into it and then sets the value to "0", so the
// step happens once and later runs leave the user's picture list alone. A file without the key
// (an older installation, or one the user edited) never runs the step.
constexpr const char* kSetupSection = "setup";
constexpr const char* kSamplePictureKey = "samplePicture";
// Written relative to the program folder, which every reader resolves, so that a moved program
// folder keeps its welcome picture.
constexpr const char* kSamplePictureName = "tovak.gif";

}  // namespace

ThemeStorage::ThemeStorage(FileSystem& files, std::string programFolder)
    : files_(files),
      folder_(WithTrailingBackslash(programFolder)),
      store_(std::make_unique<ProfileStore>(files, CodecFor(files))) {}

ThemeStorage::~ThemeStorage() = default;

void ThemeStorage::ReadThemeValue(const std::string& section, const std::string& key,
                                  std::string& value, const std::string& file) {
    value = ReadThemeValue(section, key, file);
}

std::string ThemeStorage::ReadThemeValue(const std::string& section, const std::string& key,
                                         const std::string& file) {
    return file.empty() ? std::string() : store_->ReadValue(file, section, key);
}

std::optional<std::string> ThemeStorage::FindThemeValue(const std::string& section,
                                                        const std::string& key,
                                                        const std::string& file) {
    if (file.empty()) {
        return std::nullopt;
    }
    return store_->FindValue(file, section, key);
}

std::vector<std::string> ThemeStorage::ThemeKeyNames(const std::string& section,
                                                     const std::string& file) {
    return file.empty() ? std::vector<std::string>() : store_->KeyNames(file, section);
}

FileState ThemeStorage::ThemeFileState(const std::string& file) {
    return file.empty() ? FileState::Missing : store_->State(file);
}

void ThemeStorage::WriteThemeValue(const std::string& section, const std::string& key,
                                   const std::string& value, const std::string& file) {
    if (file.empty()) {
        refusedWrite_ = true;
        return;
    }
    store_->WriteValue(file, section, key, value);
}

void ThemeStorage::EraseThemeSection(const std::string& section, const std::string& file) {
    if (file.empty()) {
        refusedWrite_ = true;
        return;
    }
    store_->EraseSection(file, section);
}

bool ThemeStorage::Flush() {
    const bool ok = store_->Flush() && !refusedWrite_;
    refusedWrite_ = false;
    return ok;
}

bool ThemeStorage::FlushFile(const std::string& file) {
    if (file.empty()) {
        return !std::exchange(refusedWrite_, false);
    }
    return store_->FlushFile(file);
}

FileBytes ThemeStorage::Snapshot(const std::string& file) {
    return files_.ReadWholeFile(file);
}

bool ThemeStorage::Restore(const std::string& file, const FileBytes& snapshot) {
    store_->Forget(file);
    switch (snapshot.state) {
        case FileState::Read:
            return files_.ReplaceFile(file, snapshot.bytes);
        case FileState::Missing:
            return !files_.FileExists(file) || files_.RemoveFile(file);
        case FileState::Unreadable:
            break;
    }
    return false;  // what it held was never known
}

std::string ThemeStorage::ProgramFolder() const {
    return folder_;
}

std::string ThemeStorage::ThemeFilePath(const std::string& name) const {
    if (!IsSafeThemeName(name)) {
        return {};
    }
    return folder_ + "orvellesaver\\" + name + ".ini";
}

std::vector<std::string> ThemeStorage::ThemeNames() {
    std::vector<std::string> names = files_.FindFiles(folder_ + "orvellesaver\\", "*.ini");
    for (std::string& name : names) {
        name.resize(name.size() - 4);
    }
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return FileNameLess(a, b); });
    return names;
}

bool ThemeStorage::ThemesFolderExists() {
    return files_.FolderExists(folder_ + "orvellesaver");
}

bool ThemeStorage::TemplateExists() {
    return files_.FileExists(TemplateThemePath());
}

bool ThemeStorage::CopyTemplateTo(const std::string& name) {
    const std::string path = ThemeFilePath(name);
    const bool copied = !path.empty() && files_.CopyWholeFile(TemplateThemePath(), path, true);
    Flush();
    return copied;
}

bool ThemeStorage::DeleteTheme(const std::string& name) {
    const std::string path = ThemeFilePath(name);
    const bool deleted = !path.empty() && files_.RemoveFile(path);
    Flush();
    return deleted;
}

std::string ThemeStorage::GlobalSettingsPath() const {
    return folder_ + "orvellemain.ini";
}

std::string ThemeStorage::TemplateThemePath() const {
    return folder_ + "orvelletemp.ini";
}

std::string ThemeStorage::SamplePicturePath() const {
    return folder_ + kSamplePictureName;
}

std::string ThemeStorage::FallbackPicturePath() const {
    return folder_ + "orvellenotfound.gif";
}

std::string ThemeStorage::ResolveProgramPath(const std::string& path) const {
    if (path.empty()) {
        return path;
    }
    // "\..." covers UNC names and paths from the root of the current drive; "/" is accepted by
    // the file calls as a separator too.
    bool rooted = path[0] == '\\' || path[0] == '/';
    bool drive = path.size() >= 2 && path[1] == ':' &&
                 ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
    if (rooted || drive) {
        return path;
    }
    return folder_ + path;
}

bool ThemeStorage::SamplePictureStepDue() {
    return ReadThemeValue(kSetupSection, kSamplePictureKey, GlobalSettingsPath()) == "1";
}

void ThemeStorage::WriteSamplePictureIfDue(const std::string& themeFile) {
    if (themeFile.empty() || !SamplePictureStepDue()) {
        return;
    }
    // The marker is cleared only once the picture is in the theme: a theme that could not be
    // written gets the step again next time.
    WriteThemeValue("images", "0", kSamplePictureName, themeFile);
    if (!store_->FlushFile(themeFile)) {
        return;
    }
    WriteThemeValue(kSetupSection, kSamplePictureKey, "0", GlobalSettingsPath());
    store_->FlushFile(GlobalSettingsPath());
}

}  // namespace orvelle
