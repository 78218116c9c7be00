// Decoding of the ZIP format's fixed-size records.
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

}  // namespace skininstall
