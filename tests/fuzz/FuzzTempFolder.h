// One folder per fuzzing process, in memory where the system offers it, removed at exit.
#pragma once

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <string>

struct TFuzzTempFolder {
  explicit TFuzzTempFolder(const std::string& name) {
    const char* base = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
    std::string tmpl = std::string(base) + "/quib-fuzz-" + name + "-XXXXXX";
    if (!::mkdtemp(tmpl.data())) std::abort();
    path = tmpl + "/";
  }
  ~TFuzzTempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
  std::string path;
};
