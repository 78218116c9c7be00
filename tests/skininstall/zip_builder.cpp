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

struct Written {
  uint32_t offset, crc, compressed, size;
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

Written WriteLocal(std::string& out, const BuildEntry& e, const std::string& password) {
  Written w{};
  w.offset = static_cast<uint32_t>(out.size());
  w.crc = Crc32(0, e.data.data(), e.data.size());
  w.size = static_cast<uint32_t>(e.data.size());
  std::string body = e.method == 8 ? Deflate(e.data) : e.data;
  if (e.encrypt) body = Encrypt(e, password, body, w.crc);
  w.compressed = static_cast<uint32_t>(body.size());
  w.flags = static_cast<uint16_t>((e.encrypt ? 1 : 0) | (e.descriptor ? 8 : 0));
  w.method = e.labelMethod ? e.labelMethod : e.method;
  Put32(out, 0x04034B50);
  Put16(out, 20);
  Put16(out, w.flags);
  Put16(out, w.method);
  Put16(out, e.time);
  Put16(out, e.date);
  Put32(out, e.descriptor ? 0 : w.crc);
  Put32(out, e.descriptor ? 0 : w.compressed);
  Put32(out, e.descriptor ? 0 : w.size);
  Put16(out, static_cast<uint32_t>(e.name.size()));
  Put16(out, 0);
  out += e.name + body;
  if (e.descriptor) {
    Put32(out, 0x08074B50);
    Put32(out, w.crc);
    Put32(out, w.compressed);
    Put32(out, w.size);
  }
  return w;
}

void WriteCentral(std::string& out, const BuildEntry& e, const Written& w) {
  Put32(out, 0x02014B50);
  Put16(out, 20);
  Put16(out, 20);
  Put16(out, w.flags);
  Put16(out, w.method);
  Put16(out, e.time);
  Put16(out, e.date);
  Put32(out, w.crc);
  Put32(out, w.compressed);
  Put32(out, w.size);
  Put16(out, static_cast<uint32_t>(e.name.size()));
  Put16(out, 0);
  Put16(out, 0);
  Put16(out, 0);
  Put16(out, 0);
  Put32(out, e.attributes | (e.folder ? 0x10 : 0));
  Put32(out, w.offset);
  out += e.name;
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
  for (size_t i = 0; i < entries.size(); ++i) WriteCentral(central, entries[i], written[i]);
  std::string out = stub + body + central;
  Put32(out, 0x06054B50);
  Put16(out, 0);
  Put16(out, 0);
  Put16(out, static_cast<uint32_t>(entries.size()));
  Put16(out, static_cast<uint32_t>(entries.size()));
  Put32(out, static_cast<uint32_t>(central.size()));
  Put32(out, static_cast<uint32_t>(body.size()));
  Put16(out, static_cast<uint32_t>(comment.size()));
  return out + comment;
}

}  // namespace skininstall::testing
