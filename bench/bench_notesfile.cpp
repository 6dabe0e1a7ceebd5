// Loading and saving a notes file of 1024 records, in a temporary folder.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "base/brRandom.h"
#include "platform/Screens.h"
#include "store/UFileUtil.h"
#include "store/UTConfigurationManager.h"
#include "store/brRegVal.h"

namespace {
constexpr int recordCount = 1024;

class OneScreen : public Screens {
 public:
  int PrimaryWidth() const override { return 1920; }
  int PrimaryHeight() const override { return 1080; }
  std::vector<TMonitor> Monitors() const override { return {{{0, 0, 1920, 1080}, {0, 0, 1920, 1080}}}; }
};

struct Fixture {
  Fixture() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "quibbench-XXXXXX").string();
    folder = ::mkdtemp(tmpl.data());
    path = folder + "/quibnotes.xml";
    notes =
        std::make_unique<TConfigurationManager>(TConfigurationManager::NoLoad{}, path, *settings, screens, random);
    for (int id = 1; id <= recordCount; ++id) {
      auto r = CreateNoteConfig(id, *settings, screens, random);
      r->Width = 200 + id % 300;
      r->Height = 150 + id % 200;
      r->OnTop = id % 3 == 0;
      r->Minimized = id % 7 == 0;
      notes->AddConfig(id, std::move(r));
    }
    notes->SaveToFile();
  }
  ~Fixture() {
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
  }

  std::unique_ptr<TbrRegVal> settings = CreateQuibSettings("");
  OneScreen screens;
  TRandom random{1};
  std::string folder, path;
  std::unique_ptr<TConfigurationManager> notes;
};

void BM_LoadNotesFile(benchmark::State& state) {
  Fixture f;
  for (auto _ : state) {
    TConfigurationManager loaded(f.path, *f.settings, f.screens, f.random);
    benchmark::DoNotOptimize(loaded.Count());
  }
  state.SetItemsProcessed(state.iterations() * recordCount);
}

// The whole save as the program does it: text, temporary file, fsync, rename.
void BM_SaveNotesFile(benchmark::State& state) {
  Fixture f;
  for (auto _ : state) f.notes->SaveToFile();
  state.SetItemsProcessed(state.iterations() * recordCount);
}

// The same text and write without the flush to disk, to tell the program's share from the disk's.
void BM_SaveNotesFileWithoutFsync(benchmark::State& state) {
  Fixture f;
  const std::string plain = f.folder + "/plain.xml";
  for (auto _ : state) {
    std::vector<std::string> lines{"<?xml version=\"1.0\" encoding=\"ISO-8859-1\" standalone=\"yes\" ?>", "",
                                   "<quib>"};
    for (int i = 0; i < f.notes->Count(); ++i) WriteNoteElement(f.notes->At(i), lines, "    ");
    lines.emplace_back("</quib>");
    const std::string text = JoinLinesCRLF(lines);
    std::FILE* out = std::fopen(plain.c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), out);
    std::fclose(out);
  }
  state.SetItemsProcessed(state.iterations() * recordCount);
}
}  // namespace

BENCHMARK(BM_LoadNotesFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveNotesFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveNotesFileWithoutFsync)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
