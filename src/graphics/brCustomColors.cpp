#include "graphics/brCustomColors.h"

#include <cstdio>

#include "base/brStringUtil.h"

namespace {

// Index of the first line whose name (the text before the first "=") is name, compared
// without regard to case; -1 when there is none.
int FindName(const std::vector<std::string>& lines, const std::string& name) {
  for (size_t i = 0; i < lines.size(); ++i) {
    const size_t eq = lines[i].find('=');
    if (eq != std::string::npos && SameTextAscii(lines[i].substr(0, eq), name)) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace

std::string CustomColorName(int slot) {
  return std::string("Color") + static_cast<char>('A' + slot);
}

TColor ReadCustomColor(const std::vector<std::string>& lines, int slot) {
  const int index = FindName(lines, CustomColorName(slot));
  if (index < 0) return clBlack;
  const std::string& line = lines[static_cast<size_t>(index)];
  const std::string value = line.substr(line.find('=') + 1);
  // At most eight digits fit a colour value; anything else is not one of ours and reads as black.
  if (value.empty() || value.size() > 8) return clBlack;
  const auto parsed = TryHexToUInt64(value);
  if (!parsed) return clBlack;
  return static_cast<TColor>(static_cast<uint32_t>(*parsed));
}

void WriteCustomColor(std::vector<std::string>& lines, int slot, TColor color) {
  char value[16];
  std::snprintf(value, sizeof value, "%.6X", static_cast<unsigned>(static_cast<uint32_t>(color)));
  const std::string name = CustomColorName(slot);
  const int index = FindName(lines, name);
  if (index < 0) {
    lines.push_back(name + "=" + value);
  } else {
    std::string& line = lines[static_cast<size_t>(index)];
    line = line.substr(0, line.find('=') + 1) + value;
  }
}
