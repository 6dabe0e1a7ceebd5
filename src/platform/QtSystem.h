// The process and its environment, from Qt.
#pragma once

#include "platform/System.h"

class TQtSystem : public System {
 public:
  std::string ExecutablePath() const override;
  std::string ApplicationFolder() const override;
  std::optional<std::string> Environment(const std::string& name) const override;
  uint64_t ClockSeed() const override;
};
