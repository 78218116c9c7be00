// Benchmark: MaskToRegion against the common one-CombineRgn-per-run way, for solid shapes and
// single-pixel checkerboards from about 0.3 to 16 megapixels, in milliseconds per megapixel.
// bench_mask_region [NAIVE_BUDGET_SECONDS]
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "skin/mask_region.h"
#include "skin/mask_runs.h"
#include "win32/raii.h"

namespace {

struct Size {
  int w, h;
};
const Size kSizes[] = {{640, 480}, {1024, 1024}, {2048, 2048}, {4096, 4096}};

enum class Shape { Solid, Checkerboard };

// A white mask with a black ellipse (one run per row), or a one-pixel checkerboard.
HBITMAP MakeMask(int w, int h, Shape shape) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap) return nullptr;
  auto* px = static_cast<std::uint32_t*>(bits);
  const double cx = w / 2.0, cy = h / 2.0;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      bool inside;
      if (shape == Shape::Checkerboard) {
        inside = (x + y) % 2 == 0;
      } else {
        const double dx = (x + 0.5 - cx) / cx, dy = (y + 0.5 - cy) / cy;
        inside = dx * dx + dy * dy <= 1.0;
      }
      px[static_cast<std::size_t>(y) * w + x] = inside ? 0x000000 : 0xFFFFFF;
    }
  }
  return bitmap;
}

double Now() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Ours: repeated until half a second has passed; milliseconds per run.
double TimeOurs(HBITMAP mask, win::Region& keep) {
  int runs = 0;
  const double start = Now();
  do {
    keep.Reset(skin::MaskToRegion(mask, 0xFFFFFF, 0));
    ++runs;
  } while (Now() - start < 0.5);
  return (Now() - start) * 1000.0 / runs;
}

// The naive way: one 1-pixel-high region per run, each combined into the result at once.
// Stops after budget seconds; done tells the share of rows that were finished.
double TimeNaive(HBITMAP mask, double budget, double& done, win::Region& result) {
  BITMAP info{};
  GetObjectA(mask, sizeof info, &info);
  const int w = info.bmWidth, h = info.bmHeight;
  const std::uint8_t* bits = static_cast<const std::uint8_t*>(info.bmBits);  // top-down
  const skin::KeyBounds key = skin::MakeKeyBounds(0xFFFFFF, 0);
  const double start = Now();
  result.Reset(CreateRectRgn(0, 0, 0, 0));
  int y = 0;
  for (; y < h && Now() - start < budget; ++y) {
    const std::uint8_t* row = bits + static_cast<std::size_t>(y) * info.bmWidthBytes;
    for (int x = 0; x < w; ++x) {
      const int x0 = x;
      while (x < w && !skin::IsKeyPixel(row + 4 * x, key)) ++x;
      if (x == x0) continue;
      win::Region run(CreateRectRgn(x0, y, x, y + 1));
      CombineRgn(result.Get(), result.Get(), run.Get(), RGN_OR);
    }
  }
  done = static_cast<double>(y) / h;
  return (Now() - start) * 1000.0;
}

}  // namespace

int main(int argc, char** argv) {
  const double budget = argc > 1 ? std::atof(argv[1]) : 20.0;
  std::printf("MaskToRegion, ms per megapixel (naive: one CombineRgn per run, stopped after %.0f s)\n", budget);
  std::printf("%-11s %-12s %8s %12s %14s %10s\n", "size", "shape", "MP", "ours ms/MP", "naive ms/MP", "ratio");
  for (const Size& s : kSizes) {
    for (Shape shape : {Shape::Solid, Shape::Checkerboard}) {
      win::Bitmap mask(MakeMask(s.w, s.h, shape));
      if (!mask) {
        std::printf("%dx%d: no mask bitmap\n", s.w, s.h);
        continue;
      }
      const double mp = s.w * static_cast<double>(s.h) / 1e6;
      win::Region ours, naive;
      const double oursMs = TimeOurs(mask.Get(), ours);
      double done = 0;
      const double naiveMs = TimeNaive(mask.Get(), budget, done, naive);
      const char* shapeName = shape == Shape::Solid ? "solid" : "checkerboard";
      char size[32];
      std::snprintf(size, sizeof size, "%dx%d", s.w, s.h);
      if (done >= 1.0) {
        const bool same = EqualRgn(ours.Get(), naive.Get()) != FALSE;
        std::printf("%-11s %-12s %8.2f %12.2f %14.2f %9.1fx%s\n", size, shapeName, mp, oursMs / mp,
                    naiveMs / mp, naiveMs / oursMs, same ? "" : "  (regions differ!)");
      } else {
        // The naive cost grows with the region already built, so the rate over the rows done
        // is a lower bound for the whole mask.
        const double naivePerMp = naiveMs / (mp * done);
        std::printf("%-11s %-12s %8.2f %12.2f %13.0f+ %8.0fx+  (naive stopped at %.1f%% of the rows)\n",
                    size, shapeName, mp, oursMs / mp, naivePerMp, naivePerMp / (oursMs / mp), done * 100);
      }
      std::fflush(stdout);
    }
  }
  return 0;
}
