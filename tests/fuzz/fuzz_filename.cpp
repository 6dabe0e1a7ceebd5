// Fuzz target: any bytes as a file name, read for the note id it carries and for the file a sync
// tool's conflict copy stands for.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "store/UNoteFiles.h"
#include "store/USyncNames.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string name(reinterpret_cast<const char*>(data), size);
  const int32_t id = NoteIdFromFileName(name);
  // A name made from an id reads back as that id.
  if (id >= 0 && NoteIdFromFileName(NoteTextFileName(id, false)) != id) std::abort();
  if (id >= 0 && NoteIdFromFileName(NoteTextFileName(id, true)) != id) std::abort();
  // An original is shorter than its copy and is no copy itself.
  const std::string original = ConflictCopyOriginal(name);
  if (!original.empty() && (original.size() >= name.size() || IsConflictCopy(original))) std::abort();
  return 0;
}
