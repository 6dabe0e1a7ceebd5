#include <gtest/gtest.h>

#include "store/UQuibError.h"
#include "store/brConvert.h"

TEST(ErrorBoxText, AddsFullStopOnlyAfterCharactersSortingAfterDot) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"Unable to write", "Unable to write."},
      {"Done!", "Done!"},
      {"Done.", "Done."},
      {"", ""},
      {"value 5", "value 5."},
      {"quoted \"x\"", "quoted \"x\""},
  };
  for (const auto& c : cases) EXPECT_EQ(ErrorBoxText(c.in), c.out) << c.in;
}

TEST(Convert, IntegerTexts) {
  struct Case {
    const char* text;
    std::optional<int32_t> value;
  } cases[] = {
      {"0", 0},
      {"-1", -1},
      {"+7", 7},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"2147483648", std::nullopt},
      {"", std::nullopt},
      {"-", std::nullopt},
      {" 1", std::nullopt},
      {"1 ", std::nullopt},
      {"0x10", std::nullopt},
      {"12a", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(TryStrToInt(c.text), c.value) << c.text;
  EXPECT_EQ(TryStrToInt64("-9223372036854775808"), INT64_MIN);
  EXPECT_EQ(TryStrToInt64("9223372036854775808"), std::nullopt);
}

TEST(Convert, BooleanTexts) {
  struct Case {
    const char* text;
    std::optional<bool> value;
  } cases[] = {
      {"1", true},           {"-1", true},       {"0", false},          {"5", true},
      {"True", true},        {"TRUE", true},     {"false", false},      {"0.0", false},
      {"yes", std::nullopt}, {"", std::nullopt}, {"tru", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(TryStrToBool(c.text), c.value) << c.text;
  try {
    StrToBool("yes");
    FAIL();
  } catch (const EQuibError& e) {
    EXPECT_STREQ(e.what(), "'yes' is not a valid boolean value");
  }
}
