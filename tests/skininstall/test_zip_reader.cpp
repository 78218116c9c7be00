// The archive reader over in-memory archives: directory, stubs, encryption, methods, CRC, paths.
#include <gtest/gtest.h>

#include <functional>

#include "skininstall/memory_files.h"
#include "skininstall/skin_installation.h"
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
  ZipArchive archive{storage, output};

  void Open(const std::string& bytes, const std::string& password = "") {
    storage.files[kPath] = bytes;
    archive.OpenArchive(kPath);
    if (!password.empty()) archive.SetPassword(password);
  }
  std::string ReadAll(int index, size_t chunk = 4096) {
    archive.OpenEntry(index);
    std::string data, buffer(chunk, '\0');
    size_t got;
    while ((got = archive.ReadEntry(buffer.data(), buffer.size())) > 0) data.append(buffer, 0, got);
    return data;
  }
  // The error the action raises; code 0 when it raises none.
  ZipError ErrorOf(const std::function<void()>& action) {
    try {
      action();
    } catch (const ZipError& e) {
      EXPECT_EQ(e.ArchivePath(), kPath);
      return e;
    }
    return ZipError(0, kPath, "(no error)");
  }
  int CodeOf(const std::function<void()>& action) { return ErrorOf(action).Code(); }
  std::string DetailOf(const std::function<void()>& action) { return ErrorOf(action).Detail(); }
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
  EXPECT_NO_THROW(archive.CloseEntry());
  // Output buffers of odd sizes cross the input buffer's borders at every place.
  for (size_t chunk : {size_t{1}, size_t{4093}, size_t{1 << 20}}) {
    EXPECT_EQ(ReadAll(1, chunk), Pattern(200000)) << chunk;
    EXPECT_NO_THROW(archive.CloseEntry());
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
  EXPECT_EQ(CodeOf([&] { archive.OpenArchive(kPath); }), kZipNoEndRecord);
  EXPECT_FALSE(archive.IsOpen());
  storage.files[kPath] = "short";
  EXPECT_EQ(CodeOf([&] { archive.OpenArchive(kPath); }), kZipNoEndRecord);
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
  archive.CloseEntry();
  EXPECT_EQ(ReadAll(1), Pattern(200000));
  EXPECT_NO_THROW(archive.CloseEntry());
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
    EXPECT_EQ(CodeOf([&] { archive.OpenEntry(0); }), kZipBadPassword) << "no password set";
    archive.SetPassword("plovardik3818");
    EXPECT_EQ(CodeOf([&] { archive.OpenEntry(0); }), kZipBadPassword);
    archive.SetPassword("plovardik3817");  // nothing stayed open: the entry opens at once
    EXPECT_EQ(ReadAll(0), "stored secret");  // the 12-byte header is not part of the data
    EXPECT_NO_THROW(archive.CloseEntry());
    EXPECT_EQ(ReadAll(1), Pattern(70000, 3));
    EXPECT_NO_THROW(archive.CloseEntry());
    archive.CloseArchive();
    archive.SetPassword("");
  }
}

// Data that deflate cannot shrink, so that an entry spans several input blocks.
std::string Noise(size_t size, uint32_t seed = 9) {
  std::string s(size, '\0');
  for (char& c : s) {
    seed ^= seed << 13, seed ^= seed >> 17, seed ^= seed << 5;
    c = static_cast<char>(seed);
  }
  return s;
}

