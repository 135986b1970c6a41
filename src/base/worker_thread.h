// The end of a worker thread at its owner's end.
#pragma once

#include <mutex>
#include <thread>

namespace orvelle {

// Joins the worker when it is idle. A busy one may be inside a system call that takes seconds:
// it is left to end on its own (or with the process), holding what it shares until then, so
// the owner never waits on it.
inline void LetWorkerGo(std::thread& worker, std::mutex& mutex, const bool& busy) {
    bool working = false;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        working = busy;
    }
    if (working) {
        worker.detach();
    } else {
        worker.join();
    }
}

}  // namespace orvelle
