// A window's scanning thread (the saver's, the editor's): folder entries' trees are walked there
// (at a lower priority than the window and the picture decoder), and what the scan hands on is
// posted to the window as a message, in order; the window's thread never waits for it.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "settings/folder_scan.h"

namespace orvelle::win {

class ScanWorker {
  public:
    // News is announced to window as message (one message for any number of news waiting).
    // extensions tells which files are pictures; it is asked once, on the scanning thread.
    ScanWorker(HWND window, UINT message, std::function<PictureExtensions()> extensions);
    // Stops. A thread waiting for work is joined; one inside a slow folder listing (a sleeping
    // network drive) is left to end with the process, never waited for.
    ~ScanWorker();
    ScanWorker(const ScanWorker&) = delete;
    ScanWorker& operator=(const ScanWorker&) = delete;

    // Starts a scan, dropping one still running with whatever it had not handed on yet.
    void Scan(const ScanRequest& request);
    // The news handed on since the last call, in order.
    std::vector<ScanNews> TakeNews();
    // Abandons the work: the scan under way stops at its next folder, nothing more is posted.
    void Stop();

  private:
    struct Shared;
    static void Run(std::shared_ptr<Shared> shared);

    std::shared_ptr<Shared> shared_;
    std::thread thread_;
};

}  // namespace orvelle::win
