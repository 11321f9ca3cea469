#include "tools/synth.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <sstream>

namespace tools {

namespace {

constexpr double kPi = 3.14159265358979323846;

std::string Located(const std::string& name, int line, const std::string& reason) {
  return name + ":" + std::to_string(line) + ": " + reason;
}

bool ToNumber(const std::string& text, double& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  return end == text.c_str() + text.size() && std::isfinite(value);
}

// "220" or "220>660".
bool ParseSweep(const std::string& text, double& from, double& to) {
  size_t arrow = text.find('>');
  if (arrow == std::string::npos) {
    if (!ToNumber(text, from)) return false;
    to = from;
    return true;
  }
  return ToNumber(text.substr(0, arrow), from) && ToNumber(text.substr(arrow + 1), to);
}

// "0,4,7@30": semitone steps cycled at 30 Hz.
bool ParseArp(const std::string& text, Note& note) {
  size_t at = text.find('@');
  if (at == std::string::npos || !ToNumber(text.substr(at + 1), note.arpRate) ||
      note.arpRate <= 0) {
    return false;
  }
  std::istringstream steps(text.substr(0, at));
  std::string step;
  while (std::getline(steps, step, ',')) {
    double semis = 0;
    if (!ToNumber(step, semis)) return false;
    note.arpSemitones.push_back(semis);
  }
  return !note.arpSemitones.empty();
}

bool ParseNote(std::istringstream& words, Note& note, std::string& reason) {
  std::string wave;
  words >> wave;
  if (wave == "square") note.wave = Wave::Square;
  else if (wave == "saw") note.wave = Wave::Saw;
  else if (wave == "triangle") note.wave = Wave::Triangle;
  else if (wave == "sine") note.wave = Wave::Sine;
  else if (wave == "noise") note.wave = Wave::Noise;
  else {
    reason = "unknown wave '" + wave + "'";
    return false;
  }
  std::string word;
  while (words >> word) {
    if (word[0] == '#') break;
    size_t eq = word.find('=');
    if (eq == std::string::npos) {
      reason = "expected key=value, got '" + word + "'";
      return false;
    }
    const std::string key = word.substr(0, eq), value = word.substr(eq + 1);
    double number = 0;
    bool ok = true;
    if (key == "f") ok = ParseSweep(value, note.freq, note.freqEnd) && note.freq > 0 && note.freqEnd > 0;
    else if (key == "curve") {
      ok = value == "exp" || value == "lin";
      note.expSweep = value == "exp";
    } else if (key == "arp") ok = ParseArp(value, note);
    else if (key == "vib") {
      size_t colon = value.find(':');
      ok = colon != std::string::npos && ToNumber(value.substr(0, colon), note.vibRate) &&
           ToNumber(value.substr(colon + 1), note.vibCents);
    } else {
      ok = ToNumber(value, number);
      if (!ok) {
        reason = "'" + key + "' needs a number";
        return false;
      }
      if (key == "t") note.start = number;
      else if (key == "d") note.hold = number;
      else if (key == "duty") note.duty = number;
      else if (key == "a") note.attack = number;
      else if (key == "dk") note.decay = number;
      else if (key == "s") note.sustain = number;
      else if (key == "r") note.release = number;
      else if (key == "v") note.volume = number;
      else if (key == "lp") note.lowpass = number;
      else if (key == "pan") note.pan = number;
      else {
        reason = "unknown key '" + key + "'";
        return false;
      }
      ok = number >= (key == "pan" ? -1 : 0) && !(key == "pan" && number > 1) &&
           !(key == "duty" && (number <= 0 || number >= 1)) && !(key == "s" && number > 1);
    }
    if (!ok) {
      reason = "bad value in '" + word + "'";
      return false;
    }
  }
  if (note.hold + note.release <= 0) {
    reason = "a note needs d or r above 0";
    return false;
  }
  return true;
}

// PolyBLEP softens the steps of square and saw waves so high notes and
// sweeps do not alias into harsh inharmonic tones.
double PolyBlep(double t, double dt) {
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1.0;
  }
  if (t > 1.0 - dt) {
    t = (t - 1.0) / dt;
    return t * t + t + t + 1.0;
  }
  return 0.0;
}

double HeldLevel(const Note& n, double t) {
  if (t < n.attack) return t / n.attack;
  if (t < n.attack + n.decay) return 1.0 - (1.0 - n.sustain) * (t - n.attack) / n.decay;
  return n.sustain;
}

double Envelope(const Note& n, double t) {
  if (t <= n.hold) return HeldLevel(n, t);
  if (n.release <= 0) return 0;
  const double fall = 1.0 - (t - n.hold) / n.release;
  // A squared fall sounds like a natural decay and still ends at zero.
  return fall <= 0 ? 0 : HeldLevel(n, n.hold) * fall * fall;
}

void RenderNote(const Note& n, const Recipe& recipe, std::vector<double>& left,
                std::vector<double>& right, uint32_t& noiseState) {
  const double rate = recipe.rate;
  const double length = n.hold + n.release;
  const size_t first = static_cast<size_t>(std::lround(n.start * rate));
  const size_t count = static_cast<size_t>(std::ceil(length * rate));
  double phase = 0, noiseValue = 0, lp1 = 0, lp2 = 0;
  const double lpAlpha =
      n.lowpass > 0 ? 1.0 - std::exp(-2.0 * kPi * n.lowpass / rate) : 1.0;
  const double gainL = recipe.channels == 2 ? std::sqrt(0.5 * (1.0 - n.pan)) : 1.0;
  const double gainR = recipe.channels == 2 ? std::sqrt(0.5 * (1.0 + n.pan)) : 0.0;
  for (size_t i = 0; i < count && first + i < left.size(); ++i) {
    const double t = static_cast<double>(i) / rate;
    const double along = std::min(1.0, t / std::max(n.hold, 1e-9));
    double f = n.expSweep ? n.freq * std::pow(n.freqEnd / n.freq, along)
                          : n.freq + (n.freqEnd - n.freq) * along;
    if (!n.arpSemitones.empty()) {
      size_t step = static_cast<size_t>(t * n.arpRate) % n.arpSemitones.size();
      f *= std::pow(2.0, n.arpSemitones[step] / 12.0);
    }
    if (n.vibRate > 0) f *= std::pow(2.0, n.vibCents / 1200.0 * std::sin(2 * kPi * n.vibRate * t));
    const double dt = std::min(f / rate, 0.5);
    double s = 0;
    switch (n.wave) {
      case Wave::Square: {
        s = (phase < n.duty ? 1.0 : -1.0) + PolyBlep(phase, dt) -
            PolyBlep(std::fmod(phase + 1.0 - n.duty, 1.0), dt);
        break;
      }
      case Wave::Saw:
        s = 2.0 * phase - 1.0 - PolyBlep(phase, dt);
        break;
      case Wave::Triangle:
        s = phase < 0.5 ? 4.0 * phase - 1.0 : 3.0 - 4.0 * phase;
        break;
      case Wave::Sine:
        s = std::sin(2 * kPi * phase);
        break;
      case Wave::Noise:
        break;
    }
    phase += dt;
    if (phase >= 1.0) {
      phase -= 1.0;
      if (n.wave == Wave::Noise) {
        noiseState ^= noiseState << 13;
        noiseState ^= noiseState >> 17;
        noiseState ^= noiseState << 5;
        noiseValue = static_cast<double>(noiseState) / 2147483648.0 - 1.0;
      }
    }
    if (n.wave == Wave::Noise) s = noiseValue;
    lp1 += lpAlpha * (s - lp1);
    lp2 += lpAlpha * (lp1 - lp2);
    const double out = (n.lowpass > 0 ? lp2 : s) * Envelope(n, t) * n.volume;
    left[first + i] += out * gainL;
    if (recipe.channels == 2) right[first + i] += out * gainR;
  }
}

}  // namespace

