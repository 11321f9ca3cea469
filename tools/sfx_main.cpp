// sfx RECIPE OUTPUT.wav|OUTPUT.ogg
// Synthesises a recipe into 16-bit PCM WAV or Ogg Vorbis, chosen by the
// output's extension; exits 1 with "file:line: reason" on a bad recipe.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/ogg_writer.h"
#include "tools/synth.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: sfx RECIPE OUTPUT.wav|OUTPUT.ogg\n");
    return 2;
  }
  const std::string source = argv[1], output = argv[2];
  std::ifstream in(source, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "%s: cannot read recipe\n", source.c_str());
    return 1;
  }
  std::ostringstream text;
  text << in.rdbuf();
  tools::Recipe recipe;
  std::string error;
  if (!tools::ParseRecipe(text.str(), source, recipe, error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  const std::vector<float> samples = tools::RenderRecipe(recipe);
  const auto endsWith = [&](const char* ext) {
    const std::string e = ext;
    return output.size() > e.size() && output.compare(output.size() - e.size(), e.size(), e) == 0;
  };
  bool ok;
  if (endsWith(".ogg")) {
    ok = plat::WriteOggVorbis(output, samples, recipe.channels, recipe.rate,
                              static_cast<float>(recipe.quality));
  } else if (endsWith(".wav")) {
    ok = tools::WriteWav16(output, samples, recipe.channels, recipe.rate);
  } else {
    std::fprintf(stderr, "%s: output must end in .wav or .ogg\n", output.c_str());
    return 2;
  }
  if (!ok) {
    std::fprintf(stderr, "%s: cannot write\n", output.c_str());
    return 1;
  }
  return 0;
}
