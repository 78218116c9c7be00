// Live-owner count behind the GDI wrappers.
#include "win32/raii.h"

#include <atomic>

namespace win {
namespace {
std::atomic<long> g_liveGdiOwners{0};
}
long LiveGdiOwners() { return g_liveGdiOwners.load(); }
void NoteGdiOwned(long delta) { g_liveGdiOwners += delta; }
}  // namespace win
