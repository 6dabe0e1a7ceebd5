// Fuzz target: any bytes as the settings file, loaded into the program's store, changed and
// saved again; and every read of the ini file itself.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "fuzz/FuzzTempFolder.h"
#include "store/UFileUtil.h"
#include "store/UQuibError.h"
#include "store/brIniFile.h"
#include "store/brRegVal.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TFuzzTempFolder folder("ini");
  const std::string path = folder.path + "quib.ini";
  WriteFileAtomic(path, std::string(reinterpret_cast<const char*>(data), size));

  auto settings = CreateQuibSettings(folder.path);
  settings->OnMessage = [](const std::string&) {};
  try {
    settings->Load();
    settings->SetString("sIdentity", "fuzz");
    settings->Save();
    // What was saved loads again without an error.
    auto again = CreateQuibSettings(folder.path);
    again->OnMessage = [](const std::string&) {};
    again->Load();
    if (again->GetString("sIdentity") != "fuzz") std::abort();
  } catch (const EQuibError&) {
  }

  TIniFile ini(path);
  for (const char* section : {"Booleans", "Integers", "Strings", ""})
    for (const char* key : {"bSnapGrid", "iGridX", "sNotesTitle", "", "="})
      if (ini.ReadString(section, key, "d").size() > TIniFile::MaxValueLength) std::abort();
  return 0;
}
