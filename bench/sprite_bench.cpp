// Sprite throughput per render back end: the largest number of 16 x 16
// sprites drawn at 32 x 32 with a fresh random rotation each that still
// holds 58 frames per second in a real 800 x 600 window, through the
// framework's quad path and through plain SDL_RenderCopyExF on the same
// renderer. Run under an X server (run_bench.sh starts Xvfb).
//
// Options: --backend B (only that one), --frames F (timed frames per
// measurement, default 90), --runs R (searches per path, default 1).
#include <algorithm>
#include <climits>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "bench/bench_common.h"
#include "display/draw_helpers.h"
#include "display/frame.h"
#include "platform/bench_reference.h"
#include "platform/platform.h"
#include "settings/settings.h"

namespace {

constexpr int kWidth = 800, kHeight = 600;
constexpr double kTargetFps = 58.0;
constexpr int kMaxSprites = 1 << 17;
constexpr int kWarmFrames = 5;
// Random layouts cycled frame by frame, made before timing so the random
// number generator is not part of what is measured.
constexpr int kLayouts = 4;
constexpr int kSubmitSprites = 5000;

enum Path { Framework, Budgeted, Plain, PathCount };
const char* const kPathNames[PathCount] = {"plat::DrawImage", "DrawBudgetedImage", "plain SDL"};

struct Layout {
  std::vector<float> xs, ys, angles;
  std::vector<int> left, top;   // the same sprites as unrotated top-left corners
};
std::vector<Layout> Layouts;
int Sprite = 0;
int TimedFrames = 90;

void MakeLayouts() {
  std::mt19937 rng(264);
  std::uniform_real_distribution<float> x(0.0f, kWidth), y(0.0f, kHeight), a(0.0f, 360.0f);
  Layouts.resize(kLayouts);
  for (Layout& l : Layouts) {
    for (int i = 0; i < kMaxSprites; ++i) {
      l.xs.push_back(x(rng));
      l.ys.push_back(y(rng));
      l.angles.push_back(a(rng));
      l.left.push_back(static_cast<int>(l.xs.back()) - 16);
      l.top.push_back(static_cast<int>(l.ys.back()) - 16);
    }
  }
}

// A 16 x 16 sprite with a soft edge, so alpha blending does real work.
int MakeSprite() {
  std::vector<uint8_t> rgba(16 * 16 * 4);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      uint8_t* p = &rgba[(y * 16 + x) * 4];
      const int dx = 2 * x - 15, dy = 2 * y - 15;
      const int d2 = dx * dx + dy * dy;
      p[0] = static_cast<uint8_t>(60 + x * 12);
      p[1] = static_cast<uint8_t>(60 + y * 12);
      p[2] = 200;
      p[3] = d2 < 150 ? 255 : d2 < 225 ? 128 : 0;
    }
  plat::SetAutoMidHandle(true);
  return plat::CreateImage(16, 16, rgba.data(), false);
}

// Queues one frame's sprites; SDL batches them, so this is the cost of the
// calls themselves, before the renderer rasterises anything.
void Submit(Path path, int n, int frame) {
  const Layout& l = Layouts[frame % kLayouts];
  switch (path) {
    case Framework:
      plat::SetColor(255, 255, 255);
      plat::SetAlpha(1.0f);
      plat::SetBlend(plat::BlendAlpha);
      plat::SetScale(2.0f, 2.0f);
      for (int i = 0; i < n; ++i) {
        plat::SetRotation(l.angles[i]);
        plat::DrawImage(Sprite, l.xs[i], l.ys[i]);
      }
      break;
    case Budgeted:
      BeginFrame(0);
      ResetDrawState();
      SetDrawScale(2.0f);
      for (int i = 0; i < n; ++i) {
        SetDrawRotation(l.angles[i]);
        DrawBudgetedImage(Sprite, l.left[i], l.top[i], 0, 1);
      }
      break;
    default:
      plat::BenchDrawPlainSprites(Sprite, n, l.xs.data(), l.ys.data(), l.angles.data(), 2.0f);
      break;
  }
}

void DrawFrame(Path path, int n, int frame) {
  plat::ClearScreen();
  Submit(path, n, frame);
  plat::PresentFrame();
}

// Nanoseconds per sprite spent in the draw calls alone, timed around the
// submission of each frame (the present is outside the timing).
double SubmitNsPerSprite(Path path, int n, int frames) {
  double seconds = 0;
  for (int f = 0; f < frames; ++f) {
    plat::ClearScreen();
    const auto start = bench::Clock::now();
    Submit(path, n, f);
    seconds += bench::SecondsSince(start);
    plat::PresentFrame();
  }
  return 1e9 * seconds / (static_cast<double>(n) * frames);
}

// Frames per second over TimedFrames frames of n sprites, after a warm-up.
double MeasureFps(Path path, int n) {
  for (int f = 0; f < kWarmFrames; ++f) DrawFrame(path, n, f);
  const auto start = bench::Clock::now();
  for (int f = 0; f < TimedFrames; ++f) DrawFrame(path, n, f);
  return TimedFrames / bench::SecondsSince(start);
}

