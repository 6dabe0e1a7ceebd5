// The settings store: four typed lists of name=value entries, declared with their defaults,
// loaded from and saved to the settings file. Only declared names can be read or written.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

enum class TRegRoot { rgCurrentUser, rgLocalMachine };

class TIniFile;

class TbrRegVal {
 public:
  TbrRegVal();
  ~TbrRegVal();
  TbrRegVal(const TbrRegVal&) = delete;
  TbrRegVal& operator=(const TbrRegVal&) = delete;

  // Published properties.
  std::string IniFileName;
  std::string IniSection;
  bool UseStartUpDir = true;
  // The folder IniFileName lies in when UseStartUpDir is set, ending in the separator.
  std::string StartUpDir;
  bool UseRegistry = false;
  TRegRoot RegistryRoot = TRegRoot::rgCurrentUser;
  void SetBooleans(const std::vector<std::string>& lines) { booleans_ = lines; }
  void SetFloats(const std::vector<std::string>& lines) { floats_ = lines; }
  void SetIntegers(const std::vector<std::string>& lines) { integers_ = lines; }
  void SetStrings(const std::vector<std::string>& lines) { strings_ = lines; }
  const std::vector<std::string>& Booleans() const { return booleans_; }
  const std::vector<std::string>& Floats() const { return floats_; }
  const std::vector<std::string>& Integers() const { return integers_; }
  const std::vector<std::string>& Strings() const { return strings_; }

  // Shows the conversion messages of Load ("Error reading Integer value ..."); the control
  // panel routes it to a plain message box.
  std::function<void(const std::string&)> OnMessage;

  void Load();
  void Save();

  bool GetBoolean(const std::string& name) const;
  int64_t GetInteger(const std::string& name) const;
  std::string GetString(const std::string& name) const;
  void SetBoolean(const std::string& name, bool value);
  void SetInteger(const std::string& name, int64_t value);
  void SetString(const std::string& name, const std::string& value);

  // The path Open uses in ini mode.
  std::string IniPath() const;

 private:
  bool Open();
  void Close();
  std::string ReadValue(const std::string& section, const std::string& key, const std::string& def);
  void WriteValue(const std::string& section, const std::string& key, const std::string& value);
  std::string SectionName(const std::string& list) const;

  std::vector<std::string> booleans_, floats_, integers_, strings_;
  std::unique_ptr<TIniFile> ini_;
};

// The program's own store: "quib.ini" in dataFolder with every declared key and default.
std::unique_ptr<TbrRegVal> CreateQuibSettings(const std::string& dataFolder);
