#pragma once
// The main window's "Computing Surface Lighting" panel during a bake: shown with the
// bar at 0 of `rows`, stepped once per finished row with pending events processed so
// the window stays responsive and its Cancel button can be pressed, hidden again at
// the end. The host decides how often processing pending events really repaints.

#include <functional>

class Host;

class BakeProgress {
public:
  BakeProgress(Host& host, int rows);
  // A bake that is part of a larger command steps the command's one bar, so the bar
  // never runs backwards between the bakes.
  BakeProgress(BakeProgress* whole, Host& host, int rows);
  ~BakeProgress();
  BakeProgress(const BakeProgress&) = delete;
  BakeProgress& operator=(const BakeProgress&) = delete;

  void RowDone();
  // The designer cancelled the work; the rows not yet started are left undone.
  bool Cancelled() const;
  // Called with the number of the row just reported, before the bar steps.
  std::function<void(int)> OnRow;

private:
  Host& host_;
  BakeProgress* whole_ = nullptr;
  int rows_ = 0;
  int done_ = 0;
};

// Runs rowJob for rows 0..rows-1 on `threads` threads (the calling thread only when 1)
// and reports each finished row to progress on the calling thread, which owns the host.
// Once progress says the work was cancelled no further row starts.
void RunRows(int rows, int threads, const std::function<void(int)>& rowJob, BakeProgress& progress);
