#pragma once
// Counts the bytes the program holds through operator new, so a test can state the
// most a reader held at once, or that memory stays flat over a long session. Only
// the test programs that measure link it: it replaces the global operator new.

#include <cstddef>

namespace allocation_meter {

// Bytes held right now.
std::size_t Held();
// Forgets the peak: from now on it is measured from what is held now.
void ResetPeak();
// The most held at once since the last reset, above what was held at the reset.
std::size_t PeakSinceReset();

}  // namespace allocation_meter
