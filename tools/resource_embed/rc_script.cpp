#include "rc_script.h"

#include <cctype>
#include <sstream>

namespace {

std::string UpperCase(std::string text) {
  for (char& letter : text)
    letter = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
  return text;
}

std::string NameKey(const std::string& name) {
  if (name.find_first_not_of("0123456789") == std::string::npos)
    return "#" + std::to_string(std::stoul(name));
  return UpperCase(name);
}

// The resource compiler's preprocessor turns windows.h's type constants into their numbers.
std::string TypeKey(const std::string& type) {
  const std::string upper = UpperCase(type);
  return upper == "RT_MANIFEST" ? "#24" : upper;
}

bool IsWordCharacter(char letter) {
  return std::isalnum(static_cast<unsigned char>(letter)) || letter == '_';
}

void SkipSpace(const std::string& line, size_t* at) {
  while (*at < line.size() && std::isspace(static_cast<unsigned char>(line[*at])))
    ++*at;
}

std::string Word(const std::string& line, size_t* at) {
  const size_t start = *at;
  while (*at < line.size() && IsWordCharacter(line[*at]))
    ++*at;
  return line.substr(start, *at - start);
}

// `NAME TYPE "file"`: a name of word characters, a type word that starts with a letter (so that
// `FONT 8, "Arial"` is no match), and a quoted file name ending the line.
bool MatchFileResource(const std::string& line, std::string* name, std::string* type, std::string* file) {
  size_t at = 0;
  SkipSpace(line, &at);
  *name = Word(line, &at);
  SkipSpace(line, &at);
  const bool typeStartsWithLetter = at < line.size() && std::isalpha(static_cast<unsigned char>(line[at]));
  *type = Word(line, &at);
  SkipSpace(line, &at);
  if (name->empty() || !typeStartsWithLetter || at >= line.size() || line[at] != '"')
    return false;
  const size_t close = line.find('"', at + 1);
  if (close == std::string::npos || close == at + 1)
    return false;
  *file = line.substr(at + 1, close - at - 1);
  at = close + 1;
  SkipSpace(line, &at);
  return at == line.size();
}

}  // namespace

std::vector<ScriptResource> ReadScriptResources(const std::string& script) {
  std::vector<ScriptResource> resources;
  std::istringstream lines(script);
  std::string line;
  int number = 0;
  while (std::getline(lines, line)) {
    ++number;
    const size_t comment = line.find("//");
    if (comment != std::string::npos)
      line.erase(comment);
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    std::string name, type, file;
    if (MatchFileResource(line, &name, &type, &file))
      resources.push_back({NameKey(name), TypeKey(type), file, number});
  }
  return resources;
}
