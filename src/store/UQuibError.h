// The one exception type of the program: carries the message the user is shown.
#pragma once

#include <stdexcept>
#include <string>

class EQuibError : public std::runtime_error {
 public:
  explicit EQuibError(const std::string& message) : std::runtime_error(message) {}
};

// Text for an error box: a full stop is added when the last character sorts after "."
// (so texts ending in "!" or "." get none).
std::string ErrorBoxText(const std::string& message);
