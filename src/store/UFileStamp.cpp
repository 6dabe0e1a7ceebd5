#include "store/UFileStamp.h"

#include <sys/stat.h>

#include <exception>

#include "store/UFileUtil.h"

namespace {
std::optional<struct stat> statFile(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  return st;
}
}  // namespace

uint64_t ContentHash(std::string_view bytes) {
  uint64_t hash = 14695981039346656037ULL;
  for (const char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ULL;
  }
  return hash;
}

TFileStamp StampOf(std::string_view bytes) {
  return TFileStamp{bytes.size(), ContentHash(bytes)};
}

TFileState CompareWithDisk(const std::string& path, const TFileStamp& stamp) {
  const auto st = statFile(path);
  if (!st) return TFileState::Gone;
  if (static_cast<uint64_t>(st->st_size) != stamp.Size) return TFileState::Changed;
  try {
    return ContentHash(ReadFileBytes(path)) == stamp.Hash ? TFileState::Same : TFileState::Changed;
  } catch (const std::exception&) {
    return TFileState::Changed;
  }
}