bool ParseRecipe(const std::string& text, const std::string& name, Recipe& recipe,
                 std::string& error) {
  recipe = Recipe{};
  std::istringstream in(text);
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::istringstream words(line);
    std::string verb;
    if (!(words >> verb) || verb[0] == '#') continue;
    std::string reason;
    double a = 0, b = 0;
    if (verb == "note") {
      Note note;
      if (ParseNote(words, note, reason)) {
        recipe.notes.push_back(note);
        continue;
      }
    } else if (verb == "rate") {
      if (words >> a && a >= 8000 && a <= 96000) {
        recipe.rate = static_cast<int>(a);
        continue;
      }
      reason = "rate must be 8000-96000";
    } else if (verb == "channels") {
      if (words >> a && (a == 1 || a == 2)) {
        recipe.channels = static_cast<int>(a);
        continue;
      }
      reason = "channels must be 1 or 2";
    } else if (verb == "length") {
      if (words >> a && a > 0 && a <= 30) {
        recipe.length = a;
        continue;
      }
      reason = "length must be above 0 and at most 30 s";
    } else if (verb == "peak") {
      if (words >> a && a <= 0 && a >= -40) {
        recipe.peakDb = a;
        continue;
      }
      reason = "peak is in dBFS, -40 to 0";
    } else if (verb == "echo") {
      if (words >> a >> b && a > 0 && a < 2 && b >= 0 && b < 1) {
        recipe.echoDelay = a;
        recipe.echoFeedback = b;
        continue;
      }
      reason = "expected 'echo DELAY FEEDBACK' with feedback below 1";
    } else if (verb == "quality") {
      if (words >> a && a >= -0.1 && a <= 1) {
        recipe.quality = a;
        continue;
      }
      reason = "quality must be -0.1 to 1";
    } else if (verb == "seed") {
      if (words >> a && a >= 1) {
        recipe.seed = static_cast<unsigned>(a);
        continue;
      }
      reason = "seed must be a whole number above 0";
    } else {
      reason = "unknown statement '" + verb + "'";
    }
    error = Located(name, number, reason);
    return false;
  }
  if (recipe.notes.empty()) {
    error = name + ": no notes";
    return false;
  }
  return true;
}

