#include "tests/resource_pe_test_xml.h"

#include <cctype>
#include <cstring>
#include <stdexcept>

namespace {

const int kMaxDepth = 64;

using Spaces = std::map<std::string, std::string>;  // prefix ("" for the default) -> namespace

bool IsSpace(char letter) {
  return letter == ' ' || letter == '\t' || letter == '\r' || letter == '\n';
}

bool IsNameStart(char letter) {
  return std::isalpha(static_cast<unsigned char>(letter)) || letter == '_';
}

bool IsNameCharacter(char letter) {
  return IsNameStart(letter) || std::isdigit(static_cast<unsigned char>(letter)) || letter == '.' ||
         letter == '-' || letter == ':';
}

class Reader {
 public:
  explicit Reader(const std::string& text) : text_(text) {}

  XmlElement Document() {
    SkipMarkup();
    if (!Next("<"))
      Fail("no root element");
    ++at_;
    XmlElement root = Element(Spaces{{"", ""}}, 1);
    SkipMarkup();
    if (at_ != text_.size())
      Fail("text after the root element");
    return root;
  }

 private:
  [[noreturn]] void Fail(const std::string& what) const {
    throw std::runtime_error(what + " at offset " + std::to_string(at_));
  }

  bool Next(const char* expected) const { return text_.compare(at_, std::strlen(expected), expected) == 0; }

  void Expect(const char* expected) {
    if (!Next(expected))
      Fail(std::string("'") + expected + "' expected");
    at_ += std::strlen(expected);
  }

  void SkipSpace() {
    while (at_ < text_.size() && IsSpace(text_[at_]))
      ++at_;
  }

  void SkipPast(const char* end) {
    const size_t found = text_.find(end, at_);
    if (found == std::string::npos)
      Fail(std::string("no closing '") + end + "'");
    at_ = found + std::strlen(end);
  }

  // Space, comments and processing instructions outside the root element.
  void SkipMarkup() {
    for (;;) {
      SkipSpace();
      if (Next("<?"))
        SkipPast("?>");
      else if (Next("<!--"))
        SkipPast("-->");
      else
        return;
    }
  }

  std::string Name() {
    const size_t start = at_;
    if (at_ >= text_.size() || !IsNameStart(text_[at_]))
      Fail("a name expected");
    while (at_ < text_.size() && IsNameCharacter(text_[at_]))
      ++at_;
    return text_.substr(start, at_ - start);
  }

  std::string Quoted() {
    if (at_ >= text_.size() || (text_[at_] != '"' && text_[at_] != '\''))
      Fail("a quoted value expected");
    const char quote = text_[at_++];
    const size_t end = text_.find(quote, at_);
    if (end == std::string::npos)
      Fail("an unclosed value");
    std::string value = text_.substr(at_, end - at_);
    if (value.find('<') != std::string::npos)
      Fail("'<' in a value");
    at_ = end + 1;
    return value;
  }

  // Sets the element's namespace and local name from its written name.
  void Resolve(const std::string& written, const Spaces& spaces, XmlElement* element) {
    const size_t colon = written.find(':');
    const std::string prefix = colon == std::string::npos ? "" : written.substr(0, colon);
    const auto space = spaces.find(prefix);
    if (space == spaces.end())
      Fail("the prefix '" + prefix + "' is not declared");
    element->space = space->second;
    element->name = colon == std::string::npos ? written : written.substr(colon + 1);
  }

  // From just after its '<' to just after its end.
  XmlElement Element(Spaces spaces, int depth) {
    if (depth > kMaxDepth)
      Fail("elements nested deeper than " + std::to_string(kMaxDepth));
    XmlElement element;
    const std::string written = Name();
    for (;;) {
      const size_t before = at_;
      SkipSpace();
      if (Next("/>") || Next(">"))
        break;
      if (at_ == before)
        Fail("space expected before an attribute");
      const std::string name = Name();
      SkipSpace();
      Expect("=");
      SkipSpace();
      const std::string value = Quoted();
      if (name == "xmlns" || name.compare(0, 6, "xmlns:") == 0)
        spaces[name == "xmlns" ? "" : name.substr(6)] = value;
      else if (!element.attributes.emplace(name, value).second)
        Fail("the attribute " + name + " twice");
    }
    Resolve(written, spaces, &element);
    if (Next("/>")) {
      at_ += 2;
      return element;
    }
    Expect(">");
    for (;;) {
      const size_t open = text_.find('<', at_);
      if (open == std::string::npos)
        Fail("<" + written + "> is not closed");
      element.text += text_.substr(at_, open - at_);
      at_ = open;
      if (Next("</")) {
        at_ += 2;
        if (Name() != written)
          Fail("the end tag does not close <" + written + ">");
        SkipSpace();
        Expect(">");
        return element;
      }
      if (Next("<!--"))
        SkipPast("-->");
      else if (Next("<![CDATA["))
        element.text += Cdata();
      else if (Next("<?"))
        SkipPast("?>");
      else
        element.children.push_back(ChildElement(spaces, depth + 1));
    }
  }

  std::string Cdata() {
    const size_t start = at_ + std::strlen("<![CDATA[");
    SkipPast("]]>");
    return text_.substr(start, at_ - std::strlen("]]>") - start);
  }

  XmlElement ChildElement(const Spaces& spaces, int depth) {
    ++at_;
    return Element(spaces, depth);
  }

  const std::string& text_;
  size_t at_ = 0;
};

void Collect(const XmlElement& parent, const std::vector<std::string>& path, size_t step,
             std::vector<const XmlElement*>* found) {
  for (const XmlElement& child : parent.children) {
    if (child.name != path[step])
      continue;
    if (step + 1 == path.size())
      found->push_back(&child);
    else
      Collect(child, path, step + 1, found);
  }
}

}  // namespace

XmlElement ReadXml(const std::string& text) {
  Reader reader(text);
  return reader.Document();
}

std::vector<const XmlElement*> FindElements(const XmlElement& parent, const std::vector<std::string>& path) {
  std::vector<const XmlElement*> found;
  if (!path.empty())
    Collect(parent, path, 0, &found);
  return found;
}
