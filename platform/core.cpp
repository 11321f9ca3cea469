// Start-up of SDL's modules, the test mode, the clock, chance and memory figures.
#include <malloc.h>
#include <cerrno>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <random>

#include "platform/internal.h"

namespace plat {
namespace detail {
Runtime Run;
}
using namespace detail;

namespace {
std::mt19937 Rng(12345);
// A read of the virtual clock costs this much, so busy waits that only poll
// the clock still end.
constexpr double kVirtualReadCostMs = 0.01;
}  // namespace

namespace {
double ClockStartMs = 0;   // the monotonic clock at start-up; Millis counts from it

// Milliseconds on the monotonic clock, the one absolute sleeps wait on.
double MonotonicMs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return ts.tv_sec * 1000.0 + ts.tv_nsec / 1.0e6;
}
}  // namespace

bool Init(const TestMode* test) {
  if (Run.initialised) return true;
  Run.test = test ? *test : TestMode{};
  if (Run.test.enabled) {
    // Headless: SDL's dummy drivers, joystick events without a focused window.
    SDL_setenv("SDL_VIDEODRIVER", "dummy", 1);
    SDL_setenv("SDL_AUDIODRIVER", Run.test.audioDriver ? Run.test.audioDriver : "dummy", 1);
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    Run.virtualMs = 100000.0;
    Run.framesPresented = 0;
  }
  ClockStartMs = MonotonicMs();
  SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER | SDL_INIT_JOYSTICK) != 0) {
    std::fprintf(stderr, "SDL_Init failed: %s\n", SDL_GetError());
    return false;
  }
  Run.programFolder.clear();
  Run.programFolder = ProgramFolder();
  ChangeDir(Run.programFolder);
  ResetInput();
  Run.initialised = true;
  return true;
}

void Shutdown() {
  if (!Run.initialised) return;
  CloseDisplay();
  CloseAudio();
  SDL_Quit();
  Run.initialised = false;
}

bool InTestMode() { return Run.test.enabled; }

void EndProcess(int code) {
  if (Run.test.enabled) throw ProcessEnded{code};
  Shutdown();
  std::exit(code);
}

uint32_t Millis() {
  if (Run.test.enabled) {
    Run.virtualMs += kVirtualReadCostMs;
    return static_cast<uint32_t>(static_cast<uint64_t>(Run.virtualMs));
  }
  return static_cast<uint32_t>(static_cast<uint64_t>(MonotonicMs() - ClockStartMs));
}

void SleepUntil(double millis) {
  if (Run.test.enabled) {
    if (Run.virtualMs < millis) Run.virtualMs = millis;
    return;
  }
  // Millis counts whole milliseconds of the monotonic clock, so its
  // fractional deadlines map straight onto an absolute sleep.
  const double now = MonotonicMs() - ClockStartMs;
  if (millis <= now || millis - now > 1000.0) return;
  millis += ClockStartMs;
  timespec target{};
  target.tv_sec = static_cast<time_t>(millis / 1000.0);
  target.tv_nsec = static_cast<long>((millis - target.tv_sec * 1000.0) * 1.0e6);
  if (target.tv_nsec >= 1000000000L) target.tv_nsec = 999999999L;
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &target, nullptr) == EINTR) {
  }
}

void Sleep(int ms) {
  if (ms < 0) ms = 0;
  if (Run.test.enabled) {
    Run.virtualMs += ms;
    return;
  }
  SDL_Delay(static_cast<Uint32>(ms));
}

namespace {
std::string FormatNow(const char* format) {
  std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  char buf[32];
  std::strftime(buf, sizeof buf, format, &tm);
  return buf;
}
}  // namespace

std::string CurrentDate() { return FormatNow("%d %b %Y"); }

std::string CurrentTime() { return FormatNow("%H:%M:%S"); }

void SeedRandom(uint32_t seed) { Rng.seed(seed); }

int RandomInt(int low, int high) {
  if (high < low) std::swap(low, high);
  return std::uniform_int_distribution<int>(low, high)(Rng);
}

long long HeapBytesInUse() {
  struct mallinfo2 info = mallinfo2();
  return static_cast<long long>(info.uordblks + info.hblkhd);
}

long long HeapFreeChunks() {
  struct mallinfo2 info = mallinfo2();
  return static_cast<long long>(info.ordblks + info.smblks);
}

}  // namespace plat
