#include "store/UStartupEntry.h"

#include <filesystem>
#include <system_error>

#include "store/UDataFolder.h"
#include "store/UFileUtil.h"
#include "store/UQuibError.h"

namespace {
// The characters the Desktop Entry rules reserve: an argument holding one must be quoted.
bool reserved(char c) {
  switch (c) {
    case ' ':
    case '\t':
    case '\n':
    case '"':
    case '\'':
    case '\\':
    case '>':
    case '<':
    case '~':
    case '|':
    case '&':
    case ';':
    case '$':
    case '*':
    case '?':
    case '#':
    case '(':
    case ')':
    case '`':
      return true;
    default:
      return false;
  }
}
}  // namespace

std::string DesktopExecArgument(const std::string& arg) {
  bool quote = arg.empty();
  for (char c : arg) quote = quote || reserved(c);
  std::string out;
  if (quote) out += '"';
  for (char c : arg) {
    if (quote && (c == '"' || c == '`' || c == '$' || c == '\\')) out += '\\';
    out += c;
    // A lone % would start a field code the launcher replaces.
    if (c == '%') out += '%';
  }
  if (quote) out += '"';
  return out;
}

std::string DesktopStringValue(const std::string& value) {
  std::string out;
  for (char c : value) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string StartupEntryText(const std::string& target, const std::string& description) {
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Name=Quib\n"
         "Comment=" +
         DesktopStringValue(description) +
         "\n"
         "Exec=" +
         DesktopStringValue(DesktopExecArgument(target)) +
         "\n"
         "X-GNOME-Autostart-enabled=true\n";
}

std::string AutostartFolder(const std::optional<std::string>& xdgConfigHome, const std::string& home) {
  std::string base;
  if (xdgConfigHome && !xdgConfigHome->empty() && xdgConfigHome->front() == '/') {
    base = *xdgConfigHome;
  } else {
    base = home;
    while (base.size() > 1 && base.back() == '/') base.pop_back();
    base += "/.config";
  }
  while (base.size() > 1 && base.back() == '/') base.pop_back();
  return base + "/autostart";
}

void WriteStartupEntry(const std::string& folder, const std::string& target, const std::string& description) {
  // Missing levels are made private to the user, as every folder the program makes.
  CreateDataFolder(folder);
  WriteFileAtomic(folder + "/" + kStartupEntryName, StartupEntryText(target, description));
}

void RemoveStartupEntry(const std::string& folder) {
  const std::string path = folder + "/" + kStartupEntryName;
  // Nothing there is nothing to do; a link named so is removed itself, not what it points at.
  std::error_code ec;
  std::filesystem::remove(path, ec);
  if (ec) throw EQuibError("Cannot remove file \"" + path + "\". " + ec.message());
}
