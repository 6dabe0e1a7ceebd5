#include <gtest/gtest.h>

#include "base/brStringUtil.h"

TEST(StringUtil, PosFrom) {
  struct Case {
    const char* pattern;
    const char* text;
    int start;
    int pos;
  } cases[] = {
      {"b", "abcb", 1, 2},  {"b", "abcb", 2, 2},  {"b", "abcb", 3, 4},     {"b", "abcb", 4, 4},
      {"b", "abcb", 5, 0},  {"b", "abcb", 0, 2},  {"b", "abcb", -7, 2},    {"B", "abcb", 1, 0},
      {"", "abc", 1, 0},    {"b", "", 1, 0},      {"abc", "abc", 1, 1},    {"abcd", "abc", 1, 0},
      {"cb", "abcb", 3, 3}, {"cb", "abcb", 4, 0}, {"$id$", "x$id$", 1, 2},
  };
  for (const auto& c : cases)
    EXPECT_EQ(PosFrom(c.pattern, c.text, c.start), c.pos)
        << c.pattern << " in " << c.text << " from " << c.start;
}

TEST(StringUtil, ReplaceAll) {
  struct Case {
    const char* text;
    const char* pattern;
    const char* replacement;
    const char* result;
  } cases[] = {
      {"a$id$b$id$", "$id$", "7", "a7b7"},
      {"a$id$b$id$", "$id$", "$id$$id$", "a$id$$id$b$id$$id$"},  // not replaced again
      {"Quib [$id$]", "$id$", "12345", "Quib [12345]"},
      {"abc", "", "x", "abc"},
      {"", "a", "b", ""},
      {"aXXb", "X", "", "ab"},
      {"aabb", "ab", "", "ab"},  // the text rejoined before the position is not searched again
      {"aaa", "aa", "b", "ba"},
      {"xx", "x", "xx", "xxxx"},
      {"$ID$", "$id$", "7", "$ID$"},
      {"$id$", "$id$", "", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ReplaceAll(c.text, c.pattern, c.replacement), c.result) << c.text;
}
