// Process-wide program folder.
#include "app/program_folder.h"

namespace app {
namespace {
std::string& Folder() {
  static std::string folder;
  return folder;
}
}  // namespace

const std::string& ProgramFolder() { return Folder(); }
void SetProgramFolder(std::string folder) { Folder() = std::move(folder); }
std::string ProgramPath(const char* relative) { return Folder() + relative; }

}  // namespace app
