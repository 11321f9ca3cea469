// Ogg Vorbis encoding for the build's sound tools. Kept out of platform.h
// because the game itself never encodes audio.
#pragma once

#include <string>
#include <vector>

namespace plat {

// Encodes interleaved float samples (-1..1, `channels` per frame, `rate` Hz)
// as Ogg Vorbis at VBR quality -0.1..1. Writes a temp file and renames it;
// false on bad arguments or any encoder or file failure.
bool WriteOggVorbis(const std::string& path, const std::vector<float>& interleaved, int channels,
                    int rate, float quality);

}  // namespace plat