// Entries of several input blocks are decrypted a block ahead of the inflate: any output buffer
// size reads the same data; closing halfway and a damaged later block leave nothing running.
TEST_F(ZipReaderTest, LongEncryptedEntriesReadAlikeWithDecryptionAhead) {
  ZipBuilder b;
  b.password = "plovardik3817";
  b.entries.push_back({.name = "noise.bin", .data = Noise(700000), .encrypt = true});
  b.entries.push_back({.name = "pattern.bin", .data = Pattern(3000000, 4), .encrypt = true,
                       .descriptor = true});
  const std::string good = b.Build();
  Open(good, "plovardik3817");
  ASSERT_GT(archive.GetEntry(0).compressedSize, 4 * ZipArchive::kInputBufferSize);
  for (size_t chunk : {size_t{1} << 20, size_t{65535}, size_t{7}}) {
    EXPECT_TRUE(ReadAll(0, chunk) == Noise(700000)) << chunk;
    EXPECT_NO_THROW(archive.CloseEntry());
    EXPECT_TRUE(ReadAll(1, chunk) == Pattern(3000000, 4)) << chunk;
    EXPECT_NO_THROW(archive.CloseEntry());
  }
  std::string buffer(1000, '\0');
  archive.OpenEntry(0);
  EXPECT_EQ(archive.ReadEntry(buffer.data(), buffer.size()), 1000u);
  archive.DiscardEntry();
  EXPECT_TRUE(ReadAll(0, 65535) == Noise(700000));
  archive.CloseArchive();

  std::string damaged = good;
  damaged[30 + 9 + 12 + 3 * ZipArchive::kInputBufferSize + 100] ^= 0x20;
  Open(damaged, "plovardik3817");
  const int code = CodeOf([&] {
    ReadAll(0, 65535);
    archive.CloseEntry();
  });
  EXPECT_TRUE(code == kZipBadCrc || code == -3) << code;
  EXPECT_EQ(DetailOf([&] { archive.OpenEntry(1); }), "another entry is open");
  archive.DiscardEntry();
  EXPECT_TRUE(ReadAll(1) == Pattern(3000000, 4));
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
  EXPECT_EQ(CodeOf([&] { archive.CloseEntry(); }), kZipBadCrc);
  EXPECT_EQ(DetailOf([&] { archive.OpenEntry(1); }), "another entry is open")
      << "the failed entry stays open";
  archive.DiscardEntry();

  // In deflated data a changed byte breaks either the stream or the CRC.
  const size_t second = DataOffset(b.entries[0]) + 11;
  for (size_t at : {size_t{5}, size_t{200}, size_t{2000}}) {
    std::string copy = b.Build();
    copy[second + DataOffset(b.entries[1]) + at] ^= 0x40;
    archive.CloseArchive();
    storage.files[kPath] = copy;
    archive.OpenArchive(kPath);
    const int code = CodeOf([&] {
      ReadAll(1);
      archive.CloseEntry();
    });
    EXPECT_TRUE(code == kZipBadCrc || code == -3 || code == -1) << at << ": " << code;
    archive.DiscardEntry();
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
    EXPECT_EQ(CodeOf([&] { archive.OpenArchive(kPath); }), kZipBadArchive);
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
  EXPECT_EQ(CodeOf([&] { archive.OpenArchive(kPath); }), kZipBadArchive);
}

TEST_F(ZipReaderTest, EmptyArchiveHasNoEntries) {
  Open(ZipBuilder{}.Build());
  EXPECT_EQ(archive.GetCount(), 0);
  EXPECT_EQ(DetailOf([&] { archive.OpenEntry(0); }), "it has no entry 0");
  EXPECT_EQ(DetailOf([&] { archive.ExtractEntry(0, "skins", 65535); }), "it has no entry 0");
}

TEST_F(ZipReaderTest, RemovableMultiVolumeArchiveNeedsADiskCallback) {
  std::string bytes = TwoEntries().Build();
  bytes[bytes.size() - 22 + 4] = 2;  // this is volume 2
  bytes[bytes.size() - 22 + 6] = 2;
  storage.removable = true;
  storage.files[kPath] = bytes;
  EXPECT_EQ(CodeOf([&] { archive.OpenArchive(kPath); }), kZipNeedsDiskCallback);
}

TEST_F(ZipReaderTest, KeptPathsCreateEveryFolder) {
  ZipBuilder b;
  b.entries.push_back({.name = "a/b/c.bmp", .data = Pattern(5000), .attributes = 0x21});
  b.entries.push_back({.name = "d/", .data = "", .method = 0, .attributes = 0x12, .folder = true});
  Open(b.Build());
  output.folders.insert("C:\\prog\\skins");
  ASSERT_NO_THROW(archive.ExtractEntry(0, "C:\\prog\\skins\\\\", 65535));
  EXPECT_EQ(output.folders, (std::set<std::string>{"C:\\prog\\skins", "C:\\prog\\skins\\a",
                                                    "C:\\prog\\skins\\a\\b"}));
  EXPECT_EQ(output.files.at("C:\\prog\\skins\\a\\b\\c.bmp"), Pattern(5000));
  EXPECT_EQ(output.attributes.at("C:\\prog\\skins\\a\\b\\c.bmp"), 0x21u);
  ASSERT_NO_THROW(archive.ExtractEntry(1, "C:\\prog\\skins", 100));
  EXPECT_EQ(output.attributes.at("C:\\prog\\skins\\d"), 0x12u);
  ASSERT_NO_THROW(archive.ExtractEntry(0, "C:\\out", 7));
  EXPECT_EQ(output.files.at("C:\\out\\a\\b\\c.bmp"), Pattern(5000));
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
    EXPECT_EQ(CodeOf([&] { archive.ExtractEntry(0, "C:\\prog\\skins", 65535); }), kZipBadArchive);
    EXPECT_TRUE(output.files.empty());
    EXPECT_TRUE(output.folders.empty());
  }
  // Leading backslashes are dropped, and what remains stays inside.
  ZipBuilder b;
  b.entries.push_back({.name = "//server/share/x.txt", .data = "ok", .method = 0});
  b.entries.push_back({.name = "a/./b..c/x.txt", .data = "ok", .method = 0});
  archive.CloseArchive();
  Open(b.Build());
  EXPECT_NO_THROW(archive.ExtractEntry(0, "S", 65535));
  EXPECT_NO_THROW(archive.ExtractEntry(1, "S", 65535));
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
  EXPECT_EQ(DetailOf([&] { archive.ExtractEntry(0, "S", 4); }), "its data ends early");
  EXPECT_EQ(output.files.count("S\\short.txt"), 0u);
  archive.DiscardEntry();
  EXPECT_EQ(ReadAll(0), "0123456789");
  EXPECT_EQ(DetailOf([&] { archive.CloseEntry(); }), "its data ends early");
}

