// The application title every error box carries: "Quib" until the control panel sets its own.
// One instance, made in main and handed to what shows the boxes.
#pragma once

#include <string>

class TAppTitle {
 public:
  const std::string& Text() const { return text_; }
  void Set(const std::string& text) { text_ = text; }

 private:
  std::string text_ = "Quib";
};
