// The archive reader over in-memory archives: directory, stubs, encryption, methods, CRC, paths.
#include <gtest/gtest.h>

#include <functional>

#include "skininstall/memory_files.h"
#include "skininstall/zip_archive.h"
#include "skininstall/zip_builder.h"

namespace skininstall::testing {
namespace {

constexpr char kPath[] = "C:\\prog\\skins.zip";

std::string Pattern(size_t size, unsigned seed = 1) {
  std::string s(size, '\0');
  uint32_t x = seed;
  for (size_t i = 0; i < size; ++i) {
    x = x * 1103515245u + 12345u;
    // Mostly repetitive with some noise, so deflate has work of both kinds.
    s[i] = static_cast<char>((i % 97 < 60) ? 'a' + (i % 7) : (x >> 16));
  }
  return s;
}

class ZipReaderTest : public ::testing::Test {
 protected:
  MemoryStorage storage;
  MemoryOutput output;
  ZipArchive archive{storage, &output};

  void Open(const std::string& bytes, const std::string& password = "") {
    storage.files[kPath] = bytes;
    archive.OpenArchive(kPath, ZipArchive::kReadOnly, 0);
    if (!password.empty()) archive.SetPassword(password);
  }
  std::string ReadAll(int index, size_t chunk = 4096) {
    EXPECT_TRUE(archive.OpenEntry(index));
    std::string data, buffer(chunk, '\0');
    size_t got;
    while ((got = archive.ReadEntry(buffer.data(), buffer.size())) > 0) data.append(buffer, 0, got);
    return data;
  }
  int CodeOf(const std::function<void()>& action) {
    try {
      action();
    } catch (const ZipError& e) {
      EXPECT_EQ(e.ArchivePath(), kPath);
      return e.Code();
    }
    return 0;
  }
};

ZipBuilder TwoEntries() {
  ZipBuilder b;
  b.entries.push_back({.name = "one.txt", .data = "first entry", .method = 0});
  b.entries.push_back({.name = "two.bin", .data = Pattern(200000), .method = 8});
  return b;
}

TEST_F(ZipReaderTest, ListsAndReadsStoredAndDeflatedEntries) {
  Open(TwoEntries().Build());
  ASSERT_EQ(archive.GetCount(), 2);
  EXPECT_EQ(archive.GetEntry(1).name, "two.bin");
  EXPECT_EQ(ReadAll(0), "first entry");
  EXPECT_EQ(archive.CloseEntry(nullptr, false), ZipArchive::kClosedDone);
  // Output buffers of odd sizes cross the input buffer's borders at every place.
  for (size_t chunk : {size_t{1}, size_t{4093}, size_t{1 << 20}}) {
    EXPECT_EQ(ReadAll(1, chunk), Pattern(200000)) << chunk;
    EXPECT_EQ(archive.CloseEntry(nullptr, false), ZipArchive::kClosedDone);
  }
}

TEST_F(ZipReaderTest, EndRecordSearchCoversTheLongestCommentAndNoMore) {
  ZipBuilder b = TwoEntries();
  b.comment = std::string(65535, 'c');
  Open(b.Build());
  EXPECT_EQ(archive.GetCount(), 2);
  EXPECT_EQ(archive.GetComment().size(), 65535u);
  archive.CloseArchive();

  // One byte more behind the end record than a comment can hold: the signature is out of reach.
  storage.files[kPath] = TwoEntries().Build() + std::string(65536, 'x');
  EXPECT_EQ(CodeOf([&] { archive.OpenArchive(kPath, 1, 0); }), kZipNoEndRecord);
  EXPECT_FALSE(archive.IsOpen());
  storage.files[kPath] = "short";
  EXPECT_EQ(CodeOf([&] { archive.OpenArchive(kPath, 1, 0); }), kZipNoEndRecord);
}

TEST_F(ZipReaderTest, EndRecordNearerTheEndWins) {
  ZipBuilder inner;
  inner.entries.push_back({.name = "inner.txt", .data = "old", .method = 0});
  ZipBuilder outer;
  outer.stub = inner.Build();  // a whole archive, end record included, in front
  outer.entries.push_back({.name = "outer.txt", .data = "new", .method = 0});
  Open(outer.Build());
  ASSERT_EQ(archive.GetCount(), 1);
  EXPECT_EQ(archive.GetEntry(0).name, "outer.txt");
  EXPECT_EQ(ReadAll(0), "new");
}

TEST_F(ZipReaderTest, StubInFrontCorrectsEveryOffset) {
  ZipBuilder b = TwoEntries();
  b.stub = Pattern(1000, 7);
  Open(b.Build());
  EXPECT_EQ(archive.BytesBeforeArchive(), 1000u);
  EXPECT_EQ(ReadAll(0), "first entry");
  archive.CloseEntry(nullptr, false);
  EXPECT_EQ(ReadAll(1), Pattern(200000));
  EXPECT_EQ(archive.CloseEntry(nullptr, false), ZipArchive::kClosedDone);
}

ZipBuilder Encrypted(bool descriptor) {
  ZipBuilder b;
  b.password = "plovardik3817";
  b.entries.push_back({.name = "s.txt", .data = "stored secret", .method = 0, .encrypt = true,
                       .descriptor = descriptor});
  b.entries.push_back({.name = "d.bin", .data = Pattern(70000, 3), .method = 8, .encrypt = true,
                       .descriptor = descriptor});
  return b;
}

TEST_F(ZipReaderTest, EncryptedEntriesNeedTheRightPassword) {
  for (bool descriptor : {false, true}) {
    SCOPED_TRACE(descriptor ? "check byte from the time" : "check byte from the CRC");
    Open(Encrypted(descriptor).Build());
    EXPECT_FALSE(archive.OpenEntry(0)) << "no password set";
    archive.SetPassword("plovardik3818");
    EXPECT_EQ(CodeOf([&] { archive.OpenEntry(0); }), kZipBadPassword);
    EXPECT_EQ(archive.CloseEntry(nullptr, true), ZipArchive::kClosedNothing);
    archive.SetPassword("plovardik3817");
    EXPECT_EQ(ReadAll(0), "stored secret");  // the 12-byte header is not part of the data
    EXPECT_EQ(archive.CloseEntry(nullptr, false), ZipArchive::kClosedDone);
    EXPECT_EQ(ReadAll(1), Pattern(70000, 3));
    EXPECT_EQ(archive.CloseEntry(nullptr, false), ZipArchive::kClosedDone);
    archive.CloseArchive();
    archive.SetPassword("");
  }
}

TEST_F(ZipReaderTest, UnknownMethodIsNotAUsableArchive) {
  ZipBuilder b;
  b.entries.push_back({.name = "x.bz2", .data = "BZh9", .method = 0, .labelMethod = 12});
  Open(b.Build());
  EXPECT_EQ(CodeOf([&] { archive.OpenEntry(0); }), kZipBadArchive);
}

// Offset of the first byte of entry data in a built archive without stub.
size_t DataOffset(const BuildEntry& e) { return 30 + e.name.size(); }

TEST_F(ZipReaderTest, ChangedByteFailsTheCrcOrTheInflate) {
  ZipBuilder b = TwoEntries();
  std::string bytes = b.Build();
  bytes[DataOffset(b.entries[0]) + 3] ^= 0x01;
  Open(bytes);
  EXPECT_EQ(ReadAll(0).size(), 11u);
  EXPECT_EQ(CodeOf([&] { archive.CloseEntry(nullptr, false); }), kZipBadCrc);
  EXPECT_FALSE(archive.OpenEntry(1)) << "the failed entry stays open";
  EXPECT_EQ(archive.CloseEntry(nullptr, true), ZipArchive::kClosedDone);

  // In deflated data a changed byte breaks either the stream or the CRC.
  const size_t second = DataOffset(b.entries[0]) + 11;
  for (size_t at : {size_t{5}, size_t{200}, size_t{2000}}) {
    std::string copy = b.Build();
    copy[second + DataOffset(b.entries[1]) + at] ^= 0x40;
    archive.CloseArchive();
    storage.files[kPath] = copy;
    archive.OpenArchive(kPath, 1, 0);
    const int code = CodeOf([&] {
      ReadAll(1);
      archive.CloseEntry(nullptr, false);
    });
    EXPECT_TRUE(code == kZipBadCrc || code == -3 || code == -1) << at << ": " << code;
    archive.CloseEntry(nullptr, true);
  }
}

TEST_F(ZipReaderTest, StructuralFaultsAreNotAUsableArchive) {
  const std::string good = TwoEntries().Build();
  const size_t end = good.size() - 22;
  auto withByte = [&](size_t at, char value) {
    std::string copy = good;
    copy[at] = value;
    return copy;
  };
  for (const std::string& bytes : {withByte(end + 10, 0),      // no entries, yet a directory size
                                   withByte(end + 16, 0x7F),   // directory behind the end record
                                   withByte(end - 106, 'Q')})  // first central signature
  {
    storage.files[kPath] = bytes;
    EXPECT_EQ(CodeOf([&] { archive.OpenArchive(kPath, 1, 0); }), kZipBadArchive);
  }
  // A local header that disagrees with its central header.
  Open(withByte(6, 1));  // local flags claim encryption
  EXPECT_EQ(CodeOf([&] { archive.OpenEntry(0); }), kZipBadArchive);
  archive.CloseArchive();
  Open(withByte(0, 'Q'));  // local signature
  EXPECT_EQ(CodeOf([&] { archive.OpenEntry(0); }), kZipBadArchive);
  archive.CloseArchive();
  // The archive cut short inside the data of its last entry.
  storage.files[kPath] = good.substr(0, 300) + good.substr(end - 200);
  EXPECT_EQ(CodeOf([&] { archive.OpenArchive(kPath, 1, 0); }), kZipBadArchive);
}

TEST_F(ZipReaderTest, EmptyArchiveHasNoEntries) {
  Open(ZipBuilder{}.Build());
  EXPECT_EQ(archive.GetCount(), 0);
  EXPECT_FALSE(archive.OpenEntry(0));
  EXPECT_FALSE(archive.ExtractEntry(0, "skins", true, nullptr, nullptr, nullptr, 65535));
}

TEST_F(ZipReaderTest, RemovableMultiVolumeArchiveNeedsADiskCallback) {
  std::string bytes = TwoEntries().Build();
  bytes[bytes.size() - 22 + 4] = 2;  // this is volume 2
  bytes[bytes.size() - 22 + 6] = 2;
  storage.removable = true;
  storage.files[kPath] = bytes;
  EXPECT_EQ(CodeOf([&] { archive.OpenArchive(kPath, 1, 0); }), kZipNeedsDiskCallback);
}

TEST_F(ZipReaderTest, KeptPathsCreateEveryFolder) {
  ZipBuilder b;
  b.entries.push_back({.name = "a/b/c.bmp", .data = Pattern(5000), .attributes = 0x21});
  b.entries.push_back({.name = "d/", .data = "", .method = 0, .attributes = 0x12, .folder = true});
  Open(b.Build());
  output.folders.insert("C:\\prog\\skins");
  ASSERT_TRUE(archive.ExtractEntry(0, "C:\\prog\\skins\\\\", true, nullptr, nullptr, nullptr, 65535));
  EXPECT_EQ(output.folders, (std::set<std::string>{"C:\\prog\\skins", "C:\\prog\\skins\\a",
                                                    "C:\\prog\\skins\\a\\b"}));
  EXPECT_EQ(output.files.at("C:\\prog\\skins\\a\\b\\c.bmp"), Pattern(5000));
  EXPECT_EQ(output.attributes.at("C:\\prog\\skins\\a\\b\\c.bmp"), 0x21u);
  ASSERT_TRUE(archive.ExtractEntry(1, "C:\\prog\\skins", true, nullptr, nullptr, nullptr, 100));
  EXPECT_EQ(output.attributes.at("C:\\prog\\skins\\d"), 0x12u);
  ASSERT_TRUE(archive.ExtractEntry(0, "C:\\prog\\skins", false, nullptr, nullptr, nullptr, 7));
  EXPECT_EQ(output.files.at("C:\\prog\\skins\\c.bmp"), Pattern(5000));
  ASSERT_TRUE(archive.ExtractEntry(0, "C:\\out", true, "x\\renamed.bmp", nullptr, nullptr, 999));
  EXPECT_EQ(output.files.at("C:\\out\\x\\renamed.bmp"), Pattern(5000));
}

TEST_F(ZipReaderTest, NamesLeavingTheFolderAreRefusedAndNothingIsWritten) {
  const char* names[] = {"../evil.txt",  "a/../../evil.txt", "..\\evil.txt", "C:\\evil.txt",
                         "c:evil.txt",   "a/.../evil.txt",   ".. /evil.txt", "a/b/..",
                         "evil.txt:ads", "/",                "//"};
  for (const char* name : names) {
    SCOPED_TRACE(name);
    ZipBuilder b;
    b.entries.push_back({.name = name, .data = "payload", .method = 0});
    archive.CloseArchive();
    Open(b.Build());
    EXPECT_EQ(CodeOf([&] {
                archive.ExtractEntry(0, "C:\\prog\\skins", true, nullptr, nullptr, nullptr, 65535);
              }),
              kZipBadArchive);
    EXPECT_TRUE(output.files.empty());
    EXPECT_TRUE(output.folders.empty());
  }
  // Leading backslashes are dropped, and what remains stays inside.
  ZipBuilder b;
  b.entries.push_back({.name = "//server/share/x.txt", .data = "ok", .method = 0});
  b.entries.push_back({.name = "a/./b..c/x.txt", .data = "ok", .method = 0});
  archive.CloseArchive();
  Open(b.Build());
  EXPECT_TRUE(archive.ExtractEntry(0, "S", true, nullptr, nullptr, nullptr, 65535));
  EXPECT_TRUE(archive.ExtractEntry(1, "S", true, nullptr, nullptr, nullptr, 65535));
  EXPECT_EQ(output.files.count("S\\server\\share\\x.txt"), 1u);
  EXPECT_EQ(output.files.count("S\\a\\.\\b..c\\x.txt"), 1u);
}

TEST_F(ZipReaderTest, DataEndingEarlyIsReportedAndLeavesNoFile) {
  ZipBuilder b;
  b.entries.push_back({.name = "short.txt", .data = "0123456789", .method = 0});
  std::string bytes = b.Build();
  // Claim 20 uncompressed bytes in both headers, with only 10 bytes of data.
  bytes[22] = 20;
  bytes[30 + 9 + 10 + 24] = 20;
  Open(bytes);
  EXPECT_FALSE(archive.ExtractEntry(0, "S", true, nullptr, nullptr, nullptr, 4));
  EXPECT_EQ(output.files.count("S\\short.txt"), 0u);
  EXPECT_EQ(ReadAll(0), "0123456789");
  EXPECT_EQ(archive.CloseEntry(nullptr, false), ZipArchive::kClosedDataMissing);
}

TEST_F(ZipReaderTest, FailuresOnTheOutputSideAreFileSystemErrors) {
  Open(TwoEntries().Build());
  output.readOnlyFiles.insert("S\\one.txt");
  EXPECT_THROW(archive.ExtractEntry(0, "S", true, nullptr, nullptr, nullptr, 65535),
               FileSystemError);
  EXPECT_FALSE(archive.OpenEntry(1)) << "the failed entry stays open";
  EXPECT_EQ(archive.CloseEntry(nullptr, true), ZipArchive::kClosedDone);
  EXPECT_TRUE(archive.ExtractEntry(1, "S", true, nullptr, nullptr, nullptr, 65535));
}

TEST_F(ZipReaderTest, ProgressCallbackSeesEveryWriteAndCanStop) {
  Open(TwoEntries().Build());
  std::vector<uint32_t> seen;
  auto record = [](uint32_t total, uint32_t written, void* data) {
    auto* list = static_cast<std::vector<uint32_t>*>(data);
    EXPECT_EQ(total, 200000u);
    list->push_back(written);
    return list->size() < 3;
  };
  EXPECT_FALSE(archive.ExtractEntry(1, "S", true, nullptr, record, &seen, 65535));
  EXPECT_EQ(seen, (std::vector<uint32_t>{65535, 131070, 196605}));
  EXPECT_EQ(output.files.count("S\\two.bin"), 0u);
}

}  // namespace
}  // namespace skininstall::testing
