// Fuzz target: any bytes as a file name, read for the note id it carries.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "store/UNoteFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string name(reinterpret_cast<const char*>(data), size);
  const int32_t id = NoteIdFromFileName(name);
  // A name made from an id reads back as that id.
  if (id >= 0 && NoteIdFromFileName(NoteTextPath(id)) != id) std::abort();
  if (id >= 0 && NoteIdFromFileName(DeletedNoteTextPath(id)) != id) std::abort();
  return 0;
}