TEST_F(ZipReaderTest, FailuresOnTheOutputSideAreFileSystemErrors) {
  Open(TwoEntries().Build());
  output.readOnlyFiles.insert("S\\one.txt");
  EXPECT_THROW(archive.ExtractEntry(0, "S", 65535), FileSystemError);
  EXPECT_EQ(DetailOf([&] { archive.OpenEntry(1); }), "another entry is open")
      << "the failed entry stays open";
  archive.DiscardEntry();
  EXPECT_NO_THROW(archive.ExtractEntry(1, "S", 65535));
}

// Every place a Zip64 value can come from, alone and together, with and without a stub in
// front: the data and the sizes read back as they were written.
TEST_F(ZipReaderTest, Zip64RecordsAndExtraFieldsAreRead) {
  for (int variant = 0; variant < 16; ++variant) {
    const bool entry64 = variant & 1, end64 = variant & 2, stub = variant & 4,
               descriptor = variant & 8;
    SCOPED_TRACE(::testing::Message() << "entry64 " << entry64 << " end64 " << end64 << " stub "
                                    << stub << " descriptor " << descriptor);
    ZipBuilder b;
    b.password = "plovardik3817";
    b.zip64End = end64;
    if (stub) b.stub = Pattern(333, 5);
    b.entries.push_back({.name = "a.bin", .data = Pattern(90000, 2), .descriptor = descriptor,
                         .zip64 = entry64});
    b.entries.push_back({.name = "b.txt", .data = "stored", .method = 0, .encrypt = true,
                         .descriptor = descriptor, .zip64 = entry64});
    b.entries.push_back({.name = "c/", .method = 0, .attributes = 0, .zip64 = entry64});
    archive.CloseArchive();
    Open(b.Build(), "plovardik3817");
    ASSERT_EQ(archive.GetCount(), 3);
    EXPECT_EQ(archive.BytesBeforeArchive(), stub ? 333u : 0u);
    EXPECT_EQ(archive.GetEntry(0).uncompressedSize, 90000u);
    EXPECT_EQ(archive.GetEntry(1).compressedSize, 6u + 12u);
    EXPECT_GT(archive.GetEntry(1).localOffset, 0u);
    EXPECT_FALSE(archive.Overlapping());
    EXPECT_EQ(ReadAll(0), Pattern(90000, 2));
    EXPECT_NO_THROW(archive.CloseEntry());
    EXPECT_EQ(ReadAll(1), "stored");
    EXPECT_NO_THROW(archive.CloseEntry());
    EXPECT_TRUE(archive.GetEntry(2).IsFolder());
  }
}

