// Fuzz target: any bytes, split into lines, through the XML reader.
#include <cstddef>
#include <cstdint>
#include <string>

#include "store/UFileUtil.h"
#include "store/UQuibError.h"
#include "store/brXMLReader.h"
#include "store/brXMLUtil.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const auto lines = SplitTextLines(text);
  try {
    const auto doc = TXMLReader(lines).Parse();
    // Walk the tree without recursion and decode every value, as the notes file loader does.
    std::vector<const TXMLNode*> pending{doc.get()};
    while (!pending.empty()) {
      const TXMLNode* n = pending.back();
      pending.pop_back();
      (void)XMLUnescape(n->Value);
      for (int i = 0; i < n->AttributeCount(); ++i) (void)XMLUnescape(n->Attribute(i)->Value);
      for (int i = 0; i < n->ChildCount(); ++i) {
        if (n->Child(i)->Parent != n) __builtin_trap();
        pending.push_back(n->Child(i));
      }
    }
  } catch (const EQuibError&) {
  }
  return 0;
}
