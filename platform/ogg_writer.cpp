#include "platform/atomic_file.h"
#include "platform/ogg_writer.h"

#include <vorbis/vorbisenc.h>

#include <cstdio>
#include <algorithm>

namespace plat {

namespace {

bool WritePages(FILE* file, ogg_stream_state& stream, bool flush) {
  ogg_page page;
  while (flush ? ogg_stream_flush(&stream, &page) : ogg_stream_pageout(&stream, &page)) {
    if (std::fwrite(page.header, 1, static_cast<size_t>(page.header_len), file) !=
            static_cast<size_t>(page.header_len) ||
        std::fwrite(page.body, 1, static_cast<size_t>(page.body_len), file) !=
            static_cast<size_t>(page.body_len)) {
      return false;
    }
  }
  return true;
}

bool Encode(FILE* file, const std::vector<float>& samples, int channels, int rate, float quality) {
  vorbis_info info;
  vorbis_info_init(&info);
  if (vorbis_encode_init_vbr(&info, channels, rate, quality) != 0) {
    vorbis_info_clear(&info);
    return false;
  }
  vorbis_comment comment;
  vorbis_comment_init(&comment);
  vorbis_comment_add_tag(&comment, "ENCODER", "Tumblestar asset tools");
  vorbis_dsp_state dsp;
  vorbis_block block;
  vorbis_analysis_init(&dsp, &info);
  vorbis_block_init(&dsp, &block);
  ogg_stream_state stream;
  // A fixed serial keeps the build reproducible.
  ogg_stream_init(&stream, 0x7457);

  bool ok = true;
  {
    ogg_packet header, headerComment, headerCode;
    vorbis_analysis_headerout(&dsp, &comment, &header, &headerComment, &headerCode);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &headerComment);
    ogg_stream_packetin(&stream, &headerCode);
    ok = WritePages(file, stream, true);
  }

  const long frames = static_cast<long>(samples.size() / static_cast<size_t>(channels));
  const long chunk = 1024;
  long done = 0;
  bool ended = false;
  while (ok && !ended) {
    const long n = std::min(chunk, frames - done);
    if (n > 0) {
      float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(n));
      for (long i = 0; i < n; ++i) {
        for (int c = 0; c < channels; ++c) {
          buffer[c][i] = samples[static_cast<size_t>((done + i) * channels + c)];
        }
      }
      vorbis_analysis_wrote(&dsp, static_cast<int>(n));
      done += n;
    } else {
      vorbis_analysis_wrote(&dsp, 0);  // end of stream
    }
    while (ok && vorbis_analysis_blockout(&dsp, &block) == 1) {
      vorbis_analysis(&block, nullptr);
      vorbis_bitrate_addblock(&block);
      ogg_packet packet;
      while (ok && vorbis_bitrate_flushpacket(&dsp, &packet)) {
        ogg_stream_packetin(&stream, &packet);
        ok = WritePages(file, stream, false);
      }
    }
    if (n <= 0) ended = true;
  }
  if (ok) ok = WritePages(file, stream, true);

  ogg_stream_clear(&stream);
  vorbis_block_clear(&block);
  vorbis_dsp_clear(&dsp);
  vorbis_comment_clear(&comment);
  vorbis_info_clear(&info);
  return ok;
}

}  // namespace

bool WriteOggVorbis(const std::string& path, const std::vector<float>& interleaved, int channels,
                    int rate, float quality) {
  if (path.empty() || channels < 1 || channels > 2 || rate < 8000 || rate > 192000) return false;
  if (interleaved.empty() || interleaved.size() % static_cast<size_t>(channels) != 0) return false;
  if (quality < -0.1f || quality > 1.0f) return false;
  return detail::WriteFileAtomically(
      path, [&](FILE* file) { return Encode(file, interleaved, channels, rate, quality); });
}

}  // namespace plat