// A field of the end record that is not saturated must say what the Zip64 record says.
TEST_F(ZipReaderTest, Zip64RecordsThatContradictOrCannotBeFoundAreDamage) {
  ZipBuilder b = TwoEntries();
  b.zip64End = true;
  const std::string good = b.Build();
  const size_t end = good.size() - 22, locator = end - 20, record = locator - 56;
  auto patched = [&](size_t at, std::initializer_list<uint8_t> bytes) {
    std::string copy = good;
    for (uint8_t byte : bytes) copy[at++] = static_cast<char>(byte);
    return copy;
  };
  const std::string cases[] = {
      patched(end + 10, {3, 0}),           // end record: 3 entries, Zip64 record: 2
      patched(end + 12, {0x10, 0, 0, 0}),  // directory size
      patched(record, {'P', 'K', 9, 9}),   // Zip64 record signature (the locator's offset too)
      patched(record + 4, {45, 0}),        // Zip64 record size running into the locator
      patched(record + 32, {3}),           // Zip64 entry count larger than the directory holds
      patched(record + 32, {1}),           // and smaller
  };
  for (const std::string& bytes : cases) {
    storage.files[kPath] = bytes;
    EXPECT_EQ(CodeOf([&] { archive.OpenArchive(kPath); }), kZipBadArchive);
    EXPECT_FALSE(archive.IsOpen());
  }
  storage.files[kPath] = good;
  archive.OpenArchive(kPath);
  EXPECT_EQ(archive.GetCount(), 2);
}

// Tools write folders as names ending in a separator, often without the directory attribute.
TEST_F(ZipReaderTest, NamesEndingInASeparatorAreFolders) {
  ZipBuilder b;
  b.entries.push_back({.name = "plain/", .method = 0, .attributes = 0});
  b.entries.push_back({.name = "back\\slash\\", .method = 0, .attributes = 0x01800000});
  b.entries.push_back({.name = "plain/inner.txt", .data = "inner", .method = 0});
  Open(b.Build());
  for (int i = 0; i < 3; ++i) {
    ASSERT_NO_THROW(archive.ExtractEntry(i, "S", 65535)) << i;
  }
  EXPECT_EQ(output.folders, (std::set<std::string>{"S", "S\\plain", "S\\back", "S\\back\\slash"}));
  EXPECT_EQ(output.files, (std::map<std::string, std::string>{{"S\\plain\\inner.txt", "inner"}}));
}

// Names flagged UTF-8 go through the storage's UTF-8 conversion, others through the OEM one;
// a name that cannot be converted is refused when its entry is extracted, not when listed.
TEST_F(ZipReaderTest, Utf8FlaggedNamesAreConvertedOrRefused) {
  ZipBuilder b;
  b.entries.push_back({.name = "caf\xC3\xA9.ini", .data = "utf8", .method = 0, .utf8 = true});
  b.entries.push_back({.name = "bad\xC3(.ini", .data = "bad", .method = 0, .utf8 = true});
  b.entries.push_back({.name = "over\xC0\xAF.ini", .data = "overlong", .method = 0, .utf8 = true});
  b.entries.push_back({.name = "oem\x82.ini", .data = "oem", .method = 0});
  Open(b.Build());
  EXPECT_EQ(archive.GetEntry(0).name, "caf\xC3\xA9.ini");
  EXPECT_FALSE(archive.GetEntry(0).nameUnusable);
  EXPECT_TRUE(archive.GetEntry(1).nameUnusable);
  EXPECT_TRUE(archive.GetEntry(2).nameUnusable);
  EXPECT_EQ(archive.GetEntry(3).name, "oem\x82.ini");
  EXPECT_NO_THROW(archive.ExtractEntry(0, "S", 65535));
  for (int i : {1, 2}) {
    EXPECT_EQ(CodeOf([&] { archive.ExtractEntry(i, "S", 65535); }), kZipBadArchive);
  }
  EXPECT_EQ(output.files.size(), 1u);
}

