// The file resources of a resource script: lines of the form `NAME TYPE "file"`.
#pragma once
#include <string>
#include <vector>

struct ScriptResource {
  std::string name;  // upper-case text, or "#" and the decimal number
  std::string type;  // upper-case text, as written, or "#" and the number of RT_MANIFEST
  std::string file;  // as written in the script
  int line;
};

// The file resources in script order. Other statements (dialogs, string tables, version blocks)
// are not file resources and are passed over.
std::vector<ScriptResource> ReadScriptResources(const std::string& script);
