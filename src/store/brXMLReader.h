// A small XML reader of the program's own: a node tree and a reader that turns text lines into
// it. It reads a narrow subset (one optional descriptor, elements with double-quoted attributes,
// empty elements, comments, CDATA and text); entities are left as written.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

enum class TXMLNodeKind : uint8_t { Undefined, Document, XMLDescriptor, Element, Attribute, Comment, CDATA };

// "Undefined", "Document", "XML Descriptor", "Element", "Attribute", "Comment", "CDATA".
const char* XMLNodeKindName(TXMLNodeKind kind);

class TXMLNode {
 public:
  // The node is not added to the parent's lists; the caller does that.
  explicit TXMLNode(TXMLNode* parent = nullptr) : Parent(parent) {}
  // Frees the whole subtree without recursion, so a deeply nested tree cannot exhaust the stack.
  ~TXMLNode();
  TXMLNode(const TXMLNode&) = delete;
  TXMLNode& operator=(const TXMLNode&) = delete;

  std::string Name;
  std::string Value;
  TXMLNodeKind Kind = TXMLNodeKind::Undefined;
  TXMLNode* Parent;  // not owned; null for the document

  // Both take ownership, make this node the parent and return the added node.
  TXMLNode* AddAttribute(std::unique_ptr<TXMLNode> node);
  TXMLNode* AddChild(std::unique_ptr<TXMLNode> node);
  // Room for count attributes, so a tag's attributes go in without regrowing the list.
  void ReserveAttributes(int count) { attributes_.reserve(static_cast<size_t>(count)); }

  int AttributeCount() const { return static_cast<int>(attributes_.size()); }
  int ChildCount() const { return static_cast<int>(children_.size()); }
  // Null for an index outside the list.
  TXMLNode* Attribute(int index) const;
  TXMLNode* Child(int index) const;
  // The first direct child whose Name equals name exactly; null when there is none.
  TXMLNode* FindChild(const std::string& name) const;

 private:
  std::vector<std::unique_ptr<TXMLNode>> attributes_;
  std::vector<std::unique_ptr<TXMLNode>> children_;
};

class TXMLReader {
 public:
  // Keeps a reference: the lines must outlive the reader. They are never changed.
  explicit TXMLReader(const std::vector<std::string>& lines) : Lines(lines) {}

  // A fresh document node holding everything read from the lines; raises EQuibError on the
  // first malformed tag, and then no tree is returned. What is still open at the end stays as
  // read; whole, when given, tells whether the text was complete: false when it ends inside a
  // tag, a comment or CDATA, or with an element not closed (a file cut short).
  std::unique_ptr<TXMLNode> Parse(bool* whole = nullptr) const;

  const std::vector<std::string>& Lines;
};
