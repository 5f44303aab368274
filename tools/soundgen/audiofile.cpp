// WAV goes through libsndfile. Ogg goes straight through libvorbisenc:
// libsndfile's Ogg writer picks a random stream serial on every run, which
// would make the music differ byte for byte between two identical builds.
#include "audiofile.h"

#include <ogg/ogg.h>
#include <sndfile.h>
#include <vorbis/vorbisenc.h>

#include <cstdio>

constexpr int kEncodeBlockFrames = 1024;

bool writeWav(const std::string& path, const Buffer& mono)
{
    SF_INFO info {};
    info.samplerate = kSampleRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) {
        std::fprintf(stderr, "soundgen: cannot write %s: %s\n", path.c_str(), sf_strerror(nullptr));
        return false;
    }
    // Without this libsndfile wraps values at full scale instead of clipping.
    sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    sf_count_t written = sf_write_float(file, mono.data(), sf_count_t(mono.size()));
    sf_close(file);
    if (written != sf_count_t(mono.size())) {
        std::fprintf(stderr, "soundgen: short write to %s\n", path.c_str());
        return false;
    }
    return true;
}

namespace {

bool writePages(FILE* out, ogg_stream_state& stream, bool flush)
{
    ogg_page page;
    while (flush ? ogg_stream_flush(&stream, &page) : ogg_stream_pageout(&stream, &page)) {
        if (std::fwrite(page.header, 1, size_t(page.header_len), out) != size_t(page.header_len)
            || std::fwrite(page.body, 1, size_t(page.body_len), out) != size_t(page.body_len))
            return false;
    }
    return true;
}

} // namespace

bool writeOgg(
    const std::string& path, const Stereo& music, int serial, const std::string& title,
    const OggEncoding& encoding)
{
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) {
        std::perror(("soundgen: cannot write " + path).c_str());
        return false;
    }
    vorbis_info info;
    vorbis_info_init(&info);
    const int refused = encoding.averageBitrate > 0
        ? vorbis_encode_init(&info, encoding.channels, kSampleRate, -1, encoding.averageBitrate, -1)
        : vorbis_encode_init_vbr(&info, encoding.channels, kSampleRate, encoding.quality);
    if (refused != 0) {
        std::fprintf(stderr, "soundgen: Vorbis encoder refused its settings\n");
        vorbis_info_clear(&info);
        std::fclose(out);
        return false;
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_comment_add_tag(&comment, "TITLE", title.c_str());
    vorbis_comment_add_tag(&comment, "ARTIST", "Tether soundgen");

    vorbis_dsp_state dsp;
    vorbis_block block;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, serial);

    ogg_packet header, headerComment, headerCode;
    vorbis_analysis_headerout(&dsp, &comment, &header, &headerComment, &headerCode);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &headerComment);
    ogg_stream_packetin(&stream, &headerCode);
    bool ok = writePages(out, stream, true); // audio starts on a fresh page

    size_t done = 0, total = music.frames();
    bool ended = false;
    while (ok && !ended) {
        size_t count = std::min<size_t>(kEncodeBlockFrames, total - done);
        if (count == 0) {
            vorbis_analysis_wrote(&dsp, 0); // end of stream
        } else {
            float** in = vorbis_analysis_buffer(&dsp, int(count));
            std::copy_n(music.left.begin() + long(done), count, in[0]);
            if (encoding.channels == 2)
                std::copy_n(music.right.begin() + long(done), count, in[1]);
            else
                for (size_t i = 0; i < count; ++i)
                    in[0][i] = 0.5f * (in[0][i] + music.right[done + i]);
            vorbis_analysis_wrote(&dsp, int(count));
            done += count;
        }
        while (ok && vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
                ogg_stream_packetin(&stream, &packet);
                ok = writePages(out, stream, false);
                if (packet.e_o_s)
                    ended = true;
            }
        }
    }
    ok = ok && writePages(out, stream, true);

    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    if (std::fclose(out) != 0)
        ok = false;
    if (!ok)
        std::fprintf(stderr, "soundgen: failed writing %s\n", path.c_str());
    return ok;
}
