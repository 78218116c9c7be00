// WriteWholeFile: the temporary file, then the one-step replace.
#include "win32/whole_file.h"

namespace win {

const char* FaultText(FileFault fault) {
  switch (fault) {
    case FileFault::None:
      return "";
    case FileFault::DiskFull:
      return "The disk is full.";
    case FileFault::AccessDenied:
      return "Access is denied: the file is read-only, protected, or open in another program.";
    case FileFault::PathNotFound:
      return "The folder does not exist, or a file stands where the folder should be.";
    case FileFault::InUse:
      return "Another program is using the file.";
    case FileFault::Failed:
      break;
  }
  return "The file could not be written.";
}

std::string TemporaryPathOf(const std::string& path) { return path + ".new"; }

FileResult WriteWholeFile(FileLayer& files, const std::string& path, std::string_view bytes) {
  const std::string temporary = TemporaryPathOf(path);
  FileFault fault = files.WriteFlushed(temporary, bytes);
  if (fault == FileFault::None) fault = files.Replace(temporary, path);
  if (fault == FileFault::None) return {};
  files.Remove(temporary);
  return {fault, path};
}

}  // namespace win
