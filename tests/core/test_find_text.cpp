#include <gtest/gtest.h>

#include "notes/UFindText.h"

TEST(FindText, MatchesByCaseRule) {
  struct Case {
    const char* note;
    const char* typed;
    bool matchCase;
    bool matches;
  } cases[] = {
      {"xxabcxx", "ABC", false, true},
      {"xxAbCxx", "ABC", false, true},
      {"first\r\nABC", "abc", false, true},
      {"ab c", "ABC", false, false},
      {"xxAbCxx", "ABC", true, false},
      {"xxABCxx", "ABC", true, true},
      {"anything", "", false, false},
      {"", "", true, false},
      // Only A to Z fold: other bytes of the code page must match exactly.
      {"\xC4rger", "\xE4rger", false, false},
      {"\xC4RGER", "\xC4rger", false, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NoteTextMatches(c.note, SearchTextFor(c.typed, c.matchCase), c.matchCase), c.matches)
        << c.note << " / " << c.typed << " / " << c.matchCase;
  }
}

TEST(FindText, NotFoundMessageQuotesTheSearchText) {
  EXPECT_EQ(NotFoundMessage(SearchTextFor("ABC \xC4", false)),
            "Search all notes and did not find \"abc \xC4\"");
}