std::vector<float> RenderRecipe(const Recipe& recipe) {
  double end = 0;
  for (const Note& n : recipe.notes) end = std::max(end, n.start + n.hold + n.release);
  if (recipe.echoDelay > 0 && recipe.echoFeedback > 0) {
    // Long enough for the echoes to fall 40 dB.
    end += recipe.echoDelay * std::ceil(std::log(0.01) / std::log(recipe.echoFeedback));
  }
  const double length = recipe.length > 0 ? recipe.length : end;
  const size_t frames = static_cast<size_t>(std::lround(length * recipe.rate));
  std::vector<double> left(frames, 0.0), right(recipe.channels == 2 ? frames : 0, 0.0);
  uint32_t noiseState = recipe.seed * 2654435761u | 1u;
  for (const Note& n : recipe.notes) RenderNote(n, recipe, left, right, noiseState);

  std::vector<std::vector<double>*> channels{&left};
  if (recipe.channels == 2) channels.push_back(&right);
  const size_t delay = static_cast<size_t>(std::lround(recipe.echoDelay * recipe.rate));
  for (size_t c = 0; c < channels.size(); ++c) {
    std::vector<double>& x = *channels[c];
    if (delay > 0 && recipe.echoFeedback > 0) {
      // The right side echoes a little later, which widens a stereo jingle.
      const size_t d = c == 0 ? delay : delay + delay / 3;
      for (size_t i = d; i < frames; ++i) x[i] += recipe.echoFeedback * x[i - d];
    }
    // DC blocker: a pulse wave with uneven duty carries an offset that would
    // thump when the sound starts and stops.
    double prevIn = 0, prevOut = 0;
    const double r = std::exp(-2.0 * kPi * 20.0 / recipe.rate);
    for (double& v : x) {
      double out = v - prevIn + r * prevOut;
      prevIn = v;
      prevOut = out;
      v = out;
    }
  }
  double peak = 0;
  for (auto* x : channels)
    for (double v : *x) peak = std::max(peak, std::fabs(v));
  const double gain = peak > 0 ? std::pow(10.0, recipe.peakDb / 20.0) / peak : 0.0;
  const size_t fade = std::min(frames, static_cast<size_t>(recipe.rate / 200));
  std::vector<float> out(frames * channels.size());
  for (size_t i = 0; i < frames; ++i) {
    double tail = i + fade >= frames ? static_cast<double>(frames - i) / (fade + 1) : 1.0;
    for (size_t c = 0; c < channels.size(); ++c) {
      out[i * channels.size() + c] = static_cast<float>((*channels[c])[i] * gain * tail);
    }
  }
  return out;
}

bool WriteWav16(const std::string& path, const std::vector<float>& interleaved, int channels,
                int rate) {
  if (channels < 1 || interleaved.size() % static_cast<size_t>(channels) != 0) return false;
  const uint32_t dataBytes = static_cast<uint32_t>(interleaved.size() * 2);
  std::vector<uint8_t> bytes;
  auto put32 = [&](uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(v >> (8 * i)));
  };
  auto put16 = [&](uint16_t v) {
    bytes.push_back(static_cast<uint8_t>(v));
    bytes.push_back(static_cast<uint8_t>(v >> 8));
  };
  auto tag = [&](const char* t) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(t[i]));
  };
  tag("RIFF");
  put32(36 + dataBytes);
  tag("WAVE");
  tag("fmt ");
  put32(16);
  put16(1);  // PCM
  put16(static_cast<uint16_t>(channels));
  put32(static_cast<uint32_t>(rate));
  put32(static_cast<uint32_t>(rate * channels * 2));
  put16(static_cast<uint16_t>(channels * 2));
  put16(16);
  tag("data");
  put32(dataBytes);
  for (float v : interleaved) {
    const double clamped = std::clamp(static_cast<double>(v), -1.0, 1.0);
    put16(static_cast<uint16_t>(static_cast<int16_t>(std::lround(clamped * 32767.0))));
  }
  const std::string temp = path + ".tmp";
  FILE* file = std::fopen(temp.c_str(), "wb");
  if (!file) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  ok = std::fclose(file) == 0 && ok;
  if (ok) ok = std::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) std::remove(temp.c_str());
  return ok;
}

}  // namespace tools
