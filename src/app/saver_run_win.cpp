#include "app/saver_run_win.h"

#include <string>

#include "base/clock_win.h"
#include "base/random_source.h"
#include "base/wide_win.h"
#include "overlays/mci_sender_win.h"
#include "saver/registry_win.h"
#include "saver/saver_form.h"
#include "saver/saver_window_win.h"
#include "settings/file_system_win.h"
#include "settings/theme_storage.h"

namespace orvelle::win {

namespace {

// The folder the program runs from; the settings files and pictures live beside it.
std::string ProgramFolder() {
    // The buffer grows until the whole path fits: a folder may be far longer than MAX_PATH.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(path.size());
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), size);
        if (length == 0) {
            path.clear();
            break;
        }
        if (length < size) {
            path.resize(length);
            break;
        }
        if (size >= 32768) {  // the longest path the system has
            path.clear();
            break;
        }
        path.resize(size * 2);
    }
    std::string folder = Narrow(path);
    size_t slash = folder.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

}  // namespace

// Everything one run talks to, built in dependency order and torn down in reverse.
struct SaverRun::Parts {
    Parts(HINSTANCE instance, std::int32_t platformId)
        : storage(files, ProgramFolder()),
          window(instance),
          form(SaverEnvironment{window, window, storage, registry, clock, random, MediaPlayer(),
                                platformId}) {
        window.Attach(form);
    }

    WinFileSystem files;
    ThemeStorage storage;
    RegistryReaderWin registry;
    ClockWin clock;
    SystemRandom random;
    SaverWindow window;
    SaverForm form;
};

SaverRun::SaverRun(HINSTANCE instance, std::int32_t platformId)
    : parts_(std::make_unique<Parts>(instance, platformId)) {}

SaverRun::~SaverRun() = default;

bool SaverRun::WindowCreated() const {
    return parts_->window.IsAlive();
}

void SaverRun::Start() {
    parts_->window.Load();
}

}  // namespace orvelle::win
