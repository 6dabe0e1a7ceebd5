// When the autosave runs: a fixed delay after the first change that is not saved yet. Later
// changes never push it back, so steady typing is still saved every few seconds.
#pragma once

#include <cstdint>
#include <optional>

class TAutosaveRule {
 public:
  explicit TAutosaveRule(int64_t delayMs) : delayMs_(delayMs) {}

  // A change at nowMs: the save falls due delayMs later, unless one is due already.
  void Changed(int64_t nowMs);
  // A save starts at nowMs: what changed until now is in it, so nothing is due.
  void Saving();
  // The save could not write everything (or could not run): try again delayMs after nowMs.
  void RetryLater(int64_t nowMs);
  bool Pending() const { return due_.has_value(); }
  // Milliseconds from nowMs until the save is due (0 when overdue); nothing when none is.
  std::optional<int64_t> RemainingMs(int64_t nowMs) const;

 private:
  int64_t delayMs_;
  std::optional<int64_t> due_;
};