// Largest n holding the target: doubling until it fails, then bisection to
// within 2% (or 16 sprites).
int LargestHolding(Path path) {
  int good = 0, bad = 0;
  for (int n = 256;; n *= 2) {
    if (n > kMaxSprites) return good;
    if (MeasureFps(path, n) >= kTargetFps) {
      good = n;
    } else {
      bad = n;
      break;
    }
  }
  while (bad - good > std::max(16, good / 50)) {
    const int mid = good + (bad - good) / 2;
    if (MeasureFps(path, mid) >= kTargetFps)
      good = mid;
    else
      bad = mid;
  }
  return good;
}

struct Row {
  int backend = 0;
  std::string renderer;
  bool fellBack = false;
  std::vector<int> found[PathCount];
  double fpsAtPlain[PathCount] = {};
  double submitNs[PathCount] = {};
  int probe = 0;
};

int Median(std::vector<int> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

std::string Spread(const std::vector<int>& v) {
  if (v.size() < 2) return "";
  auto [lo, hi] = std::minmax_element(v.begin(), v.end());
  return " [" + std::to_string(*lo) + "-" + std::to_string(*hi) + "]";
}

}  // namespace

int main(int argc, char** argv) {
  const int only = bench::IntArg(argc, argv, "--backend", -1);
  TimedFrames = std::max(10, bench::IntArg(argc, argv, "--frames", 90));
  const int runs = std::max(1, bench::IntArg(argc, argv, "--runs", 1));
  if (!plat::Init()) return 1;
  MakeSettings();
  MakeFrameState();
  MakeDrawBudgets();
  DrawLimits[1] = INT_MAX;   // the bench measures drawing, not the budget
  MakeLayouts();

  std::vector<Row> rows;
  for (int backend = 0; backend < 3; ++backend) {
    if (only >= 0 && backend != only) continue;
    if (!bench::OpenBackend(backend, kWidth, kHeight)) continue;
    Sprite = MakeSprite();
    Row row;
    row.backend = backend;
    row.renderer = plat::RendererName();
    row.fellBack = plat::UsedRendererFallback();
    std::printf("backend %d: renderer %s%s\n", backend, row.renderer.c_str(),
                row.fellBack ? " (fallback)" : "");
    std::fflush(stdout);
    // Runs interleave the paths so a burst of load elsewhere hits them alike.
    for (int r = 0; r < runs; ++r)
      for (int p = 0; p < PathCount; ++p) {
        const int n = LargestHolding(static_cast<Path>(p));
        row.found[p].push_back(n);
        std::printf("  run %d %-18s N = %d\n", r + 1, kPathNames[p], n);
        std::fflush(stdout);
      }
    // Side by side at one sprite count: the rates at the plain path's N.
    row.probe = Median(row.found[Plain]);
    for (int p = 0; p < PathCount; ++p) row.fpsAtPlain[p] = MeasureFps(static_cast<Path>(p), row.probe);
    for (int p = 0; p < PathCount; ++p)
      row.submitNs[p] = SubmitNsPerSprite(static_cast<Path>(p), kSubmitSprites, TimedFrames);
    rows.push_back(row);
    plat::FreeImage(Sprite);
    plat::CloseDisplay();
  }

  std::printf("\nSprites 16x16 drawn at 32x32, random rotation, largest N holding %.0f fps "
              "(%d timed frames per step; median of %d run%s, [min-max])\n",
              kTargetFps, TimedFrames, runs, runs > 1 ? "s" : "");
  std::printf("| back end | renderer | N framework (DrawImage) | N DrawBudgetedImage | N plain SDL | "
              "framework / plain | fps at N plain: framework / budgeted / plain | "
              "ns per sprite in the draw calls: framework / budgeted / plain |\n");
  std::printf("|---|---|---|---|---|---|---|---|\n");
  for (const Row& row : rows) {
    const int fw = Median(row.found[Framework]), bud = Median(row.found[Budgeted]),
              plain = Median(row.found[Plain]);
    std::printf("| %d | %s%s | %d%s | %d%s | %d%s | %.2f | %.1f / %.1f / %.1f at %d | %.0f / %.0f / %.0f |\n",
                row.backend,
                row.renderer.c_str(), row.fellBack ? " (fallback)" : "", fw,
                Spread(row.found[Framework]).c_str(), bud, Spread(row.found[Budgeted]).c_str(), plain,
                Spread(row.found[Plain]).c_str(), plain > 0 ? static_cast<double>(fw) / plain : 0.0,
                row.fpsAtPlain[Framework], row.fpsAtPlain[Budgeted], row.fpsAtPlain[Plain], row.probe,
                row.submitNs[Framework], row.submitNs[Budgeted], row.submitNs[Plain]);
  }
  plat::Shutdown();
  return 0;
}
