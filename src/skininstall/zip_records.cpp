// Decoding of the ZIP format's fixed-size records and of the Zip64 extra field.
#include "skininstall/zip_records.h"

namespace skininstall {

EndRecord ParseEndRecord(const uint8_t* p) {
  EndRecord r;
  r.signature = Le32(p);
  r.thisVolume = Le16(p + 4);
  r.directoryVolume = Le16(p + 6);
  r.volumeEntries = Le16(p + 8);
  r.totalEntries = Le16(p + 10);
  r.directorySize = Le32(p + 12);
  r.directoryOffset = Le32(p + 16);
  r.commentLength = Le16(p + 20);
  return r;
}

Zip64Locator ParseZip64Locator(const uint8_t* p) {
  Zip64Locator l;
  l.signature = Le32(p);
  l.endVolume = Le32(p + 4);
  l.endOffset = Le64(p + 8);
  l.volumeCount = Le32(p + 16);
  return l;
}

Zip64EndRecord ParseZip64EndRecord(const uint8_t* p) {
  Zip64EndRecord r;
  r.signature = Le32(p);
  r.recordSize = Le64(p + 4);
  r.versionMadeBy = Le16(p + 12);
  r.versionNeeded = Le16(p + 14);
  r.thisVolume = Le32(p + 16);
  r.directoryVolume = Le32(p + 20);
  r.volumeEntries = Le64(p + 24);
  r.totalEntries = Le64(p + 32);
  r.directorySize = Le64(p + 40);
  r.directoryOffset = Le64(p + 48);
  return r;
}

ZipEntry ParseCentralHeader(const uint8_t* p) {
  ZipEntry e;
  e.signature = Le32(p);
  e.versionMadeBy = Le16(p + 4);
  e.versionNeeded = Le16(p + 6);
  e.flags = Le16(p + 8);
  e.method = Le16(p + 10);
  e.modTime = Le16(p + 12);
  e.modDate = Le16(p + 14);
  e.crc = Le32(p + 16);
  e.compressedSize = Le32(p + 20);
  e.uncompressedSize = Le32(p + 24);
  e.nameLength = Le16(p + 28);
  e.extraLength = Le16(p + 30);
  e.commentLength = Le16(p + 32);
  e.diskStart = Le16(p + 34);
  e.internalAttributes = Le16(p + 36);
  e.externalAttributes = Le32(p + 38);
  e.localOffset = Le32(p + 42);
  return e;
}

LocalHeader ParseLocalHeader(const uint8_t* p) {
  LocalHeader h;
  h.signature = Le32(p);
  h.versionNeeded = Le16(p + 4);
  h.flags = Le16(p + 6);
  h.method = Le16(p + 8);
  h.modTime = Le16(p + 10);
  h.modDate = Le16(p + 12);
  h.crc = Le32(p + 14);
  h.compressedSize = Le32(p + 18);
  h.uncompressedSize = Le32(p + 22);
  h.nameLength = Le16(p + 26);
  h.extraLength = Le16(p + 28);
  return h;
}

bool ApplyZip64Extra(const std::string& extra, const Zip64Fields& fields) {
  if (fields.present) *fields.present = false;
  const auto* bytes = reinterpret_cast<const uint8_t*>(extra.data());
  size_t at = 0;
  // Blocks of id, length and data; a block that runs past the field ends the search, as
  // some tools pad the extra field.
  while (at + 4 <= extra.size()) {
    const uint16_t id = Le16(bytes + at);
    const size_t length = Le16(bytes + at + 2);
    if (at + 4 + length > extra.size()) break;
    if (id == kZip64ExtraId) {
      if (fields.present) *fields.present = true;
      const uint8_t* data = bytes + at + 4;
      size_t used = 0;
      for (uint64_t* value : {fields.uncompressedSize, fields.compressedSize, fields.offset}) {
        if (!value || *value != kSaturated32) continue;
        if (used + 8 > length) return false;
        *value = Le64(data + used);
        used += 8;
      }
      if (fields.disk && *fields.disk == kSaturated16) {
        if (used + 4 > length) return false;
        *fields.disk = Le32(data + used);
      }
      return true;
    }
    at += 4 + length;
  }
  return true;
}

bool ExtraFieldIsWhole(const std::string& extra) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(extra.data());
  size_t at = 0;
  while (at + 4 <= extra.size() && at + 4 + Le16(bytes + at + 2) <= extra.size()) {
    at += 4 + Le16(bytes + at + 2);
  }
  return extra.find_first_not_of('\0', at) == std::string::npos;
}

}  // namespace skininstall
