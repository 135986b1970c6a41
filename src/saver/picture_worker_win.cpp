#include "saver/picture_worker_win.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <utility>

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

}  // namespace

struct PictureWorker::Shared {
    HWND window = nullptr;
    UINT message = 0;
    std::atomic<bool> stop{false};
    std::atomic<std::uint32_t> latest{0};  // the ticket of the newest request

    mutable std::mutex mutex;
    std::condition_variable wake;
    std::optional<Job> pending;
    bool busy = false;
    std::optional<DecodedPicture> done;
    DibBitmap picture;

    // True while the work for ticket is still wanted.
    bool Wanted(std::uint32_t ticket) const { return !stop && latest == ticket; }
};

PictureWorker::PictureWorker(HWND window, UINT message) : shared_(std::make_shared<Shared>()) {
    shared_->window = window;
    shared_->message = message;
    thread_ = std::thread(Run, shared_);
}

PictureWorker::~PictureWorker() {
    Stop();
    bool busy = false;
    {
        const std::lock_guard<std::mutex> lock(shared_->mutex);
        busy = shared_->busy;
    }
    if (busy) {
        // It may be inside a system call that takes seconds; it ends on its own or with the
        // process, and holds what it shares with this object until then.
        thread_.detach();
    } else {
        thread_.join();
    }
}

void PictureWorker::Run(std::shared_ptr<Shared> shared) {
    // The decoder starts COM on this thread.
    PictureDecoder decoder;
    std::uint32_t ticket = 0;
    decoder.SetBetweenBands([&] { return shared->Wanted(ticket); });
    for (;;) {
        Job job;
        {
            std::unique_lock<std::mutex> lock(shared->mutex);
            shared->wake.wait(lock, [&] { return shared->stop || shared->pending; });
            if (shared->stop) {
                return;
            }
            job = std::move(*shared->pending);
            shared->pending.reset();
            shared->busy = true;
        }
        ticket = job.request.ticket;
        DibBitmap picture;
        const DecodedPicture answer = DecodeJob(decoder, job, picture);
        {
            const std::lock_guard<std::mutex> lock(shared->mutex);
            shared->busy = false;
            if (!shared->Wanted(ticket)) {
                continue;  // dropped: its bitmap goes with this loop's turn
            }
            shared->done = answer;
            shared->picture = std::move(picture);
        }
        PostMessageW(shared->window, shared->message, ticket, 0);
    }
}

void PictureWorker::Decode(const PictureRequest& request, Colour background) {
    DibBitmap dropped;
    {
        const std::lock_guard<std::mutex> lock(shared_->mutex);
        shared_->pending = Job{request, background};
        shared_->latest = request.ticket;
        shared_->done.reset();
        dropped = std::exchange(shared_->picture, DibBitmap{});
    }
    shared_->wake.notify_one();
}

std::optional<DecodedPicture> PictureWorker::Answer(std::uint32_t ticket) const {
    const std::lock_guard<std::mutex> lock(shared_->mutex);
    if (shared_->done && shared_->done->ticket == ticket) {
        return shared_->done;
    }
    return std::nullopt;
}

DibBitmap PictureWorker::Take(std::uint32_t ticket) {
    const std::lock_guard<std::mutex> lock(shared_->mutex);
    if (!shared_->done || shared_->done->ticket != ticket) {
        return {};
    }
    shared_->done.reset();
    return std::exchange(shared_->picture, DibBitmap{});
}

void PictureWorker::Stop() {
    DibBitmap dropped;
    {
        const std::lock_guard<std::mutex> lock(shared_->mutex);
        shared_->stop = true;
        shared_->pending.reset();
        shared_->done.reset();
        dropped = std::exchange(shared_->picture, DibBitmap{});
    }
    shared_->wake.notify_one();
}

}  // namespace orvelle::win
