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
#include <vector>

#include "app/front_end.h"
#include "app/program.h"
#include "bench/bench_common.h"
#include "display/display_setup.h"
#include "display/frame.h"
#include "platform/platform.h"
#include "settings/settings.h"

namespace {
double Percentile(std::vector<double> v, double q) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  const size_t i = std::min(v.size() - 1, static_cast<size_t>(q * (v.size() - 1) + 0.5));
  return v[i];
}
}  // namespace

int main(int argc, char** argv) {
  const int frames = std::max(10, bench::IntArg(argc, argv, "--frames", 600));
  const int backend = bench::IntArg(argc, argv, "--backend", -1);
  const int xvfbPid = bench::IntArg(argc, argv, "--xvfb-pid", 0);
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
  std::fflush(stdout);
  plat::Shutdown();
  return 0;
}