// Each form of a device name, in the file name or a folder, refused before anything is made.
TEST_F(ZipReaderTest, DeviceNamesAreRefusedInEveryForm) {
  const char* devices[] = {
      "CON",        "con",          "Con.txt",       "PRN.ini",     "aux",
      "NUL",        "nul.tar.gz",   "COM1",          "com9.bmp",    "COM0",
      "lpt1",       "LPT9.txt",     "LpT5",          "a/COM1/x.txt", "a/b/nul/c.ini",
      "NUL.",       "CON...",       "COM1 ",         "COM2 .txt",   "LPT3.  ",
      "aux /x.txt", "con.d/x.txt",  "CONIN$",        "conout$.log", "COM\xB9",
      "lpt\xC2\xB2.txt", "prn\\x.txt", "folder/AUX/",
  };
  for (const char* name : devices) {
    SCOPED_TRACE(name);
    ZipBuilder b;
    b.entries.push_back({.name = name, .data = "to a device", .method = 0});
    archive.CloseArchive();
    output.folders.clear();
    Open(b.Build());
    EXPECT_EQ(CodeOf([&] { archive.ExtractEntry(0, "S", 65535); }), kZipBadArchive);
    EXPECT_TRUE(output.files.empty());
    EXPECT_TRUE(output.folders.empty());
  }
  // Names that only look like devices are files like any other.
  const char* ordinary[] = {"CONSOLE.txt", "com10.ini", "LPT.bmp", "nul_x", "auxiliary",
                            "a.con",       "COMA",      "xNUL",    " CON",  "com1x/y.txt"};
  for (const char* name : ordinary) {
    SCOPED_TRACE(name);
    ZipBuilder b;
    b.entries.push_back({.name = name, .data = "file", .method = 0});
    archive.CloseArchive();
    Open(b.Build());
    EXPECT_NO_THROW(archive.ExtractEntry(0, "S", 65535));
  }
  EXPECT_EQ(output.files.size(), std::size(ordinary));
}

void SetLe32(std::string& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}

