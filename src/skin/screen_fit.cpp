// Screen fit: one axis at a time, as it stands, mirrored across the owner, or shifted inside.
#include "skin/screen_fit.h"

namespace skin {
namespace {

struct Span {
  int low, high;
};

bool Inside(Span s, Span work) { return s.low >= work.low && s.high <= work.high; }

// The mirror image across the owner's middle: [low, high) beside one edge lands beside the other.
Span Mirrored(Span s, Span owner) { return Span{owner.low + owner.high - s.high, owner.low + owner.high - s.low}; }

Span Shifted(Span s, Span work) {
  int shift = 0;
  if (s.high > work.high) shift = work.high - s.high;
  if (s.low + shift < work.low) shift = work.low - s.low;
  return Span{s.low + shift, s.high + shift};
}

Span Fit(Span wanted, Span owner, Span work, bool mayMirror, bool& mirrored) {
  mirrored = false;
  if (Inside(wanted, work)) return wanted;
  if (mayMirror && Inside(Mirrored(wanted, owner), work)) {
    mirrored = true;
    return Mirrored(wanted, owner);
  }
  return Shifted(wanted, work);
}

}  // namespace

Fitted FitInWork(const SkinRect& wanted, const SkinRect& owner, const SkinRect& work, Turn turn) {
  Fitted out;
  const Span x = Fit({wanted.left, wanted.right}, {owner.left, owner.right}, {work.left, work.right},
                     turn != Turn::Never, out.mirroredX);
  const Span y = Fit({wanted.top, wanted.bottom}, {owner.top, owner.bottom}, {work.top, work.bottom},
                     turn == Turn::SidewaysAndUp, out.mirroredY);
  out.rect = SkinRect{x.low, y.low, x.high, y.high};
  return out;
}

SkinRect MirroredX(const SkinRect& rect, const SkinRect& owner) {
  const Span x = Mirrored({rect.left, rect.right}, {owner.left, owner.right});
  return SkinRect{x.low, rect.top, x.high, rect.bottom};
}

}  // namespace skin
