// The real program's title screen in a real window: start-up as the program
// runs it, then frames of the title loop, each timed with a steady clock,
// and the process's CPU time over those frames. Built into the program's
// folder so start-up finds Files/ beside it.
//
// Options: --frames F (default 600), --backend B (re-open the display on
// that back end after start-up; default: what Setup.ini chose), --xvfb-pid P
// (also report the X server's CPU over the same frames).
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/front_end.h"
#include "app/program.h"
#include "bench/bench_common.h"
#include "display/display_setup.h"
#include "display/draw_helpers.h"
#include "display/frame.h"
#include "platform/bench_reference.h"
#include "platform/platform.h"
#include "settings/settings.h"

namespace {
double Percentile(std::vector<double> v, double q) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  const size_t i = std::min(v.size() - 1, static_cast<size_t>(q * (v.size() - 1) + 0.5));
  return v[i];
}

// CPU share of one core over frames that draw only part of a title frame,
// still paced by the frame end, to show where the title frame's CPU goes.
enum Part { FrameEndOnly, Backdrop, PlainBandsBlended, PlainBandsSolid };

// The backdrop's bands in their final colour, straight through SDL.
void PlainBands(bool blend) {
  int brightness = 25;
  for (int i = 0; i <= VirtualHeight; i += 10) {
    ++brightness;
    plat::BenchFillRotatedRect(-100.0f, 3.0f * i, VirtualWidth + 1800.0f, 30.0f, -45.0f,
                               static_cast<int>(brightness * BackdropColour[0]),
                               static_cast<int>(brightness * BackdropColour[1]),
                               static_cast<int>(brightness * BackdropColour[2]), blend);
  }
}

double CpuShareOf(int frames, Part part) {
  const double cpu0 = bench::ProcessCpuSeconds();
  const auto begin = bench::Clock::now();
  for (int f = 0; f < frames; ++f) {
    BeginFrame(1);
    if (part == Backdrop) DrawBackdrop();
    if (part == PlainBandsBlended || part == PlainBandsSolid) PlainBands(part == PlainBandsBlended);
    EndFrame(1);
  }
  return 100.0 * (bench::ProcessCpuSeconds() - cpu0) / bench::SecondsSince(begin);
}
}  // namespace

int main(int argc, char** argv) {
  const int frames = std::max(10, bench::IntArg(argc, argv, "--frames", 600));
  const int backend = bench::IntArg(argc, argv, "--backend", -1);
  const int xvfbPid = bench::IntArg(argc, argv, "--xvfb-pid", 0);
  const char* dump = nullptr;   // --dump FILE: every frame time, one a line
  for (int i = 1; i + 1 < argc; ++i)
    if (std::string(argv[i]) == "--dump") dump = argv[i + 1];
  if (!plat::Init()) return 1;

  const auto startUpBegins = bench::Clock::now();
  StartUp();
  if (backend >= 0 && backend != Settings.GfxEngine) {
    Settings.GfxEngine = backend;
    ApplyDisplaySettings();
  }
  const double startUpSeconds = bench::SecondsSince(startUpBegins);
  std::printf("start-up %.2f s; back end %d, renderer %s%s; canvas %dx%d\n", startUpSeconds,
              Settings.GfxEngine, plat::RendererName(), plat::UsedRendererFallback() ? " (fallback)" : "",
              VirtualWidth, VirtualHeight);

  Front = FrontEndState{};
  std::vector<double> ms;
  ms.reserve(frames);
  const double cpu0 = bench::ProcessCpuSeconds();
  const double xcpu0 = bench::OtherProcessCpuSeconds(xvfbPid);
  const auto begin = bench::Clock::now();
  auto last = begin;
  for (int f = 0; f < frames; ++f) {
    if (FrontEndFrame()) break;   // only a quit request ends the loop early
    const auto now = bench::Clock::now();
    ms.push_back(std::chrono::duration<double, std::milli>(now - last).count());
    last = now;
  }
  const double wall = std::chrono::duration<double>(last - begin).count();
  const double cpu = bench::ProcessCpuSeconds() - cpu0;
  const double xcpu1 = bench::OtherProcessCpuSeconds(xvfbPid);

  if (dump)
    if (FILE* f = std::fopen(dump, "w")) {
      for (double m : ms) std::fprintf(f, "%.3f\n", m);
      std::fclose(f);
    }
  const double fps = ms.size() / wall;
  const double median = Percentile(ms, 0.5), p99 = Percentile(ms, 0.99);
  const double share = 100.0 * cpu / wall;
  std::printf("%zu frames in %.2f s\n", ms.size(), wall);
  std::printf("frame time ms: min %.2f  median %.2f  p90 %.2f  p99 %.2f  max %.2f\n",
              Percentile(ms, 0), median, Percentile(ms, 0.9), p99, Percentile(ms, 1));
  std::printf("smoothed Fps the frame end computed last: %d\n", Fps);
  if (xcpu0 >= 0 && xcpu1 >= 0)
    std::printf("X server CPU over the same frames: %.1f%% of one core\n", 100.0 * (xcpu1 - xcpu0) / wall);

  auto verdict = [](bool ok) { return ok ? "ok" : "MISSED"; };
  std::printf("\n| renderer | fps | median frame ms | p99 frame ms | CPU %% of one core |\n");
  std::printf("|---|---|---|---|---|\n");
  std::printf("| %s | %.2f (%s) | %.2f | %.2f (%s) | %.1f (%s) |\n", plat::RendererName(), fps,
              verdict(fps >= 59.0 && fps <= 61.0), median, p99, verdict(p99 <= 17.5), share,
              verdict(share <= 10.0));
  const int part = frames / 2;
  std::printf("CPU %% of one core, paced frames of clear + frame end + nothing: %.1f; DrawBackdrop: %.1f; "
              "the bands through plain SDL, blended: %.1f; not blended: %.1f\n",
              CpuShareOf(part, FrameEndOnly), CpuShareOf(part, Backdrop), CpuShareOf(part, PlainBandsBlended),
              CpuShareOf(part, PlainBandsSolid));
  std::fflush(stdout);
  plat::Shutdown();
  return 0;
}
