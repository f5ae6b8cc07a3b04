#include "surfaces/bake_progress.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

#include "core/form.h"
#include "core/host.h"

BakeProgress::BakeProgress(Host& host, int rows) : host_(host) {
  host_.ResetCancel();
  Form& main = host_.GetForm(FormId::Main);
  main.SetMaximum("ProgressBarSurface", rows);
  main.SetPosition("ProgressBarSurface", 0);
  main.SetVisible("PanelSurface", true);
  host_.ProcessEvents();  // shows the panel at once
}

BakeProgress::~BakeProgress() { host_.GetForm(FormId::Main).SetVisible("PanelSurface", false); }

void BakeProgress::RowDone() {
  if (OnRow) OnRow(done_);
  host_.GetForm(FormId::Main).SetPosition("ProgressBarSurface", ++done_);
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
  // Workers take rows in turn; the calling thread owns the host and only reports.
  std::mutex mutex;
  std::condition_variable changed;
  int nextRow = 0;
  int finished = 0;
  bool cancelled = false;
  std::exception_ptr failure;
  const auto work = [&] {
    for (;;) {
      int row = 0;
      {
        std::lock_guard lock(mutex);
        if (nextRow >= rows || failure || cancelled) return;
        row = nextRow++;
      }
      try {
        rowJob(row);
      } catch (...) {
        std::lock_guard lock(mutex);
        failure = std::current_exception();
      }
      {
        std::lock_guard lock(mutex);
        ++finished;
      }
      changed.notify_one();
    }
  };
  std::vector<std::jthread> workers;
  for (int i = 0; i < threads; ++i) workers.emplace_back(work);
  int reported = 0;
  for (;;) {
    int now = 0;
    {
      std::unique_lock lock(mutex);
      changed.wait(lock, [&] { return finished > reported || (failure && finished == nextRow); });
      now = finished;
      if (failure && finished == nextRow) break;
    }
    for (; reported < now && !progress.Cancelled(); ++reported) progress.RowDone();
    if (reported == rows) break;
    if (progress.Cancelled()) {
      std::lock_guard lock(mutex);
      cancelled = true;
      break;
    }
  }
  workers.clear();  // joins
  if (failure) std::rethrow_exception(failure);
}
