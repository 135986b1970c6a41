#include "saver/picture_worker_win.h"

#include <array>
#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <utility>

#include "base/worker_thread.h"
#include "picture/picture_decoder_win.h"

namespace orvelle::win {

namespace {

struct Job {
    PictureRequest request;
    Colour background = 0;
};

// The picture of the job, opened, sized for the screen and decoded; the answer says how far it
// came.
DecodedPicture DecodeJob(PictureDecoder& decoder, const Job& job, DibBitmap& picture) {
    DecodedPicture answer{job.request.ticket, DecodeOutcome::NotAPicture, {}, {}};
    try {
        const std::optional<PixelSize> own = decoder.Open(job.request.path);
        if (!own) {
            return answer;
        }
        answer.outcome = DecodeOutcome::NotDecoded;
        const std::optional<PixelSize> shown = ShownPictureSize(*own, job.request.fit);
        if (shown) {
            picture = decoder.Decode(*shown, job.background);
        }
        if (picture) {
            answer = {job.request.ticket, DecodeOutcome::Decoded, *shown, {}};
            if (job.request.readFacts) {
                answer.facts = decoder.ReadFacts(job.request.path);
            }
        }
    } catch (...) {
        // No memory for the decoder's own work: a picture that cannot be shown.
        picture = DibBitmap{};
    }
    decoder.Close();
    return answer;
}

// Requests for monitors past the last lane share its slot.
int LaneIndex(int lane) {
    return std::clamp(lane, 0, static_cast<int>(PictureWorker::kLanes) - 1);
}

}  // namespace

struct PictureWorker::Shared {
    // One picture ahead per monitor: the request waiting, the newest ticket, the answer held.
    struct Slot {
        std::atomic<std::uint32_t> latest{0};
        std::optional<Job> pending;
        std::optional<DecodedPicture> done;
        DibBitmap picture;
    };

    HWND window = nullptr;
    UINT message = 0;
    std::atomic<bool> stop{false};

    mutable std::mutex mutex;
    std::condition_variable wake;
    bool busy = false;
    std::array<Slot, kLanes> slots;

    // True while the work for ticket is still wanted.
    bool Wanted(std::uint32_t ticket, int lane) const {
        return !stop && slots[static_cast<std::size_t>(lane)].latest == ticket;
    }
    // The main monitor's picture first: its change is the one the user waits for.
    Slot* Waiting() {
        for (Slot& slot : slots) {
            if (slot.pending) {
                return &slot;
            }
        }
        return nullptr;
    }
    Slot& Of(int lane) { return slots[static_cast<std::size_t>(LaneIndex(lane))]; }
};

PictureWorker::PictureWorker(HWND window, UINT message) : shared_(std::make_shared<Shared>()) {
    shared_->window = window;
    shared_->message = message;
    thread_ = std::thread(Run, shared_);
}

PictureWorker::~PictureWorker() {
    Stop();
    LetWorkerGo(thread_, shared_->mutex, shared_->busy);
}

void PictureWorker::Run(std::shared_ptr<Shared> shared) {
    // The decoder starts COM on this thread.
    PictureDecoder decoder;
    std::uint32_t ticket = 0;
    int lane = 0;
    decoder.SetBetweenBands([&] { return shared->Wanted(ticket, lane); });
    for (;;) {
        Job job;
        {
            std::unique_lock<std::mutex> lock(shared->mutex);
            shared->wake.wait(lock, [&] { return shared->stop || shared->Waiting(); });
            if (shared->stop) {
                return;
            }
            Shared::Slot& slot = *shared->Waiting();
            job = std::move(*slot.pending);
            slot.pending.reset();
            shared->busy = true;
        }
        ticket = job.request.ticket;
        lane = LaneIndex(job.request.lane);
        DibBitmap picture;
        DecodedPicture answer = DecodeJob(decoder, job, picture);
        answer.lane = lane;
        {
            const std::lock_guard<std::mutex> lock(shared->mutex);
            shared->busy = false;
            if (!shared->Wanted(ticket, lane)) {
                continue;  // dropped: its bitmap goes with this loop's turn
            }
            Shared::Slot& slot = shared->Of(lane);
            slot.done = answer;
            slot.picture = std::move(picture);
        }
        PostMessageW(shared->window, shared->message, ticket, static_cast<LPARAM>(lane));
    }
}

void PictureWorker::Decode(const PictureRequest& request, Colour background) {
    DibBitmap dropped;
    {
        const std::lock_guard<std::mutex> lock(shared_->mutex);
        Shared::Slot& slot = shared_->Of(request.lane);
        slot.pending = Job{request, background};
        slot.latest = request.ticket;
        slot.done.reset();
        dropped = std::exchange(slot.picture, DibBitmap{});
    }
    shared_->wake.notify_one();
}

std::optional<DecodedPicture> PictureWorker::Answer(std::uint32_t ticket, int lane) const {
    const std::lock_guard<std::mutex> lock(shared_->mutex);
    const Shared::Slot& slot = shared_->slots[static_cast<std::size_t>(LaneIndex(lane))];
    if (slot.done && slot.done->ticket == ticket) {
        return slot.done;
    }
    return std::nullopt;
}

DibBitmap PictureWorker::Take(std::uint32_t ticket, int lane) {
    const std::lock_guard<std::mutex> lock(shared_->mutex);
    Shared::Slot& slot = shared_->Of(lane);
    if (!slot.done || slot.done->ticket != ticket) {
        return {};
    }
    slot.done.reset();
    return std::exchange(slot.picture, DibBitmap{});
}

void PictureWorker::Stop() {
    std::array<DibBitmap, kLanes> dropped;
    {
        const std::lock_guard<std::mutex> lock(shared_->mutex);
        shared_->stop = true;
        for (std::size_t i = 0; i < kLanes; ++i) {
            Shared::Slot& slot = shared_->slots[i];
            slot.pending.reset();
            slot.done.reset();
            dropped[i] = std::exchange(slot.picture, DibBitmap{});
        }
    }
    shared_->wake.notify_one();
}

}  // namespace orvelle::win
