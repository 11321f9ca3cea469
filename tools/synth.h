// A small retro synthesiser: a recipe of timed notes on square, saw,
// triangle, sine and noise voices, each with a pitch sweep, vibrato,
// arpeggio and ADSR envelope, mixed, echoed and normalised.
#pragma once

#include <string>
#include <vector>

namespace tools {

enum class Wave { Square, Saw, Triangle, Sine, Noise };

struct Note {
  Wave wave = Wave::Square;
  double start = 0, hold = 0.1;        // seconds; the release follows the hold
  double freq = 440, freqEnd = 440;    // Hz; noise: sample-and-hold rate
  bool expSweep = true;                // sweep in pitch (exp) or in Hz (lin)
  double duty = 0.5;                   // square only
  double attack = 0.002, decay = 0, sustain = 1, release = 0.02;
  double volume = 1;
  double vibRate = 0, vibCents = 0;
  std::vector<double> arpSemitones;    // cycled at arpRate Hz
  double arpRate = 0;
  double lowpass = 0;                  // Hz, 0 = off
  double pan = 0;                      // -1 left .. 1 right (stereo recipes)
};

struct Recipe {
  int rate = 44100;
  int channels = 1;
  double length = 0;        // seconds; 0 = up to the last release (plus echo tail)
  double peakDb = -1;       // final peak in dBFS
  double echoDelay = 0, echoFeedback = 0;
  double quality = 0.6;     // Ogg Vorbis quality
  unsigned seed = 1;
  std::vector<Note> notes;
};

// Parses a recipe; on failure returns false with "name:line: reason".
bool ParseRecipe(const std::string& text, const std::string& name, Recipe& recipe,
                 std::string& error);

// Renders to interleaved float samples in -1..1, DC removed, normalised to
// the recipe's peak, with the last few milliseconds faded to silence.
std::vector<float> RenderRecipe(const Recipe& recipe);

// 16-bit PCM WAV, written to a temp file and renamed.
bool WriteWav16(const std::string& path, const std::vector<float>& interleaved, int channels,
                int rate);

}  // namespace tools
