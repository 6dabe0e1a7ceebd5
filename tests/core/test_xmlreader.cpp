#include <gtest/gtest.h>

#include <climits>

#include "store/UQuibError.h"
#include "store/brStringTokenizer.h"
#include "store/brXMLReader.h"
#include "store/brXMLUtil.h"

namespace {
std::string visible(const std::string& s) {
  std::string out;
  for (char c : s) out += c == '\r' ? std::string("\\r") : c == '\n' ? std::string("\\n") : std::string(1, c);
  return out;
}

// A compact picture of a tree: element name="value"{attr=v,...}[children], ?xml for descriptors,
// !--"text" for comments, CDATA"text"; it also checks that every Parent link is right.
std::string dump(const TXMLNode& n) {
  std::string out;
  switch (n.Kind) {
    case TXMLNodeKind::XMLDescriptor:
      out = "?" + n.Name;
      break;
    case TXMLNodeKind::Comment:
      out = "!--\"" + n.Value + "\"";
      break;
    case TXMLNodeKind::CDATA:
      out = "CDATA\"" + visible(n.Value) + "\"";
      break;
    default:
      out = n.Name + (n.Value.empty() ? "" : "=\"" + n.Value + "\"");
  }
  for (int i = 0; i < n.AttributeCount(); ++i) {
    EXPECT_EQ(n.Attribute(i)->Parent, &n);
    EXPECT_EQ(n.Attribute(i)->Kind, TXMLNodeKind::Attribute);
    out += (i ? "," : "{") + n.Attribute(i)->Name + "=" + visible(n.Attribute(i)->Value);
  }
  if (n.AttributeCount()) out += "}";
  for (int i = 0; i < n.ChildCount(); ++i) {
    EXPECT_EQ(n.Child(i)->Parent, &n);
    out += (i ? " " : "[") + dump(*n.Child(i));
  }
  if (n.ChildCount()) out += "]";
  return out;
}

std::string parse(const std::vector<std::string>& lines) {
  const auto doc = TXMLReader(lines).Parse();
  EXPECT_EQ(doc->Kind, TXMLNodeKind::Document);
  EXPECT_EQ(doc->Parent, nullptr);
  return dump(*doc);
}
}  // namespace

TEST(StringTokenizer, SplitsOutsideQuotes) {
  struct Case {
    const char* source;
    const char* delims;
    const char* quotes;
    bool returnDelims, keepQuotes;
    std::vector<std::string> tokens;
  } cases[] = {
      {"a b  c", " ", "", false, false, {"a", "b", "c"}},
      {"a,,b", ",", "", true, false, {"a", ",", ",", "b"}},
      {"x\"a b\"y z", " ", "\"", false, true, {"x\"a b\"y", "z"}},
      {"x\"a b\"y z", " ", "\"", false, false, {"xa by", "z"}},
      {"a \"b c", " ", "\"", false, true, {"a", "\"b c"}},
      {"\"\" a", " ", "\"", false, false, {"a"}},
      {"'a\"b' c", " ", "'\"", false, true, {"'a\"b'", "c"}},
      {"", " ", "\"", true, true, {}},
  };
  for (const auto& c : cases) {
    const TStringTokenizer t(c.source, c.delims, c.quotes, c.returnDelims, c.keepQuotes);
    EXPECT_EQ(t.Tokens(), c.tokens) << c.source;
    EXPECT_EQ(t.Token(-1), "");
    EXPECT_EQ(t.Token(t.Count()), "");
  }
}

