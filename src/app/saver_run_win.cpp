#include "app/saver_run_win.h"

#include <string>

#include "base/clock_win.h"
#include "base/random_source.h"
#include "base/program_folder_win.h"
#include "base/wide_win.h"
#include "media/mci_sender_win.h"
#include "saver/registry_win.h"
#include "saver/saver_form.h"
#include "saver/saver_window_win.h"
#include "settings/file_system_win.h"
#include "settings/theme_storage.h"

namespace orvelle::win {

// Everything one run talks to, built in dependency order and torn down in reverse.
struct SaverRun::Parts {
    Parts(HINSTANCE instance, std::int32_t platformId)
        : storage(files, ProgramFolder()),
          window(instance),
          form(SaverEnvironment{window, window, storage, registry, clock, random, MediaPlayer(),
                                platformId, LocalStateFolder()}) {
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
