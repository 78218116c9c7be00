// Archive storage and output files held in memory.
#include "skininstall/memory_files.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "skininstall/zip_error.h"

namespace skininstall::testing {
namespace {

class MemoryFile : public StorageFile {
 public:
  explicit MemoryFile(const std::string& data) : data_(data) {}
  uint64_t Length() override { return data_.size(); }
  bool Seek(uint64_t position) override {
    if (position > data_.size()) return false;
    pos_ = static_cast<size_t>(position);
    return true;
  }
  size_t Read(void* buffer, size_t size) override {
    const size_t n = std::min(size, data_.size() - pos_);
    if (n > 0) std::memcpy(buffer, data_.data() + pos_, n);
    pos_ += n;
    return n;
  }

 private:
  const std::string& data_;
  size_t pos_ = 0;
};

// The data are kept aside until Commit, like the temporary file of the real file systems.
class MemoryOutFile : public OutputFile {
 public:
  MemoryOutFile(MemoryOutput& output, std::string path) : output_(output), path_(std::move(path)) {}
  void Write(const void* data, size_t size) override {
    if (!output_.discardData) data_.append(static_cast<const char*>(data), size);
  }
  void SetDosTime(uint16_t, uint16_t) override {}
  bool SetAttributes(uint32_t value) override {
    attributes_ = value;
    return true;
  }
  void Commit() override {
    output_.files[path_] = std::move(data_);
    if (attributes_) output_.attributes[path_] = *attributes_;
  }

 private:
  MemoryOutput& output_;
  std::string path_;
  std::string data_;
  std::optional<uint32_t> attributes_;
};

}  // namespace

std::unique_ptr<StorageFile> MemoryStorage::Open(const std::string& path) {
  auto it = files.find(path);
  if (it == files.end()) throw FileSystemError(path, 2, "cannot open archive");
  return std::make_unique<MemoryFile>(it->second);
}

bool MemoryOutput::CreateFolder(const std::string& path) {
  if (files.count(path)) return false;
  return folders.insert(path).second;
}

std::unique_ptr<OutputFile> MemoryOutput::CreateOutputFile(const std::string& path) {
  if (readOnlyFiles.count(path) || folders.count(path)) {
    throw FileSystemError(path, 5, "cannot create file");
  }
  return std::make_unique<MemoryOutFile>(*this, path);
}

bool MemoryOutput::SetAttributes(const std::string& path, uint32_t value) {
  if (!files.count(path) && !folders.count(path)) return false;
  attributes[path] = value;
  return true;
}

}  // namespace skininstall::testing
