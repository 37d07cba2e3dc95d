// A reader of XML elements, enough to check an application manifest: elements, attributes, their
// text and namespaces. Comments and the declaration are passed over; entities are not expanded.
#pragma once
#include <map>
#include <string>
#include <vector>

struct XmlElement {
  std::string space;  // the namespace in force: the default one or that of the name's prefix
  std::string name;   // without its prefix
  std::map<std::string, std::string> attributes;  // as written, without the xmlns declarations
  std::vector<XmlElement> children;
  std::string text;  // the characters between its tags outside its children, CDATA sections' included
};

// The root element; text that is not well-formed throws std::runtime_error naming the offset.
XmlElement ReadXml(const std::string& text);

// The elements below `parent` reached through `path`, a list of names, in document order.
std::vector<const XmlElement*> FindElements(const XmlElement& parent, const std::vector<std::string>& path);