// Data that two entries share, or that runs into the next header or the directory, makes the
// whole archive unusable: every entry is refused, nothing is written.
TEST_F(ZipReaderTest, OverlappingEntriesAreRefused) {
  ZipBuilder b;
  b.entries.push_back({.name = "a.txt", .data = Pattern(3000, 1), .method = 0});
  b.entries.push_back({.name = "b.bin", .data = Pattern(50000, 2)});
  b.entries.push_back({.name = "c.txt", .data = "third", .method = 0});
  const std::string good = b.Build();
  const size_t secondLocal = 30 + 5 + 3000, thirdLocal = good.find("PK\x03\x04", secondLocal + 4);
  const size_t central = good.find("PK\x01\x02");
  const size_t centralA = central, centralC = good.rfind("PK\x01\x02");

  ZipBuilder shared = b;
  shared.entries[2].sameDataAs = 1;  // the quoted zip bomb: one local record, many entries
  std::string intoNext = good;       // a.txt's stored data claims 10 bytes of b's header
  for (size_t at : {size_t{18}, size_t{22}, centralA + 20, centralA + 24}) SetLe32(intoNext, at, 3010);
  std::string intoDirectory = good;  // c.txt runs into the central directory
  for (size_t at : {thirdLocal + 18, thirdLocal + 22, centralC + 20, centralC + 24}) {
    SetLe32(intoDirectory, at, static_cast<uint32_t>(central - thirdLocal - 35 + 1));
  }
  std::string localExtra = good;     // only the local extra field pushes a.txt into b
  localExtra[28] = 8;
  ZipBuilder noRoomForDescriptor;
  noRoomForDescriptor.entries.push_back({.name = "d.txt", .data = "x", .method = 0, .descriptor = true});
  noRoomForDescriptor.entries.push_back({.name = "e.txt", .data = "y", .method = 0});
  std::string descriptor = noRoomForDescriptor.Build();
  descriptor.erase(30 + 5 + 1, 16);  // drop the descriptor, then mend the offsets behind it
  const size_t dCentral = descriptor.find("PK\x01\x02"), eCentral = descriptor.rfind("PK\x01\x02");
  SetLe32(descriptor, eCentral + 42, 30 + 5 + 1);
  SetLe32(descriptor, descriptor.size() - 22 + 16, static_cast<uint32_t>(dCentral));

  const struct {
    const char* what;
    std::string bytes;
    bool seenInDirectory;
  } cases[] = {
      {"shared data", shared.Build(), true},
      {"into the next header", intoNext, true},
      {"into the directory", intoDirectory, true},
      {"local extra field", localExtra, false},
      {"no room for the descriptor", descriptor, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    archive.CloseArchive();
    output.files.clear();
    Open(c.bytes);
    EXPECT_EQ(archive.Overlapping(), c.seenInDirectory);
    EXPECT_EQ(CodeOf([&] { archive.ExtractEntry(0, "S", 65535); }), kZipBadArchive);
    if (c.seenInDirectory) {
      for (int i = 0; i < archive.GetCount(); ++i) {
        EXPECT_EQ(CodeOf([&] { archive.OpenEntry(i); }), kZipBadArchive) << i;
      }
    }
    EXPECT_TRUE(output.files.empty());
  }
  archive.CloseArchive();
  Open(good);
  EXPECT_FALSE(archive.Overlapping());
  for (int i = 0; i < 3; ++i) EXPECT_NO_THROW(archive.ExtractEntry(i, "S", 65535));
}

// Deflated data that inflates past its declared size, or stored data longer than it, is
// stopped with -101 and leaves no file; data shorter than declared still ends early.
TEST_F(ZipReaderTest, DataBeyondTheDeclaredSizeIsRefused) {
  const struct {
    const char* what;
    BuildEntry entry;
    const char* detail;  // of the -101 every case raises
  } cases[] = {
      {"deflated, declared 1000 of 400000", {.name = "bomb.bin", .data = std::string(400000, 'z'), .declaredSize = 1000}, ""},
      {"deflated, declared nothing", {.name = "zero.bin", .data = Pattern(5000), .declaredSize = 0}, ""},
      {"deflated, one byte more", {.name = "one.bin", .data = Pattern(70000), .declaredSize = 69999}, ""},
      {"encrypted deflated", {.name = "enc.bin", .data = std::string(300000, 'q'), .encrypt = true, .declaredSize = 4096}, ""},
      {"stored, declared 10 of 20", {.name = "s.bin", .data = Pattern(20), .method = 0, .declaredSize = 10}, ""},
      {"deflated, declared more", {.name = "short.bin", .data = Pattern(5000), .declaredSize = 6000}, "its data ends early"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ZipBuilder b;
    b.password = "plovardik3817";
    b.entries.push_back(c.entry);
    archive.CloseArchive();
    Open(b.Build(), "plovardik3817");
    const ZipError error = ErrorOf([&] { archive.ExtractEntry(0, "S", 65535); });
    EXPECT_EQ(error.Code(), kZipBadArchive);
    EXPECT_EQ(error.Detail(), c.detail);
    EXPECT_TRUE(output.files.empty());
    archive.DiscardEntry();
  }
}

// An end record that counts fewer (or more) headers than its directory holds is damage: a
// shorter count would install part of the package and report success.
TEST_F(ZipReaderTest, CountsThatDisagreeWithTheDirectoryAreDamage) {
  ZipBuilder b = TwoEntries();
  b.entries.push_back({.name = "three.txt", .data = "3", .method = 0});
  for (bool zip64 : {false, true}) {
    for (int64_t count : {1, 2, 4, 1000}) {
      SCOPED_TRACE(::testing::Message() << "zip64 " << zip64 << " count " << count);
      b.zip64End = zip64;
      b.countOverride = count;
      storage.files[kPath] = b.Build();
      EXPECT_EQ(CodeOf([&] { archive.OpenArchive(kPath); }), kZipBadArchive);
    }
  }
  b.zip64End = false;
  b.countOverride = -1;
  std::string volumeCount = b.Build();
  volumeCount[volumeCount.size() - 22 + 8] = 2;  // entries on this volume: 2 of 3
  storage.files[kPath] = volumeCount;
  EXPECT_EQ(CodeOf([&] { archive.OpenArchive(kPath); }), kZipBadArchive);
}

// The declared sizes of the files (folders take nothing) against the drive's free space.
TEST_F(ZipReaderTest, DeclaredSizesAreCheckedAgainstFreeSpace) {
  ZipBuilder b = TwoEntries();
  b.entries.push_back({.name = "d/", .method = 0, .folder = true, .declaredSize = 1 << 30});
  Open(b.Build());
  EXPECT_EQ(archive.DeclaredSize(), 200011u);
  output.freeSpace = 200011;
  EXPECT_NO_THROW(archive.CheckFreeSpace("C:\\prog\\skins"));
  EXPECT_EQ(output.freeSpaceAskedFor, "C:\\prog\\skins");
  output.freeSpace = 200010;
  try {
    archive.CheckFreeSpace("C:\\prog\\skins");
    ADD_FAILURE() << "no error";
  } catch (const FileSystemError& e) {
    EXPECT_EQ(e.SystemError(), kDiskFullError);
  }
  // Declared sizes near 2^64 add up without wrapping around.
  ZipBuilder huge;
  for (int i = 0; i < 3; ++i) {
    huge.entries.push_back({.name = "h" + std::to_string(i), .data = "x", .method = 8,
                            .zip64 = true, .declaredSize = INT64_MAX});
  }
  archive.CloseArchive();
  Open(huge.Build());
  EXPECT_EQ(archive.DeclaredSize(), UINT64_MAX);
  output.freeSpace = UINT64_MAX - 1;
  EXPECT_THROW(archive.CheckFreeSpace("S"), FileSystemError);
}

// A symbolic link stored by a Unix tool is a small file holding the link text; a later entry
// that goes through it finds a file where a folder would have to be.
TEST_F(ZipReaderTest, LinkEntriesAreFilesAndNothingPassesThroughThem) {
  ZipBuilder b;
  b.entries.push_back({.name = "up", .data = "../..", .method = 0, .attributes = 0xA1FF0000});
  b.entries.push_back({.name = "up/evil.txt", .data = "evil", .method = 0});
  b.entries.push_back({.name = "up/deeper/evil.txt", .data = "evil", .method = 0});
  Open(b.Build());
  output.folders.insert("S");
  ASSERT_NO_THROW(archive.ExtractEntry(0, "S", 65535));
  EXPECT_EQ(output.files.at("S\\up"), "../..");
  for (int i : {1, 2}) {
    EXPECT_THROW(archive.ExtractEntry(i, "S", 65535), FileSystemError);
    archive.DiscardEntry();
  }
  EXPECT_EQ(output.files.size(), 1u);
  EXPECT_EQ(output.folders, std::set<std::string>{"S"});
}

}  // namespace
}  // namespace skininstall::testing

