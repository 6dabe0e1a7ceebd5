#include "store/brXMLReader.h"

#include <string_view>
#include <utility>

#include "store/UQuibError.h"
#include "store/brConvert.h"
#include "store/brStringTokenizer.h"
#include "store/brXMLUtil.h"

const char* XMLNodeKindName(TXMLNodeKind kind) {
  switch (kind) {
    case TXMLNodeKind::Undefined:
      return "Undefined";
    case TXMLNodeKind::Document:
      return "Document";
    case TXMLNodeKind::XMLDescriptor:
      return "XML Descriptor";
    case TXMLNodeKind::Element:
      return "Element";
    case TXMLNodeKind::Attribute:
      return "Attribute";
    case TXMLNodeKind::Comment:
      return "Comment";
    case TXMLNodeKind::CDATA:
      return "CDATA";
  }
  return "Undefined";
}

// ---- TXMLNode ------------------------------------------------------------------------------

TXMLNode::~TXMLNode() {
  if (attributes_.empty() && children_.empty()) return;
  // Detach the subtree level by level onto a heap-allocated stack; each node is then destroyed
  // with empty lists, so no destructor ever recurses.
  std::vector<std::unique_ptr<TXMLNode>> pending;
  auto take = [&pending](std::vector<std::unique_ptr<TXMLNode>>& list) {
    for (auto& n : list)
      if (!n->attributes_.empty() || !n->children_.empty()) pending.push_back(std::move(n));
    list.clear();  // frees the leaves at once: their destructors have nothing to walk
  };
  take(attributes_);
  take(children_);
  while (!pending.empty()) {
    std::unique_ptr<TXMLNode> node = std::move(pending.back());
    pending.pop_back();
    take(node->attributes_);
    take(node->children_);
  }
}

TXMLNode* TXMLNode::AddAttribute(std::unique_ptr<TXMLNode> node) {
  node->Parent = this;
  attributes_.push_back(std::move(node));
  return attributes_.back().get();
}

TXMLNode* TXMLNode::AddChild(std::unique_ptr<TXMLNode> node) {
  node->Parent = this;
  children_.push_back(std::move(node));
  return children_.back().get();
}

TXMLNode* TXMLNode::Attribute(int index) const {
  if (index < 0 || index >= AttributeCount()) return nullptr;
  return attributes_[static_cast<size_t>(index)].get();
}

TXMLNode* TXMLNode::Child(int index) const {
  if (index < 0 || index >= ChildCount()) return nullptr;
  return children_[static_cast<size_t>(index)].get();
}

TXMLNode* TXMLNode::FindChild(const std::string& name) const {
  for (const auto& c : children_)
    if (c->Name == name) return c.get();
  return nullptr;
}

// ---- TXMLReader ----------------------------------------------------------------------------

namespace {
constexpr std::string_view cdataStart = "<![CDATA[";
constexpr std::string_view cdataEnd = "]]>";
const std::string elementDelimiters = " \r\n\t=<>/";
const std::string descriptorDelimiters = " \r\n\t=<>?";

bool startsWith(const std::string& s, std::string_view prefix) {
  return s.size() >= prefix.size() && std::string_view(s).substr(0, prefix.size()) == prefix;
}

bool endsWith(const std::string& s, std::string_view suffix) {
  return s.size() >= suffix.size() && std::string_view(s).substr(s.size() - suffix.size()) == suffix;
}

std::string quoted(const std::string& s) {
  return "\"" + s + "\"";
}

// before + token + after + tag, the form of the reader's messages about one token of a tag.
EQuibError tokenError(const char* before, const std::string& token, const char* after,
                      const std::string& tag) {
  std::string message = before;
  message.append(token).append(after).append(tag);
  return EQuibError(message);
}

// Checks a tag's tokens (a name, then name and value pairs) and makes the node with its
// attributes. Every check runs before any node is made.
std::unique_ptr<TXMLNode> BuildElement(const TStringTokenizer& tokens, const std::string& tag) {
  const std::vector<std::string>& t = tokens.Tokens();
  const size_t count = t.size();
  if (count % 2 == 0) throw EQuibError("Invalid number of tokens in XML string: " + tag);
  if (!IsValidNodeName(t[0])) throw tokenError("Invalid node name (", t[0], ") in XML string: ", tag);
  for (size_t i = 1; i < count; i += 2) {
    const std::string& name = t[i];
    const std::string& value = t[i + 1];
    if (!IsValidAttributeName(name))
      throw tokenError("Invalid Attribute Name (", name, ") in XML string: ", tag);
    if (!IsQuoted(value))
      throw tokenError("Attribute Value (", value, ") is not quoted in XML string: ", tag);
  }
  auto node = std::make_unique<TXMLNode>();
  node->Kind = TXMLNodeKind::Element;
  node->Name = t[0];
  node->ReserveAttributes(static_cast<int>(count / 2));
  for (size_t i = 1; i < count; i += 2) {
    auto attr = std::make_unique<TXMLNode>(node.get());
    attr->Kind = TXMLNodeKind::Attribute;
    attr->Name = t[i];
    attr->Value.assign(t[i + 1], 1, t[i + 1].size() - 2);  // checked above: quoted
    node->AddAttribute(std::move(attr));
  }
  return node;
}

// The state of one parse, fed one character at a time.
class TXMLParse {
 public:
  TXMLParse() : document_(std::make_unique<TXMLNode>()), current_(document_.get()) {
    document_->Kind = TXMLNodeKind::Document;
  }