TEST(XMLUtil, NamesQuotesEntitiesAndAttributes) {
  struct NameCase {
    const char* s;
    bool node, attribute;
  } names[] = {{"a1_Z", true, true},  {"1a", true, true}, {"a:b", true, false},     {"a-b", false, false},
               {"a.b", false, false}, {"", false, false}, {"caf\xe9", false, false}};
  for (const auto& c : names) {
    EXPECT_EQ(IsValidNodeName(c.s), c.node) << c.s;
    EXPECT_EQ(IsValidAttributeName(c.s), c.attribute) << c.s;
  }
  const std::pair<const char*, const char*> unquote[] = {{"\"a\"", "a"}, {"\"\"", ""},   {"\"", "\""},
                                                         {"\"a", "\"a"}, {"a\"", "a\""}, {"'a'", "'a'"}};
  for (const auto& [in, out] : unquote) EXPECT_EQ(Unquote(in), out) << in;
  const std::pair<const char*, const char*> unescape[] = {{"&lt;&gt;&apos;&quot;", "<>'\""},
                                                          {"&amp;lt;", "<"},
                                                          {"&amp;amp;", "&"},
                                                          {"&amp;amp;amp;lt;", "<"},
                                                          {"&amp;&amp;lt;", "&<"},
                                                          {"A&B &foo; &amp", "A&B &foo; &amp"},
                                                          {"&&lt;", "&<"}};
  for (const auto& [in, out] : unescape) EXPECT_EQ(XMLUnescape(in), out) << in;
  EXPECT_EQ(FormatAttribute("fontname", std::string("A&B")), "fontname=\"A&B\" ");
  EXPECT_EQ(FormatAttribute("fontname", "MS Sans Serif"), "fontname=\"MS Sans Serif\" ");
  EXPECT_EQ(FormatAttribute("left", INT32_MIN), "left=\"-2147483648\" ");
  EXPECT_EQ(FormatAttribute("ontop", true), "ontop=\"-1\" ");
  EXPECT_EQ(FormatAttribute("ontop", false), "ontop=\"0\" ");
}

TEST(XMLReader, BuildsTheTree) {
  struct Case {
    std::vector<std::string> lines;
    const char* tree;
  } cases[] = {
      {{}, ""},
      {{"<?xml version=\"1.0\" encoding=\"ISO-8859-1\" standalone=\"yes\" ?>"},
       "[?xml{version=1.0,encoding=ISO-8859-1,standalone=yes}]"},
      {{"<quib>", "</quib>"}, "[quib]"},
      {{"<note id=\"1\"", "  left = \"2\" />"}, "[note{id=1,left=2}]"},
      {{"<a / >", "<b/>"}, "[a[b]]"},
      {{"<a x=\"1\" y = \"2\" z==\"3\" w \"4\" x=\"5\"/>"}, "[a{x=1,y=2,z=3,w=4,x=5}]"},
      {{"<a x=\"\" y=\"p q=r<s/t\" z=\"&lt;\"/>"}, "[a{x=,y=p q=r<s/t,z=&lt;}]"},
      {{"<a x=\"1", "2\"/>"}, "[a{x=1\\r\\n2}]"},
      {{"<a>", "  hello  ", "</a>", "<b>", "   ", "</b>"}, "[a=\"hello\" b]"},
      {{"<a>x<b/>y<!-- c -->z</a>"}, "[a=\"xyz\"[b !--\"c\"]]"},
      {{"<a>lead<b>inner</b>tail</a>"}, "[a=\"tail\"[b=\"leadinner\"]]"},
      {{"<a><![CDATA[ <x> ", "y]]></a>"}, "[a[CDATA\" <x> \\r\\ny\"]]"},
      {{"<!-- a < b -->", "<1x:y/>"}, "[!--\"a < b\" 1x:y]"},
      {{"stray<a><b>", "<c"}, "[a[b]]"},
      {{"<a><?xml v=\"1\"?></a><?xml?>"}, "[a[?xml{v=1}] ?xml]"},
  };
  for (const auto& c : cases) EXPECT_EQ(parse(c.lines), c.tree) << c.lines.size() << " " << c.tree;
}

