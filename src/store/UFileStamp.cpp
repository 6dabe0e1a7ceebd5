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

int64_t modifiedNs(const struct stat& st) {
  return static_cast<int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
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

TFileStamp StampOf(const std::string& path, std::string_view bytes) {
  TFileStamp stamp{bytes.size(), 0, ContentHash(bytes)};
  if (const auto st = statFile(path)) stamp.ModifiedNs = modifiedNs(*st);
  return stamp;
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
