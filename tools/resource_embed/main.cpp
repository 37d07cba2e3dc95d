// resource_embed: compiles the file resources of a resource script into a C++ table, so that the
// native programs find the same resources, with the same bytes, as the shipped saver.
//
//   resource_embed <script.rc> <output.cpp> <output.d> [-I <folder>]...
//
// Files are looked up like the resource compiler does: beside the script, then in each -I folder.
// The depfile names the script and every file read, so the build reruns when any of them changes.
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "icon_group.h"
#include "rc_script.h"
#include "source_writer.h"

namespace {

// Types the resource compiler converts or numbers itself; of these only icons are supported.
const char* const kConvertedTypes[] = {"BITMAP", "CURSOR",   "FONT",      "MESSAGETABLE", "RCDATA",
                                       "HTML",   "MANIFEST", "ANICURSOR", "ANIICON"};
const char kIconGroupType[] = "#14";
const char kIconType[] = "#3";

struct Options {
  std::string script;
  std::string output;
  std::string depfile;
  std::vector<std::string> folders;
};

bool ReadFile(const std::string& path, std::vector<uint8_t>* bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in)
    return false;
  bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

std::string Folder(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? "." : path.substr(0, slash);
}

// The first of the script's folder and the -I folders that holds the file.
bool FindFile(const Options& options, const std::string& file, std::string* path,
              std::vector<uint8_t>* bytes) {
  std::vector<std::string> folders = {Folder(options.script)};
  folders.insert(folders.end(), options.folders.begin(), options.folders.end());
  for (const std::string& folder : folders) {
    *path = file[0] == '/' ? file : folder + "/" + file;
    if (ReadFile(*path, bytes))
      return true;
  }
  return false;
}

std::string DepfilePath(const std::string& path) {
  std::string escaped;
  for (char letter : path) {
    if (letter == ' ' || letter == '#' || letter == '\\')
      escaped += '\\';
    escaped += letter;
  }
  return escaped;
}

bool ParseOptions(int argc, char** argv, Options* options) {
  if (argc < 4)
    return false;
  options->script = argv[1];
  options->output = argv[2];
  options->depfile = argv[3];
  for (int index = 4; index < argc; index += 2) {
    if (std::string(argv[index]) != "-I" || index + 1 >= argc)
      return false;
    options->folders.push_back(argv[index + 1]);
  }
  return true;
}

int Fail(const std::string& where, const std::string& message) {
  std::cerr << where << ": " << message << "\n";
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, &options)) {
    std::cerr << "usage: resource_embed <script.rc> <output.cpp> <output.d> [-I <folder>]...\n";
    return 2;
  }
  std::vector<uint8_t> scriptBytes;
  if (!ReadFile(options.script, &scriptBytes))
    return Fail(options.script, "cannot read the resource script");
  std::vector<EmbeddedFile> files;
  std::vector<std::string> inputs = {options.script};
  int nextIconId = 1;
  for (const ScriptResource& resource :
       ReadScriptResources(std::string(scriptBytes.begin(), scriptBytes.end()))) {
    const std::string where = options.script + ":" + std::to_string(resource.line);
    for (const char* converted : kConvertedTypes) {
      if (resource.type == converted)
        return Fail(where, "resources of type " + resource.type + " are not supported");
    }
    std::string path;
    std::vector<uint8_t> bytes;
    if (!FindFile(options, resource.file, &path, &bytes))
      return Fail(where, "cannot find \"" + resource.file + "\" beside the script or in an -I folder");
    inputs.push_back(path);
    if (resource.type != "ICON") {
      files.push_back({resource.type, resource.name, bytes});
      continue;
    }
    IconGroup group;
    std::string error;
    if (!SplitIconFile(bytes, nextIconId, &group, &error))
      return Fail(path, error);
    for (const Bytes& image : group.images)
      files.push_back({kIconType, "#" + std::to_string(nextIconId++), image});
    files.push_back({kIconGroupType, resource.name, group.directory});
  }
  std::ostringstream source;
  WriteEmbeddedSource(source, options.script, files);
  std::ofstream out(options.output, std::ios::binary);
  out << source.str();
  std::ofstream depfile(options.depfile);
  depfile << DepfilePath(options.output) << ":";
  for (const std::string& input : inputs)
    depfile << " " << DepfilePath(input);
  depfile << "\n";
  if (!out || !depfile)
    return Fail(options.output, "cannot write the output");
  return 0;
}