namespace skininstall::testing {
namespace {

// Which end record is taken: the one whose comment reaches the end of the file, whatever the
// comment holds; trailing bytes only when no record reaches the end.
TEST_F(ZipReaderTest, EndRecordIsTheOneWhoseCommentReachesTheEnd) {
  ZipBuilder hidden;
  hidden.entries.push_back({.name = "hidden.txt", .data = "hidden", .method = 0});
  const std::string fakeEnd = std::string("PK\x05\x06", 4) + std::string(18, '\0');
  struct Case {
    const char* what;
    std::string comment, trailing;
    int code;
  };
  const Case cases[] = {
      {"fake end records in the comment", fakeEnd + "x" + fakeEnd, "", 0},
      {"a whole archive in the comment", hidden.Build(), "", 0},
      {"a stray signature in the comment", "see PK\x05\x06 here", "", 0},
      {"bytes after the archive", "", std::string(100, 'z'), 0},
      {"a comment longer than the file", "", "", kZipBadArchive},
      {"a cut-short record behind the archive", "",
       std::string("PK\x05\x06", 4) + std::string(18, '\0'), kZipBadArchive},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ZipBuilder b = TwoEntries();
    b.comment = c.comment;
    std::string bytes = b.Build() + c.trailing;
    if (c.code) bytes[bytes.size() - 2] = 9;  // comment length 9 with nothing behind
    archive.CloseArchive();
    storage.files[kPath] = bytes;
    ASSERT_EQ(CodeOf([&] { archive.OpenArchive(kPath); }), c.code);
    if (c.code) continue;
    ASSERT_EQ(archive.GetCount(), 2);
    EXPECT_EQ(archive.GetComment(), c.comment);
    EXPECT_EQ(ReadAll(0), "first entry");
    archive.CloseEntry();
  }
}

// The locator signature in front of a plain end record, in the last central comment, is
// believed only when its fields and the record it points at make sense.
TEST_F(ZipReaderTest, LocatorSignatureBeforeAPlainEndRecordIsNotZip64) {
  std::string locator = std::string("PK\x06\x07", 4);
  locator += std::string("\x05\0\0\0", 4) + std::string(8, '\0') + std::string("\x01\0\0\0", 4);
  std::string pointsNowhere = std::string("PK\x06\x07", 4) + std::string(4, '\0') +
                              std::string(8, '\0') + std::string("\x01\0\0\0", 4);
  for (const std::string& comment : {locator, pointsNowhere}) {
    ZipBuilder b = TwoEntries();
    b.entries[1].comment = comment;
    archive.CloseArchive();
    Open(b.Build());
    EXPECT_EQ(archive.GetCount(), 2);
    EXPECT_EQ(ReadAll(1), Pattern(200000));
    EXPECT_NO_THROW(archive.CloseEntry());
  }
  // 65,535 entries fill the count field without saturating it, and one more wraps it to 0:
  // some writers add no Zip64 end for either.
  ZipBuilder full;
  for (int i = 0; i < 65535; ++i) full.entries.push_back({.name = std::to_string(i), .method = 0});
  for (int count : {65535, 65536}) {
    if (count == 65536) full.entries.push_back({.name = "last", .method = 0});
    archive.CloseArchive();
    Open(full.Build());
    EXPECT_EQ(archive.GetCount(), count);
  }
}

// Split archives, folder attributes on data, names Windows trims or cannot hold, paths too long.
TEST_F(ZipReaderTest, EntriesWindowsCannotTakeAsTheyAreStopBeforeAnythingIsMade) {
  std::string split = TwoEntries().Build();
  split[split.size() - 22 + 4] = 1;  // this is volume 1, the directory on volume 0
  storage.files[kPath] = split;
  archive.SetOneFileOnly(true);
  EXPECT_EQ(CodeOf([&] { archive.OpenArchive(kPath); }), kZipBadArchive);
  archive.SetOneFileOnly(false);

  ZipBuilder b;
  b.entries.push_back({.name = "data.bmp", .data = "kept", .method = 0, .folder = true});
  b.entries.push_back({.name = "skin.ini. ", .data = "trimmed", .method = 0});
  b.entries.push_back({.name = "dir/", .data = "lost", .method = 0});
  b.entries.push_back({.name = "what?.bmp", .data = "x", .method = 0});
  b.entries.push_back({.name = "tab\t.bmp", .data = "x", .method = 0});
  b.entries.push_back({.name = std::string(120, 'f') + "/" + std::string(140, 'g'), .data = "x"});
  b.entries.push_back({.name = "x.bz2", .data = "BZh9", .method = 0, .labelMethod = 12});
  Open(b.Build());
  ASSERT_NO_THROW(archive.ExtractEntry(0, "S", 65535));
  EXPECT_EQ(output.files.at("S\\data.bmp"), "kept");
  EXPECT_EQ(output.attributes.at("S\\data.bmp"), 0x20u);
  ASSERT_NO_THROW(archive.ExtractEntry(1, "S", 65535));
  EXPECT_EQ(output.files.at("S\\skin.ini"), "trimmed");
  const std::map<int, std::string> details = {{2, "a folder name holds data"},
                                              {3, "Windows cannot hold its name"},
                                              {4, "Windows cannot hold its name"},
                                              {5, "its path is too long for Windows"},
                                              {6, "it is compressed with method 12, which is not supported"}};
  for (const auto& [index, detail] : details) {
    EXPECT_EQ(DetailOf([&, i = index] { archive.ExtractEntry(i, "S", 65535); }), detail) << index;
    archive.DiscardEntry();
  }
  EXPECT_EQ(output.files.size(), 2u);
  EXPECT_EQ(output.folders, (std::set<std::string>{"S"}));
}

// Names Windows takes for one: the later entry is named, and nothing has been written.
TEST_F(ZipReaderTest, NamesThatWindowsFoldsTogetherAreFoundBeforeExtraction) {
  struct Case {
    std::vector<std::string> names;
    int collides;  // the entry found, -1 for none
  };
  const Case cases[] = {
      {{"skin.ini", "SKIN.INI"}, 1},       {{"skin.ini", "skin.ini."}, 1},
      {{"a/b.bmp", "a\\b.bmp"}, 1},        {{"x.bmp", "y.bmp", "x.bmp"}, 2},
      {{"a", "A/b.bmp"}, 1},               {{"a/b.bmp", "A"}, 1},
      {{"dir/", "DIR/", "dir/x"}, -1},     {{"a.bmp", "a.bmp.bak", "a"}, -1},
  };
  for (const Case& c : cases) {
    ZipBuilder b;
    for (const std::string& name : c.names) b.entries.push_back({.name = name, .method = 0,
                                                                 .folder = name.back() == '/'});
    archive.CloseArchive();
    Open(b.Build());
    const std::optional<InstallFailure> found = FindFoldedCollision(archive, output);
    EXPECT_EQ(found ? found->entry : -1, c.collides) << c.names.front() << " " << c.names.back();
  }
  EXPECT_TRUE(output.files.empty());
}

}  // namespace
}  // namespace skininstall::testing
