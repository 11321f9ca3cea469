// Text throughput per render back end: a full 800 x 600 screen of text each
// frame through the framework's DrawText against the same glyphs drawn one
// by one with plain SDL calls on the same renderer. Fonts: the built-in
// font, and the primary TrueType face when the platform can load it.
//
// Options: --backend B, --frames F (timed frames per measurement, default
// 90), --runs R (alternating measurements per path, default 3).
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_common.h"
#include "platform/bench_reference.h"
#include "platform/platform.h"

namespace {

constexpr int kWidth = 800, kHeight = 600;
constexpr int kWarmFrames = 5;
int TimedFrames = 90;

struct Page {
  std::vector<std::string> lines;
  std::vector<float> ys;
  int glyphs = 0;
};

// Lines of printable characters, each as wide as the screen, stacked to its foot.
Page FillScreen(int font) {
  plat::SetFont(font);
  Page page;
  const int lineHeight = std::max(1, plat::TextHeight("Ag"));
  int next = 0;
  for (int y = 0; y + lineHeight <= kHeight; y += lineHeight) {
    std::string line;
    while (true) {
      const char c = static_cast<char>(33 + next % 94);
      if (plat::TextWidth(line + c) > kWidth) break;
      line += c;
      ++next;
    }
    page.glyphs += static_cast<int>(line.size());
    page.lines.push_back(line);
    page.ys.push_back(static_cast<float>(y));
  }
  return page;
}

void DrawFrame(const Page& page, int font, bool plain) {
  plat::ClearScreen();
  if (plain) {
    for (size_t i = 0; i < page.lines.size(); ++i)
      plat::BenchDrawPlainText(font, page.lines[i], 0.0f, page.ys[i]);
  } else {
    plat::SetFont(font);
    plat::SetColor(255, 255, 255);
    plat::SetAlpha(1.0f);
    plat::SetBlend(plat::BlendAlpha);
    plat::SetScale(1.0f, 1.0f);
    plat::SetRotation(0.0f);
    for (size_t i = 0; i < page.lines.size(); ++i) plat::DrawText(page.lines[i], 0.0f, page.ys[i]);
  }
  plat::PresentFrame();
}

double MeasureFps(const Page& page, int font, bool plain) {
  for (int f = 0; f < kWarmFrames; ++f) DrawFrame(page, font, plain);
  const auto start = bench::Clock::now();
  for (int f = 0; f < TimedFrames; ++f) DrawFrame(page, font, plain);
  return TimedFrames / bench::SecondsSince(start);
}

struct Result {
  int backend;
  std::string renderer, font;
  int glyphs;
  std::vector<double> framework, plain;
};

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

std::string Spread(const std::vector<double>& v) {
  if (v.size() < 2) return "";
  auto [lo, hi] = std::minmax_element(v.begin(), v.end());
  char buf[64];
  std::snprintf(buf, sizeof buf, " [%.0f-%.0f]", *lo, *hi);
  return buf;
}

}  // namespace

int main(int argc, char** argv) {
  const int only = bench::IntArg(argc, argv, "--backend", -1);
  TimedFrames = std::max(10, bench::IntArg(argc, argv, "--frames", 90));
  const int runs = std::max(1, bench::IntArg(argc, argv, "--runs", 3));
  if (!plat::Init()) return 1;
  // The primary face at the size the debug overlay's small slot uses on an
  // 800-wide display (16 x 1.4).
  const std::string ttf = plat::ProgramFolder() + "Files/Common/SVBasicManual.ttf";
  constexpr int kTtfSize = 22;

  std::vector<Result> results;
  for (int backend = 0; backend < 3; ++backend) {
    if (only >= 0 && backend != only) continue;
    if (!bench::OpenBackend(backend, kWidth, kHeight)) continue;
    // Fonts belong to the renderer, so they are loaded again for each one.
    std::vector<std::pair<int, std::string>> fonts{{0, "built-in 8x12"}};
    const int loaded = plat::LoadFont(ttf, kTtfSize);
    if (loaded != 0)
      fonts.push_back({loaded, "SVBasicManual.ttf " + std::to_string(kTtfSize) + " px"});
    else if (results.empty())
      std::printf("LoadFont(%s) returned 0: built-in font only\n", ttf.c_str());
    for (const auto& [font, name] : fonts) {
      const Page page = FillScreen(font);
      Result r{backend, plat::RendererName(), name, page.glyphs, {}, {}};
      for (int i = 0; i < runs; ++i) {
        r.framework.push_back(MeasureFps(page, font, false));
        r.plain.push_back(MeasureFps(page, font, true));
      }
      std::printf("backend %d (%s), %s, %d glyphs: framework %.1f fps, plain %.1f fps\n", backend,
                  r.renderer.c_str(), name.c_str(), r.glyphs, Median(r.framework), Median(r.plain));
      std::fflush(stdout);
      results.push_back(r);
    }
    plat::CloseDisplay();
  }

  std::printf("\nA full screen of text per frame (%d timed frames per measurement; median of %d, "
              "[min-max])\n",
              TimedFrames, runs);
  std::printf("| back end | renderer | font | glyphs per frame | fps framework (DrawText) | "
              "fps plain SDL | framework / plain |\n");
  std::printf("|---|---|---|---|---|---|---|\n");
  for (const Result& r : results) {
    const double fw = Median(r.framework), plain = Median(r.plain);
    std::printf("| %d | %s | %s | %d | %.1f%s | %.1f%s | %.2f |\n", r.backend, r.renderer.c_str(),
                r.font.c_str(), r.glyphs, fw, Spread(r.framework).c_str(), plain,
                Spread(r.plain).c_str(), plain > 0 ? fw / plain : 0.0);
  }
  plat::Shutdown();
  return 0;
}
