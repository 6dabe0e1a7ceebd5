// Seam: facts about the running process and its environment.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

class System {
 public:
  virtual ~System() = default;
  virtual std::string ExecutablePath() const = 0;
  // The executable's folder, ending in the path separator.
  virtual std::string ApplicationFolder() const = 0;
  virtual std::optional<std::string> Environment(const std::string& name) const = 0;
  virtual uint64_t ClockSeed() const = 0;
};
