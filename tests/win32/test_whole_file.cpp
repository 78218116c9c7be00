// The whole-file write over a file layer in memory that fails where it is told to.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "win32/whole_file.h"

namespace {

using win::FileFault;

enum class Step { None, Write, WriteHalf, Replace };

class MemoryFiles : public win::FileLayer {
 public:
  explicit MemoryFiles(Step failing, FileFault fault) : failing_(failing), fault_(fault) {}

  FileFault WriteFlushed(const std::string& path, std::string_view bytes) override {
    if (failing_ == Step::Write) return fault_;
    if (failing_ == Step::WriteHalf) {  // a disk that fills up half-way
      files[path] = std::string(bytes.substr(0, bytes.size() / 2));
      return fault_;
    }
    files[path] = std::string(bytes);
    return FileFault::None;
  }
  FileFault Replace(const std::string& from, const std::string& to) override {
    if (failing_ == Step::Replace) return fault_;
    files[to] = files.at(from);
    files.erase(from);
    return FileFault::None;
  }
  void Remove(const std::string& path) override { files.erase(path); }

  std::map<std::string, std::string> files;

 private:
  Step failing_;
  FileFault fault_;
};

TEST(WholeFile, TheOldFileStaysUntilTheNewOneIsWholeAndNothingIsLeftBehind) {
  struct Case {
    Step failing;
    FileFault fault;
  };
  const Case kCases[] = {
      {Step::None, FileFault::None},
      {Step::Write, FileFault::PathNotFound},
      {Step::WriteHalf, FileFault::DiskFull},
      {Step::Replace, FileFault::AccessDenied},
      {Step::Replace, FileFault::InUse},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(static_cast<int>(c.failing));
    MemoryFiles files(c.failing, c.fault);
    files.files["C:\\p\\RerirUv.ini"] = "old";
    const win::FileResult result = win::WriteWholeFile(files, "C:\\p\\RerirUv.ini", "the new text");
    EXPECT_EQ(result.fault, c.fault);
    EXPECT_EQ(result.Ok(), c.fault == FileFault::None);
    EXPECT_EQ(result.path, c.fault == FileFault::None ? "" : "C:\\p\\RerirUv.ini");
    EXPECT_EQ(files.files.size(), 1u) << "no temporary file is left";
    EXPECT_EQ(files.files["C:\\p\\RerirUv.ini"], result.Ok() ? "the new text" : "old");
    EXPECT_EQ(std::string(win::FaultText(c.fault)).empty(), result.Ok()) << "a text for every fault";
  }
}

}  // namespace
