// Scripted stand-ins for the desktop seams, for tests.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/Screens.h"
#include "platform/Shell.h"
#include "platform/System.h"
#include "store/UQuibError.h"

class FakeScreens : public Screens {
 public:
  // One monitor of the given size at (0, 0); a task bar of taskbarHeight at its bottom.
  explicit FakeScreens(int width = 1024, int height = 768, int taskbarHeight = 0) {
    SetSingle(width, height, taskbarHeight);
  }
  void SetSingle(int width, int height, int taskbarHeight = 0) {
    monitors = {{{0, 0, width, height}, {0, 0, width, height - taskbarHeight}}};
  }
  int PrimaryWidth() const override {
    return monitors.empty() ? 0 : monitors[0].Bounds.Right - monitors[0].Bounds.Left;
  }
  int PrimaryHeight() const override {
    return monitors.empty() ? 0 : monitors[0].Bounds.Bottom - monitors[0].Bounds.Top;
  }
  std::vector<TMonitor> Monitors() const override { return monitors; }

  std::vector<TMonitor> monitors;
};

class FakeDialogs : public Dialogs {
 public:
  struct Shown {
    std::string kind;  // "message", "error", "confirm", "open", "save", "font", "color"
    std::string title;
    std::string text;
    const QWidget* owner = nullptr;  // the owner set when it was shown
  };

  void ShowMessage(const std::string& text) override { shown.push_back({"message", "", text, Owner()}); }
  void ShowError(const std::string& title, const std::string& text) override {
    shown.push_back({"error", title, text, Owner()});
  }
  bool Confirm(const std::string& text) override {
    shown.push_back({"confirm", "", text, Owner()});
    return pop(confirmAnswers, false);
  }
  bool OpenFile(const TFileDialogSpec& spec, std::string& path) override {
    shown.push_back({"open", spec.Title, spec.InitialDir, Owner()});
    lastSpec = spec;
    return answerPath(path);
  }
  bool SaveFile(const TFileDialogSpec& spec, std::string& path) override {
    shown.push_back({"save", spec.Title, spec.InitialDir, Owner()});
    lastSpec = spec;
    return answerPath(path);
  }
  bool ChooseFont(TFontSpec& font) override {
    shown.push_back({"font", "", font.Name, Owner()});
    lastFont = font;
    if (fontAnswers.empty()) return false;
    const auto a = fontAnswers.front();
    fontAnswers.pop_front();
    if (a.Name.empty()) return false;
    font = a;
    return true;
  }
  bool ChooseColor(TColor& color) override {
    shown.push_back({"color", "", std::to_string(color), Owner()});
    if (colorAnswers.empty()) return false;
    const auto a = colorAnswers.front();
    colorAnswers.pop_front();
    if (a < 0) return false;
    color = a;
    return true;
  }

  // Texts of every shown box of one kind, in order.
  std::vector<std::string> Texts(const std::string& kind) const {
    std::vector<std::string> out;
    for (const auto& s : shown)
      if (s.kind == kind) out.push_back(s.text);
    return out;
  }

  std::vector<Shown> shown;
  std::deque<bool> confirmAnswers;
  std::deque<std::string> pathAnswers;  // "" cancels
  std::deque<TFontSpec> fontAnswers;    // an empty Name cancels
  std::deque<TColor> colorAnswers;      // a negative value cancels
  TFileDialogSpec lastSpec;
  TFontSpec lastFont;  // as the last font dialog was preset

 private:
  template <class T>
  static T pop(std::deque<T>& q, T def) {
    if (q.empty()) return def;
    T v = q.front();
    q.pop_front();
    return v;
  }
  bool answerPath(std::string& path) {
    const std::string a = pop(pathAnswers, std::string());
    if (a.empty()) return false;
    path = a;
    return true;
  }
};

class FakeSystem : public System {
 public:
  std::string ExecutablePath() const override { return folder + "quib"; }
  std::string ApplicationFolder() const override { return folder; }
  std::optional<std::string> Environment(const std::string& name) const override {
    const auto it = env.find(name);
    if (it == env.end()) return std::nullopt;
    return it->second;
  }
  uint64_t ClockSeed() const override { return 12345; }

  std::string folder = "/tmp/";
  std::map<std::string, std::string> env;
};

// Records every request in calls ("folder <path>", "file <path>", "url <address>",
// "write <target>|<description>", "remove") and answers the open requests with openResult (and
// reports a late failure when openFailsLater); a write or remove raises writeError when it is set.
class FakeShell : public Shell {
 public:
  bool OpenFolder(const std::string& path, TOpenFailed failed) override {
    return open("folder " + path, failed);
  }
  bool OpenFile(const std::string& path, TOpenFailed failed) override { return open("file " + path, failed); }
  bool OpenUrl(const std::string& url, TOpenFailed failed) override { return open("url " + url, failed); }
  std::string StartupFolder() const override { return "/fake/autostart"; }
  void WriteStartupEntry(const std::string& target, const std::string& description) override {
    calls.push_back("write " + target + "|" + description);
    if (!writeError.empty()) throw EQuibError(writeError);
    entry = true;
  }
  void RemoveStartupEntry() override {
    calls.push_back("remove");
    if (!writeError.empty()) throw EQuibError(writeError);
    entry = false;
  }
  bool HasStartupEntry() const override { return entry; }

  std::vector<std::string> calls;
  bool openResult = true;
  bool openFailsLater = false;
  std::string writeError;
  bool entry = false;

 private:
  bool open(const std::string& call, const TOpenFailed& failed) {
    calls.push_back(call);
    if (openResult && openFailsLater && failed) failed();
    return openResult;
  }
};
