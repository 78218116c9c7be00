// Decoding of the ZIP format's fixed-size records and of the Zip64 extra field.
#include "skininstall/zip_records.h"

namespace skininstall {

namespace {

// The local header's fields from `p` on: 4 bytes into the local header, 6 into the central one.
void ParseHeaderFields(const uint8_t* p, HeaderFields& h) {
  h = {Le16(p), Le16(p + 2), Le16(p + 4), Le16(p + 6), Le16(p + 8),
       Le32(p + 10), Le32(p + 14), Le32(p + 18), Le16(p + 22), Le16(p + 24)};
}

}  // namespace

EndRecord ParseEndRecord(const uint8_t* p) {
  return {Le32(p), {Le16(p + 4), Le16(p + 6), Le16(p + 8), Le16(p + 10), Le32(p + 12), Le32(p + 16)},
          Le16(p + 20)};
}

Zip64Locator ParseZip64Locator(const uint8_t* p) {
  return {Le32(p), Le32(p + 4), Le64(p + 8), Le32(p + 16)};
}

Zip64EndRecord ParseZip64EndRecord(const uint8_t* p) {
  return {Le32(p), Le64(p + 4),
          {Le32(p + 16), Le32(p + 20), Le64(p + 24), Le64(p + 32), Le64(p + 40), Le64(p + 48)}};
}

ZipEntry ParseCentralHeader(const uint8_t* p) {
  ZipEntry e;
  ParseHeaderFields(p + 6, e);
  e.signature = Le32(p);
  e.versionMadeBy = Le16(p + 4);
  e.commentLength = Le16(p + 32);
  e.diskStart = Le16(p + 34);
  e.internalAttributes = Le16(p + 36);
  e.externalAttributes = Le32(p + 38);
  e.localOffset = Le32(p + 42);
  return e;
}

LocalHeader ParseLocalHeader(const uint8_t* p) {
  LocalHeader h;
  ParseHeaderFields(p + 4, h);
  h.signature = Le32(p);
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
