#pragma once
// Threads kept between bakes. A light map of a few rows takes less time than starting
// and joining a thread, so a room's bake would otherwise spend a good part of its time
// on threads instead of rays.

#include <functional>

// Runs `job` on `helpers` other threads and `own` on the calling thread, all at once,
// and returns once all have returned. `job` must not throw. The kept threads serve one
// caller at a time; a caller that finds them busy (another thread's bake) starts its own.
void RunOnThreads(int helpers, const std::function<void()>& job, const std::function<void()>& own);
