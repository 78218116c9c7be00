// Fuzz target: any profile file text loads and normalises into a record whose values are in range.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "settings/profile_file.h"
#include "support/memory_stores.h"

namespace {
void Require(bool condition) {
  if (!condition) std::abort();
}
bool In(std::int32_t v, std::int32_t lo, std::int32_t hi) { return v >= lo && v <= hi; }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace settings;
  testing_support::MemoryIni file =
      testing_support::MemoryIni::Parse(std::string(reinterpret_cast<const char*>(data), size));
  testing_support::MemoryPointerStore pointers;
  ProfileSet scratch{}, r{};
  SetDefaults(scratch);
  Load(scratch, file, pointers, -1);
  Normalise(r, scratch);
  Require(In(r.Profile, 0, 4) && In(r.Buttons, 1, 9) && In(r.SpeedX, 0, 18) &&
          In(r.SpeedY, 0, 18) && In(r.OFASensitivity, 0, 18) && In(r.LedState, 0, 3) &&
          In(r.AccelerationLevel, 0, 16) && In(r.DoubleClickSpeed, 0, 900));
  for (const ProfileData& p : r.profiles)
    for (const ButtonAssignment& b : p.buttons) Require(IsAcceptedCode(b.code) && b.macroOption <= 1);
  return 0;
}