TEST(XMLReader, RefusesMalformedTags) {
  struct Case {
    const char* line;
    const char* message;
  } cases[] = {
      {"<?xml version=\"1.0\">", "Malformed XML Descriptor: \"<?xml version=\"1.0\">\""},
      {"<?xmlfoo ?>", "Malformed XML Descriptor: \"<?xmlfoo ?>\""},
      {"<?xml version ?>", "Invalid number of tokens in XML string: <?xml version ?>"},
      {"<!-- a > b -->", "Malformed XML Comment: \"<!-- a >\""},
      {"<!-->", "Malformed XML Comment: \"<!-->\""},
      {"<!--->", "Malformed XML Comment: \"<!--->\""},
      {"<>", "Invalid number of tokens in XML string: <>"},
      {"<a b>", "Invalid number of tokens in XML string: <a b>"},
      {"<a x=\"1\"y=\"2\"/>", "Invalid number of tokens in XML string: <a x=\"1\"y=\"2\"/>"},
      {"<a-b c>", "Invalid number of tokens in XML string: <a-b c>"},
      {"<a.b c-d=\"1\"/>", "Invalid node name (a.b) in XML string: <a.b c-d=\"1\"/>"},
      {"<a b:c=\"1\"/>", "Invalid Attribute Name (b:c) in XML string: <a b:c=\"1\"/>"},
      {"<a b=c d-e=\"1\"/>", "Attribute Value (c) is not quoted in XML string: <a b=c d-e=\"1\"/>"},
      {"<a b c>", "Attribute Value (c) is not quoted in XML string: <a b c>"},
      {"<a b='c'>", "Attribute Value ('c') is not quoted in XML string: <a b='c'>"},
      {"<a x=\"1>2\"/>", "Attribute Value (\"1>) is not quoted in XML string: <a x=\"1>"},
      {"<a></b>", "Mismatched closing tag: </b>"},
      {"<a><b></a>", "Mismatched closing tag: </a>"},
      {"<a></a >", "Mismatched closing tag: </a >"},
      {"</a>", "Mismatched closing tag: </a>"},
      {"</>", "Mismatched closing tag: </>"},
  };
  for (const auto& c : cases) {
    const std::vector<std::string> lines{"<?xml version=\"1.0\"?>", c.line};
    try {
      TXMLReader(lines).Parse();
      ADD_FAILURE() << "no error for " << c.line;
    } catch (const EQuibError& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
  }
}

TEST(XMLReader, NodeListsAndDisplayNames) {
  const std::vector<std::string> lines{"<quib>", "<note id=\"1\"/><other/><note id=\"2\"/>", "</quib>"};
  const auto doc = TXMLReader(lines).Parse();
  const TXMLNode* root = doc->FindChild("quib");
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->AttributeCount(), 0);
  EXPECT_EQ(root->Attribute(0), nullptr);
  EXPECT_EQ(root->FindChild("note")->Attribute(0)->Value, "1");
  EXPECT_EQ(root->FindChild("Note"), nullptr);
  EXPECT_EQ(doc->FindChild("note"), nullptr);  // direct children only
  const char* names[] = {"Undefined", "Document", "XML Descriptor", "Element",
                         "Attribute", "Comment",  "CDATA"};
  for (int k = 0; k < 7; ++k) EXPECT_STREQ(XMLNodeKindName(static_cast<TXMLNodeKind>(k)), names[k]);
}

TEST(XMLReader, DeepNestingNeitherRecursesNorOverflows) {
  // Far deeper than a recursive reader or destructor could take on a default stack.
  constexpr int depth = 100000;
  std::string open, close;
  for (int i = 0; i < depth; ++i) open += "<a>";
  for (int i = 0; i < depth; ++i) close += "</a>";
  const std::vector<std::string> lines{open, close};
  auto doc = TXMLReader(lines).Parse();
  const TXMLNode* n = doc.get();
  int levels = 0;
  while (n->ChildCount() == 1) n = n->Child(0), ++levels;
  EXPECT_EQ(levels, depth);
}
