// The autosave falls due a fixed time after the first unsaved change, however the typing goes on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "notes/UAutosaveRule.h"

TEST(AutosaveRule, SavesWithinTheDelayOfTheFirstUnsavedChange) {
  struct Case {
    const char* name;
    std::vector<int64_t> changes;  // ms, in order
    std::vector<int64_t> saves;    // when a timer set by the rule fires
  };
  const Case cases[] = {
      {"one change", {100}, {3100}},
      {"a key a second for 12 s",
       {0, 1000, 2000, 3000, 4000, 5000, 6000, 7000, 8000, 9000, 10000, 11000},
       {3000, 6000, 9000, 12000}},
      {"a burst, a pause, a burst", {0, 50, 100, 5000, 5010}, {3000, 8000}},
      {"a change as the save runs waits for the next round", {0, 3000}, {3000, 6000}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TAutosaveRule rule(3000);
    std::vector<int64_t> saves;
    size_t next = 0;
    for (int64_t now = 0; now <= 20000; ++now) {
      // The timer's moment first: a change at that very moment comes after the save began.
      if (const auto left = rule.RemainingMs(now); left && *left == 0) {
        rule.Saving();
        saves.push_back(now);
      }
      while (next < c.changes.size() && c.changes[next] == now) rule.Changed(c.changes[next++]);
    }
    EXPECT_EQ(saves, c.saves);
    EXPECT_FALSE(rule.Pending());
  }
}

TEST(AutosaveRule, AFailedSaveIsRetriedAfterTheDelay) {
  TAutosaveRule rule(3000);
  EXPECT_EQ(rule.RemainingMs(0), std::nullopt);
  rule.Changed(0);
  rule.Saving();
  rule.RetryLater(3000);
  rule.Changed(4000);  // typing while failing does not push the retry back
  EXPECT_EQ(rule.RemainingMs(4000), 2000);
  EXPECT_EQ(rule.RemainingMs(7000), 0);
}
