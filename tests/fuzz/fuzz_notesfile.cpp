// Fuzz target: any bytes as the notes file, loaded into the collection and saved again.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <tuple>

#include "base/brRandom.h"
#include "fuzz/FuzzTempFolder.h"
#include "platform/Screens.h"
#include "store/UFileUtil.h"
#include "store/UQuibError.h"
#include "store/UTConfigurationManager.h"
#include "store/brRegVal.h"

namespace {
class OneScreen : public Screens {
 public:
  int PrimaryWidth() const override { return 1024; }
  int PrimaryHeight() const override { return 768; }
  std::vector<TMonitor> Monitors() const override { return {{{0, 0, 1024, 768}, {0, 0, 1024, 768}}}; }
};

const std::string& folder() {
  static const TFuzzTempFolder f("notesfile");
  return f.path;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const auto settings = CreateQuibSettings(folder());
  static const OneScreen screens;
  static TRandom random;
  const std::string path = folder() + "quibnotes.xml";
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) std::abort();
  std::fwrite(data, 1, size, f);
  std::fclose(f);
  try {
    TConfigurationManager m(path, *settings, screens, random);
    // What loads must save and load again to the same records.
    m.SaveToFile();
    TConfigurationManager again(path, *settings, screens, random);
    if (again.Count() != m.Count()) __builtin_trap();
    for (int i = 0; i < m.Count(); ++i) {
      const TNoteConfig& a = m.At(i);
      const TNoteConfig& b = again.At(i);
      if (std::tie(a.Id, a.Left, a.Top, a.Width, a.Height, a.Minimized, a.SystemNote, a.Chat, a.ReadOnly,
                   a.OnTop, a.Color, a.FontSize,
                   a.FontColor) != std::tie(b.Id, b.Left, b.Top, b.Width, b.Height, b.Minimized, b.SystemNote,
                                            b.Chat, b.ReadOnly, b.OnTop, b.Color, b.FontSize, b.FontColor))
        __builtin_trap();
      // Entity-like text and bare line breaks in a name are the known exceptions.
      if (a.FontName.find_first_of("&\r\n") == std::string::npos && a.FontName != b.FontName)
        __builtin_trap();
    }
  } catch (const EQuibError&) {
  }
  std::remove(path.c_str());
  return 0;
}
