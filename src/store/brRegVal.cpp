#include "store/brRegVal.h"

#include <cstdio>
#include <cstdlib>
#include <optional>

#include "store/UQuibError.h"
#include "store/USettingsKeys.h"
#include "store/brConvert.h"
#include "store/brIniFile.h"

namespace {
struct Entry {
  std::string name;
  std::string value;
};

Entry splitEntry(const std::string& line) {
  const auto eq = line.find('=');
  if (eq == std::string::npos) return {line, ""};
  return {line.substr(0, eq), line.substr(eq + 1)};
}

// Index of the first entry whose name matches without regard to case, or -1.
int findEntry(const std::vector<std::string>& list, const std::string& name) {
  for (size_t i = 0; i < list.size(); ++i)
    if (SameTextAscii(splitEntry(list[i]).name, name)) return static_cast<int>(i);
  return -1;
}

std::string quoted(const std::string& s) {
  return "\"" + s + "\"";
}

std::string formatFloat(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15g", v);
  return buf;
}

std::optional<double> tryFloat(const std::string& s) {
  if (s.empty()) return std::nullopt;
  char* end = nullptr;
  const double v = std::strtod(s.c_str(), &end);
  if (end != s.c_str() + s.size()) return std::nullopt;
  return v;
}

std::string int32Text(int64_t v) {
  return std::to_string(static_cast<int32_t>(static_cast<uint32_t>(v)));
}
}  // namespace

TbrRegVal::TbrRegVal() = default;
TbrRegVal::~TbrRegVal() = default;

std::string TbrRegVal::IniPath() const {
  return UseStartUpDir ? StartUpDir + IniFileName : IniFileName;
}

bool TbrRegVal::Open() {
  // There is no registry on this platform: registry mode cannot open.
  if (UseRegistry) return false;
  ini_ = std::make_unique<TIniFile>(IniPath());
  return true;
}

void TbrRegVal::Close() {
  ini_.reset();
}

std::string TbrRegVal::SectionName(const std::string& list) const {
  return IniSection.empty() ? list : IniSection + "\\" + list;
}

std::string TbrRegVal::ReadValue(const std::string& section, const std::string& key, const std::string& def) {
  return ini_->ReadString(SectionName(section), key, def);
}

void TbrRegVal::WriteValue(const std::string& section, const std::string& key, const std::string& value) {
  ini_->WriteString(SectionName(section), key, value);
}

void TbrRegVal::Load() {
  if (!Open()) return;
  struct Closer {
    TbrRegVal* self;
    ~Closer() { self->Close(); }
  } closer{this};

  for (auto& line : booleans_) {
    const Entry e = splitEntry(line);
    const std::string text = ReadValue("Booleans", e.name, "");
    if (text.empty()) continue;
    line = e.name + "=" + (StrToBool(text) ? "1" : "0");
  }
  for (size_t i = 0; i < floats_.size(); ++i) {
    auto& line = floats_[i];
    const Entry e = splitEntry(line);
    const auto current = tryFloat(e.value);
    if (!current)
      throw EQuibError("Error in conversion of float[" + std::to_string(i) + "], Value = " + quoted(e.value));
    const std::string text = ReadValue("Floats", e.name, "");
    double v = *current;
    if (!text.empty()) {
      if (const auto read = tryFloat(text)) {
        v = *read;
      } else if (OnMessage) {
        OnMessage("Error reading Float value " + quoted(SectionName("Floats") + "\\" + e.name) +
                  ". Value = " + quoted(text) + ". Value set to " + formatFloat(v));
      }
    }
    line = e.name + "=" + formatFloat(v);
  }
  for (size_t i = 0; i < integers_.size(); ++i) {
    auto& line = integers_[i];
    const Entry e = splitEntry(line);
    const auto current = TryStrToInt64(e.value);
    if (!current)
      throw EQuibError("Error in conversion of integer[" + std::to_string(i) +
                       "], Value = " + quoted(e.value));
    const std::string text = ReadValue("Integers", e.name, "");
    int64_t v = *current;
    if (!text.empty()) {
      if (const auto read = TryStrToInt64(text)) {
        v = *read;
      } else if (OnMessage) {
        OnMessage("Error reading Integer value " + quoted(SectionName("Integers") + "\\" + e.name) +
                  ". Value = " + quoted(text) + ". Value set to " + std::to_string(v));
      }
    }
    line = e.name + "=" + int32Text(v);
  }
  for (auto& line : strings_) {
    const Entry e = splitEntry(line);
    line = e.name + "=" + ReadValue("Strings", e.name, e.value);
  }
}

