#include "settings/scan_worker_win.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <utility>

#include "base/worker_thread.h"
#include "settings/file_system_win.h"

namespace orvelle::win {

struct ScanWorker::Shared : ScanSink {
    HWND window = nullptr;
    UINT message = 0;
    std::function<PictureExtensions()> extensions;
    std::atomic<bool> stop{false};
    std::atomic<std::uint32_t> latest{0};  // the ticket of the newest request

    std::mutex mutex;
    std::condition_variable wake;
    std::optional<ScanRequest> pending;
    bool busy = false;
    std::vector<ScanNews> news;

    bool Wanted(std::uint32_t ticket) const { return !stop && latest == ticket; }

    void Hand(ScanNews item) override {
        bool announce = false;
        {
            const std::lock_guard<std::mutex> lock(mutex);
            if (!Wanted(item.ticket)) {
                return;
            }
            announce = news.empty();
            news.push_back(std::move(item));
        }
        if (announce) {
            PostMessageW(window, message, 0, 0);
        }
    }
    bool KeepGoing() override { return Wanted(current); }

    std::uint32_t current = 0;  // the ticket of the scan running (this thread's own)
};

ScanWorker::ScanWorker(HWND window, UINT message, std::function<PictureExtensions()> extensions)
    : shared_(std::make_shared<Shared>()) {
    shared_->window = window;
    shared_->message = message;
    shared_->extensions = std::move(extensions);
    thread_ = std::thread(Run, shared_);
}

ScanWorker::~ScanWorker() {
    Stop();
    LetWorkerGo(thread_, shared_->mutex, shared_->busy);
}

void ScanWorker::Run(std::shared_ptr<Shared> shared) {
    // Scans are background work: the window and the picture decoder come first.
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
    WinFileSystem files;
    std::optional<PictureExtensions> extensions;
    for (;;) {
        ScanRequest request;
        {
            std::unique_lock<std::mutex> lock(shared->mutex);
            shared->wake.wait(lock, [&] { return shared->stop || shared->pending; });
            if (shared->stop) {
                return;
            }
            request = std::move(*shared->pending);
            shared->pending.reset();
            shared->busy = true;
        }
        if (!extensions) {
            // Asked here, not on the window's thread: the decoder list takes a moment.
            extensions.emplace(shared->extensions());
        }
        shared->current = request.ticket;
        try {
            RunFolderScan(files, request, *extensions, *shared);
        } catch (...) {
            // No memory for a huge tree: the show goes on with what was found.
        }
        const std::lock_guard<std::mutex> lock(shared->mutex);
        shared->busy = false;
    }
}

void ScanWorker::Scan(const ScanRequest& request) {
    {
        const std::lock_guard<std::mutex> lock(shared_->mutex);
        shared_->pending = request;
        shared_->latest = request.ticket;
        shared_->news.clear();
    }
    shared_->wake.notify_one();
}

std::vector<ScanNews> ScanWorker::TakeNews() {
    const std::lock_guard<std::mutex> lock(shared_->mutex);
    return std::exchange(shared_->news, {});
}

void ScanWorker::Stop() {
    {
        const std::lock_guard<std::mutex> lock(shared_->mutex);
        shared_->stop = true;
        shared_->pending.reset();
        shared_->news.clear();
    }
    shared_->wake.notify_one();
}

}  // namespace orvelle::win