  void FeedChar(char c) {
    if (c == '<' && !inTag_) inTag_ = true;
    if (inTag_)
      tag_ += c;
    else
      text_ += c;
    if (tag_.size() == cdataStart.size() && tag_ == cdataStart) inCData_ = true;
    if (inCData_ && endsWith(tag_, cdataEnd)) inCData_ = false;
    if (c != '>' || !inTag_ || inCData_) return;
    inTag_ = false;
    if (startsWith(tag_, "<?xml"))
      ReadDescriptor();
    else if (startsWith(tag_, "<!--"))
      ReadComment();
    else if (startsWith(tag_, cdataStart))
      ReadCData();
    else if (startsWith(tag_, "</"))
      ReadClosingTag();
    else if (endsWith(tag_, "/>"))
      ReadElement();
    else
      current_ = ReadElement();
    tag_.clear();
  }

  // The same as FeedChar for every character of the line, with the stretches where FeedChar
  // could only append (text up to the next "<", or a tag past its first nine characters up to
  // the next ">") appended whole.
  void FeedLine(const std::string& line) {
    const size_t size = line.size();
    size_t i = 0;
    while (i < size) {
      const char stop = inTag_ ? '>' : '<';
      if (!inTag_ || tag_.size() >= cdataStart.size()) {
        const size_t next = line.find(stop, i);
        const size_t end = next == std::string::npos ? size : next;
        (inTag_ ? tag_ : text_).append(line, i, end - i);
        i = end;
        if (i == size) break;
      }
      FeedChar(line[i]);
      ++i;
    }
  }

  // Whatever is still open stays as read; an unfinished tag and loose text are dropped.
  std::unique_ptr<TXMLNode> Finish(bool* whole) {
    if (whole) *whole = !inTag_ && current_ == document_.get();
    return std::move(document_);
  }

 private:
  TXMLNode* ReadElement() {
    const TStringTokenizer tokens(tag_, elementDelimiters, "\"", false, true);
    return current_->AddChild(BuildElement(tokens, tag_));
  }

  void ReadDescriptor() {
    if (!endsWith(tag_, "?>")) throw EQuibError("Malformed XML Descriptor: " + quoted(tag_));
    const TStringTokenizer tokens(tag_, descriptorDelimiters, "\"", false, true);
    if (tokens.Token(0) != "xml") throw EQuibError("Malformed XML Descriptor: " + quoted(tag_));
    auto node = BuildElement(tokens, tag_);
    node->Kind = TXMLNodeKind::XMLDescriptor;
    current_->AddChild(std::move(node));
  }

  void ReadComment() {
    // "<!-->" and "<!--->" end in "-->" only by reusing the opening dashes; they are not comments.
    if (tag_.size() < 7 || !endsWith(tag_, "-->")) throw EQuibError("Malformed XML Comment: " + quoted(tag_));
    auto node = std::make_unique<TXMLNode>();
    node->Kind = TXMLNodeKind::Comment;
    node->Value = TrimControl(tag_.substr(4, tag_.size() - 7));
    current_->AddChild(std::move(node));
  }

  void ReadCData() {
    // The tag cannot end before "]]>" once "<![CDATA[" has been seen, so both marks are whole.
    auto node = std::make_unique<TXMLNode>();
    node->Kind = TXMLNodeKind::CDATA;
    node->Value = tag_.substr(cdataStart.size(), tag_.size() - cdataStart.size() - cdataEnd.size());
    current_->AddChild(std::move(node));
  }

  void ReadClosingTag() {
    const std::string name = tag_.substr(2, tag_.size() - 3);
    // The document's empty name must not match "</>": the reader never leaves the document.
    if (current_ == document_.get() || name != current_->Name)
      throw EQuibError("Mismatched closing tag: " + tag_);
    std::string text = TrimControl(text_);
    if (!text.empty()) current_->Value = std::move(text);
    current_ = current_->Parent;
    text_.clear();
  }

  std::unique_ptr<TXMLNode> document_;
  TXMLNode* current_;
  bool inTag_ = false;
  bool inCData_ = false;
  std::string tag_;
  std::string text_;
};
}  // namespace

std::unique_ptr<TXMLNode> TXMLReader::Parse(bool* whole) const {
  TXMLParse parse;
  for (const std::string& line : Lines) {
    parse.FeedLine(line);
    parse.FeedChar('\r');
    parse.FeedChar('\n');
  }
  return parse.Finish(whole);
}
