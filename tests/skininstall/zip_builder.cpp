// Writes ZIP archives in memory.
#include "skininstall/zip_builder.h"

#include <zlib.h>

#include <stdexcept>

#include "skininstall/zip_crypto.h"

namespace skininstall::testing {
namespace {

void Put16(std::string& out, uint32_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>((v >> 8) & 0xFF));
}
void Put32(std::string& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}
void Put64(std::string& out, uint64_t v) {
  Put32(out, static_cast<uint32_t>(v));
  Put32(out, static_cast<uint32_t>(v >> 32));
}

constexpr uint32_t kSaturated = 0xFFFFFFFF;

struct Written {
  uint64_t offset, size, compressed;
  uint32_t crc;
  uint16_t flags, method;
};

std::string Encrypt(const BuildEntry& e, const std::string& password, const std::string& body,
                    uint32_t crc) {
  ZipKeys keys(password);
  std::string header(12, '\x5A');
  for (size_t i = 0; i < 11; ++i) header[i] = static_cast<char>(i * 37 + 11);
  header[11] = static_cast<char>(e.descriptor ? (e.time >> 8) : (crc >> 24));
  std::string all = header + body;
  keys.Encrypt(reinterpret_cast<uint8_t*>(all.data()), all.size());
  return all;
}

// The Zip64 extra field with the values whose 32-bit fields are saturated.
std::string Zip64Extra(const Written& w, bool withOffset) {
  std::string data;
  Put64(data, w.size);
  Put64(data, w.compressed);
  if (withOffset) Put64(data, w.offset);
  std::string extra;
  Put16(extra, 0x0001);
  Put16(extra, static_cast<uint32_t>(data.size()));
  return extra + data;
}

Written WriteLocal(std::string& out, const BuildEntry& e, const std::string& password) {
  Written w{};
  w.offset = out.size();
  w.crc = Crc32(0, e.data.data(), e.data.size());
  w.size = e.declaredSize >= 0 ? static_cast<uint64_t>(e.declaredSize) : e.data.size();
  std::string body = e.method == 8 ? Deflate(e.data) : e.data;
  if (e.encrypt) body = Encrypt(e, password, body, w.crc);
  w.compressed = body.size();
  w.flags = static_cast<uint16_t>((e.encrypt ? 1 : 0) | (e.descriptor ? 8 : 0) |
                                  (e.utf8 ? 0x800 : 0));
  w.method = e.labelMethod ? e.labelMethod : e.method;
  const std::string extra = e.zip64 ? Zip64Extra(e.descriptor ? Written{} : w, false) : "";
  Put32(out, 0x04034B50);
  Put16(out, e.zip64 ? 45 : 20);
  Put16(out, w.flags);
  Put16(out, w.method);
  Put16(out, e.time);
  Put16(out, e.date);
  Put32(out, e.descriptor ? 0 : w.crc);
  Put32(out, e.zip64 ? kSaturated : e.descriptor ? 0 : static_cast<uint32_t>(w.compressed));
  Put32(out, e.zip64 ? kSaturated : e.descriptor ? 0 : static_cast<uint32_t>(w.size));
  Put16(out, static_cast<uint32_t>(e.name.size()));
  Put16(out, static_cast<uint32_t>(extra.size()));
  out += e.name + extra + body;
  if (e.descriptor) {
    Put32(out, 0x08074B50);
    Put32(out, w.crc);
    if (e.zip64) {
      Put64(out, w.compressed);
      Put64(out, w.size);
    } else {
      Put32(out, static_cast<uint32_t>(w.compressed));
      Put32(out, static_cast<uint32_t>(w.size));
    }
  }
  return w;
}

void WriteCentral(std::string& out, const BuildEntry& e, const Written& w) {
  const std::string extra = e.zip64 ? Zip64Extra(w, true) : "";
  Put32(out, 0x02014B50);
  Put16(out, 20);
  Put16(out, e.zip64 ? 45 : 20);
  Put16(out, w.flags);
  Put16(out, w.method);
  Put16(out, e.time);
  Put16(out, e.date);
  Put32(out, w.crc);
  Put32(out, e.zip64 ? kSaturated : static_cast<uint32_t>(w.compressed));
  Put32(out, e.zip64 ? kSaturated : static_cast<uint32_t>(w.size));
  Put16(out, static_cast<uint32_t>(e.name.size()));
  Put16(out, static_cast<uint32_t>(extra.size()));
  Put16(out, static_cast<uint32_t>(e.comment.size()));
  Put16(out, 0);
  Put16(out, 0);
  Put32(out, e.attributes | (e.folder ? 0x10 : 0));
  Put32(out, e.zip64 ? kSaturated : static_cast<uint32_t>(w.offset));
  out += e.name + extra + e.comment;
}

}  // namespace

std::string Deflate(const std::string& data) {
  z_stream s{};
  if (deflateInit2(&s, 6, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
    throw std::runtime_error("deflateInit2");
  }
  std::string out(deflateBound(&s, static_cast<uLong>(data.size())), '\0');
  s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  s.avail_in = static_cast<uInt>(data.size());
  s.next_out = reinterpret_cast<Bytef*>(out.data());
  s.avail_out = static_cast<uInt>(out.size());
  deflate(&s, Z_FINISH);
  out.resize(s.total_out);
  deflateEnd(&s);
  return out;
}

std::string ZipBuilder::Build() const {
  std::string body;
  std::vector<Written> written;
  for (const BuildEntry& e : entries) written.push_back(WriteLocal(body, e, password));
  std::string central;
  for (size_t i = 0; i < entries.size(); ++i) {
    Written w = written[i];
    if (entries[i].sameDataAs >= 0) w.offset = written[static_cast<size_t>(entries[i].sameDataAs)].offset;
    WriteCentral(central, entries[i], w);
  }
  const uint64_t count = countOverride >= 0 ? static_cast<uint64_t>(countOverride) : entries.size();
  std::string out = stub + body + central;
  if (zip64End) {
    const uint64_t recordOffset = body.size() + central.size();
    Put32(out, 0x06064B50);
    Put64(out, 44);
    Put16(out, 45);
    Put16(out, 45);
    Put32(out, 0);
    Put32(out, 0);
    Put64(out, count);
    Put64(out, count);
    Put64(out, central.size());
    Put64(out, body.size());
    Put32(out, 0x07064B50);
    Put32(out, 0);
    Put64(out, recordOffset);
    Put32(out, 1);
  }
  Put32(out, 0x06054B50);
  Put16(out, 0);
  Put16(out, 0);
  Put16(out, zip64End ? 0xFFFF : static_cast<uint32_t>(count));
  Put16(out, zip64End ? 0xFFFF : static_cast<uint32_t>(count));
  Put32(out, zip64End ? kSaturated : static_cast<uint32_t>(central.size()));
  Put32(out, zip64End ? kSaturated : static_cast<uint32_t>(body.size()));
  Put16(out, static_cast<uint32_t>(comment.size()));
  return out + comment;
}

}  // namespace skininstall::testing
