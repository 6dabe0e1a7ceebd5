#include "notes/UAutosaveRule.h"

#include <algorithm>

void TAutosaveRule::Changed(int64_t nowMs) {
  if (!due_) due_ = nowMs + delayMs_;
}

void TAutosaveRule::Saving() {
  due_.reset();
}

void TAutosaveRule::RetryLater(int64_t nowMs) {
  due_ = nowMs + delayMs_;
}

std::optional<int64_t> TAutosaveRule::RemainingMs(int64_t nowMs) const {
  if (!due_) return std::nullopt;
  return std::max<int64_t>(0, *due_ - nowMs);
}
