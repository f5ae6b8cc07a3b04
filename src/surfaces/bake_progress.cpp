#include "surfaces/bake_progress.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>

#include "core/form.h"
#include "core/host.h"
#include "surfaces/helper_threads.h"

BakeProgress::BakeProgress(Host& host, int rows) : BakeProgress(nullptr, host, rows) {}

BakeProgress::BakeProgress(BakeProgress* whole, Host& host, int rows) : host_(host), whole_(whole), rows_(rows) {
  if (whole_) return;
  host_.ResetCancel();
  Form& main = host_.GetForm(FormId::Main);
  main.SetMaximum("ProgressBarSurface", rows);
  main.SetPosition("ProgressBarSurface", 0);
  main.SetVisible("PanelSurface", true);
  host_.ProcessEvents();  // shows the panel at once
}

BakeProgress::~BakeProgress() {
  if (!whole_) host_.GetForm(FormId::Main).SetVisible("PanelSurface", false);
}

void BakeProgress::RowDone() {
  if (OnRow) OnRow(done_);
  ++done_;
  if (whole_) {
    whole_->RowDone();
    return;
  }
  // A whole command's count of rows is made before its bakes; it never overshoots.
  host_.GetForm(FormId::Main).SetPosition("ProgressBarSurface", std::min(done_, rows_));
  host_.ProcessEvents();
}

bool BakeProgress::Cancelled() const { return host_.CancelRequested(); }

void RunRows(int rows, int threads, const std::function<void(int)>& rowJob, BakeProgress& progress) {
  threads = std::clamp(threads, 1, std::max(rows, 1));
  if (threads == 1) {
    for (int row = 0; row < rows && !progress.Cancelled(); ++row) {
      rowJob(row);
      progress.RowDone();
    }
    return;
  }
  // Rows are taken in turn by the workers and by the calling thread, which alone owns
  // the host: between its own rows it reports what all have finished. Working instead
  // of waiting on each row saves a wake-up per row and a thread per map.
  std::atomic<int> nextRow{0};
  std::atomic<int> finished{0};
  std::atomic<bool> stop{false};
  std::mutex failureMutex;
  std::exception_ptr failure;
  const auto takeRow = [&] {
    const int row = nextRow.fetch_add(1);
    if (row >= rows || stop) return false;
    try {
      rowJob(row);
    } catch (...) {
      const std::lock_guard lock(failureMutex);
      if (!failure) failure = std::current_exception();
      stop = true;
    }
    ++finished;
    return true;
  };
  int reported = 0;
  const auto report = [&] {
    for (const int now = finished; reported < now && !progress.Cancelled(); ++reported) progress.RowDone();
    if (progress.Cancelled()) stop = true;
  };
  RunOnThreads(
      threads - 1,
      [&] {
        while (takeRow()) {
        }
      },
      [&] {
        while (takeRow()) report();
      });
  if (!failure) report();
  if (failure) std::rethrow_exception(failure);
}
