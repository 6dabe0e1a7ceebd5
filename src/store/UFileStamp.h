// What a file held when this program last read or wrote it: its size and a hash of its bytes. A later look at
// the file tells the program's own version from one that someone else (a sync tool, an editor) put there.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct TFileStamp {
  uint64_t Size = 0;
  uint64_t Hash = 0;  // ContentHash of the bytes
  bool operator==(const TFileStamp&) const = default;
};

// FNV-1a, 64 bits: cheap, and enough to tell two versions of one note apart.
uint64_t ContentHash(std::string_view bytes);

// The stamp of bytes just read from or written to a file.
TFileStamp StampOf(std::string_view bytes);

// How the file at path compares with a stamp this program took of it.
enum class TFileState : uint8_t {
  Same,     // what this program last read or wrote (a touched time with the same bytes counts)
  Changed,  // other bytes
  Gone,     // no regular file there any more
};
// A file of the stamp's size is read and its hash compared: the time alone is not trusted, since
// a coarse file-system clock gives two writes within one tick the same time, and sync tools set
// the time they copy. A file that cannot be read counts as Changed.
TFileState CompareWithDisk(const std::string& path, const TFileStamp& stamp);