void TbrRegVal::Save() {
  if (!Open()) return;
  struct Closer {
    TbrRegVal* self;
    ~Closer() { self->Close(); }
  } closer{this};

  for (const auto& line : booleans_) {
    const Entry e = splitEntry(line);
    WriteValue("Booleans", e.name, (!e.value.empty() && e.value != "0") ? "1" : "0");
  }
  for (size_t i = 0; i < floats_.size(); ++i) {
    const Entry e = splitEntry(floats_[i]);
    const auto v = tryFloat(e.value);
    if (!v)
      throw EQuibError("Error in conversion of float[" + std::to_string(i) + "], Value = " + quoted(e.value));
    WriteValue("Floats", e.name, formatFloat(*v));
  }
  for (size_t i = 0; i < integers_.size(); ++i) {
    const Entry e = splitEntry(integers_[i]);
    const auto v = TryStrToInt64(e.value);
    if (!v)
      throw EQuibError("Error in conversion of integer[" + std::to_string(i) +
                       "], Value = " + quoted(e.value));
    WriteValue("Integers", e.name, std::to_string(*v));
  }
  for (const auto& line : strings_) {
    const Entry e = splitEntry(line);
    WriteValue("Strings", e.name, e.value);
  }
  ini_->UpdateFile();
}

bool TbrRegVal::GetBoolean(const std::string& name) const {
  const int i = findEntry(booleans_, name);
  if (i < 0) throw EQuibError("Boolean Field " + quoted(name) + " not found");
  return splitEntry(booleans_[static_cast<size_t>(i)]).value != "0";
}

int64_t TbrRegVal::GetInteger(const std::string& name) const {
  const int i = findEntry(integers_, name);
  if (i < 0) throw EQuibError("Integer Field " + quoted(name) + " not found");
  const std::string text = splitEntry(integers_[static_cast<size_t>(i)]).value;
  const auto v = TryStrToInt64(text);
  if (!v) throw EQuibError("Error in conversion of integer " + quoted(name) + ", Value = " + quoted(text));
  return *v;
}

std::string TbrRegVal::GetString(const std::string& name) const {
  const int i = findEntry(strings_, name);
  if (i < 0) throw EQuibError("String Field " + quoted(name) + " not found");
  return splitEntry(strings_[static_cast<size_t>(i)]).value;
}

void TbrRegVal::SetBoolean(const std::string& name, bool value) {
  const int i = findEntry(booleans_, name);
  if (i < 0) throw EQuibError("Boolean Field " + quoted(name) + " not found");
  booleans_[static_cast<size_t>(i)] = name + "=" + (value ? "1" : "0");
}

void TbrRegVal::SetInteger(const std::string& name, int64_t value) {
  const int i = findEntry(integers_, name);
  if (i < 0) throw EQuibError("Integer Field " + quoted(name) + " not found");
  integers_[static_cast<size_t>(i)] = name + "=" + std::to_string(value);
}

void TbrRegVal::SetString(const std::string& name, const std::string& value) {
  const int i = findEntry(strings_, name);
  if (i < 0) throw EQuibError("String Field " + quoted(name) + " not found");
  strings_[static_cast<size_t>(i)] = name + "=" + value;
}

std::unique_ptr<TbrRegVal> CreateQuibSettings(const std::string& dataFolder) {
  auto s = std::make_unique<TbrRegVal>();
  s->IniFileName = "quib.ini";
  s->StartUpDir = dataFolder;
  using namespace setting;
  const auto entry = [](const char* name, const char* value) { return std::string(name) + "=" + value; };
  s->SetBooleans({entry(bRandomColor, "1"), entry(bSnapGrid, "0"), entry(bSnapEdges, "1"),
                  entry(bSnapNotes, "0"), entry(bStartup, "0"), entry(bBringToFront, "0"),
                  entry(bRemoveStayOnTop, "0"),
                  // Declared with this spelling, which a new file keeps until the panel saves.
                  entry("bPLayWAV1", "0"), entry(bPlayWAV2, "0"), entry(bWinXPShadow, "1")});
  s->SetIntegers({entry(iLastX, "100"), entry(iLastY, "100"), entry(iGridX, "8"), entry(iGridY, "8"),
                  entry(iDefaultFontSize, "8"), entry(iDefaultFontColor, "0"), entry(iSnapDistance, "8")});
  s->SetStrings({entry(sDefaultFontName, "MS Sans Serif"), entry(sIdentity, ""), entry(sWAVFilename1, ""),
                 entry(sWAVFilename2, ""), entry(sLastSend, ""), entry(sLastImportDir, ""),
                 entry(sLastExportDir, ""), entry(sICODir, ""), entry(sTrayIcon, ""),
                 entry(sNotesTitle, "Quib [$id$]")});
  return s;
}
