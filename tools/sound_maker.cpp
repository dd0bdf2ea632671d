// Makes Gorvath's sound effects from the sources in tools/sounds.
//
//   sound_maker SOURCE.txt OUTPUT.ogg
//
// A source gives the sample rate and the voices that sound together, one to a
// line, each with its wave, when it starts and how long it lasts (seconds),
// the pitch it glides from and to (hertz, evenly in pitch), and its volume:
//
//   rate 22050
//   #      wave    start  length  from  to   volume
//   voice  square  0.00   0.12    1400  300  0.25
//
// The waves are sine, triangle, square, saw and noise (for noise, the pitch is
// how often it changes). Each voice rises in 4 ms and dies away to nothing at
// its end. The mix, mono, is written as Ogg Vorbis.
#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Voice {
    std::string wave;
    double start = 0, length = 0, from = 0, to = 0, volume = 0;
};

[[noreturn]] void fail(int line, const std::string& message) {
    std::cerr << "line " << line << ": " << message << "\n";
    std::exit(1);
}

// One sample of the wave at phase p (in turns, 0 to 1).
double waveAt(const std::string& wave, double p, unsigned& noise, double& held, double& lastPhase) {
    if (wave == "sine") {
        return std::sin(2 * std::numbers::pi * p);
    }
    if (wave == "triangle") {
        return p < 0.5 ? 4 * p - 1 : 3 - 4 * p;
    }
    if (wave == "square") {
        return p < 0.5 ? 1.0 : -1.0;
    }
    if (wave == "saw") {
        return 2 * p - 1;
    }
    if (p < lastPhase) { // noise: a new random level at every turn
        noise = noise * 1664525u + 1013904223u;
        held = static_cast<double>(noise >> 8) / (1 << 23) - 1.0;
    }
    lastPhase = p;
    return held;
}

std::vector<float> mix(const std::vector<Voice>& voices, int rate) {
    double end = 0;
    for (const Voice& v : voices) {
        end = std::max(end, v.start + v.length);
    }
    std::vector<float> samples(static_cast<size_t>(std::ceil(end * rate)), 0.0f);
    for (const Voice& v : voices) {
        double phase = 0, held = 0, lastPhase = 0;
        unsigned noise = 12345;
        const auto first = static_cast<size_t>(v.start * rate), count = static_cast<size_t>(v.length * rate);
        for (size_t i = 0; i < count && first + i < samples.size(); ++i) {
            const double x = static_cast<double>(i) / static_cast<double>(count);
            const double t = static_cast<double>(i) / rate;
            const double envelope = std::min(1.0, t / 0.004) * (1 - x) * (1 - x);
            samples[first + i] +=
                static_cast<float>(v.volume * envelope * waveAt(v.wave, phase, noise, held, lastPhase));
            phase += v.from * std::pow(v.to / v.from, x) / rate;
            phase -= std::floor(phase);
        }
    }
    for (float& s : samples) {
        s = std::clamp(s, -1.0f, 1.0f);
    }
    return samples;
}

bool writeOgg(const std::vector<float>& samples, int rate, const char* path) {
    FILE* out = std::fopen(path, "wb");
    if (!out) {
        return false;
    }
    vorbis_info info;
    vorbis_info_init(&info);
    vorbis_encode_init_vbr(&info, 1, rate, 0.4f);
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_comment_add_tag(&comment, "ENCODER", "Gorvath sound_maker");
    vorbis_dsp_state dsp;
    vorbis_block block;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, 1); // a fixed serial number: the same source makes the same file
    ogg_page page;
    const auto writePage = [&page, out] {
        std::fwrite(page.header, 1, static_cast<size_t>(page.header_len), out);
        std::fwrite(page.body, 1, static_cast<size_t>(page.body_len), out);
    };

    ogg_packet headers[3];
    vorbis_analysis_headerout(&dsp, &comment, &headers[0], &headers[1], &headers[2]);
    for (ogg_packet& header : headers) {
        ogg_stream_packetin(&stream, &header);
    }
    while (ogg_stream_flush(&stream, &page)) {
        writePage();
    }
    float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(samples.size()));
    std::copy(samples.begin(), samples.end(), buffer[0]);
    vorbis_analysis_wrote(&dsp, static_cast<int>(samples.size()));
    vorbis_analysis_wrote(&dsp, 0); // the end
    ogg_packet packet;
    while (vorbis_analysis_blockout(&dsp, &block) == 1) {
        vorbis_analysis(&block, nullptr);
        vorbis_bitrate_addblock(&block);
        while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
            ogg_stream_packetin(&stream, &packet);
            while (ogg_stream_pageout(&stream, &page)) {
                writePage();
            }
        }
    }
    while (ogg_stream_flush(&stream, &page)) {
        writePage();
    }
    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return std::fclose(out) == 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: sound_maker SOURCE.txt OUTPUT.ogg\n";
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::cerr << "cannot read " << argv[1] << "\n";
        return 1;
    }
    int rate = 22050, number = 0;
    std::vector<Voice> voices;
    for (std::string line; std::getline(in, line);) {
        ++number;
        std::istringstream words(line.substr(0, line.find('#')));
        std::string word;
        if (!(words >> word)) {
            continue;
        }
        Voice v;
        if (word == "rate" && words >> rate && rate >= 8000 && rate <= 48000) {
            continue;
        }
        if (word != "voice" || !(words >> v.wave >> v.start >> v.length >> v.from >> v.to >> v.volume)) {
            fail(number, "expected: voice WAVE START LENGTH FROM TO VOLUME, or rate HZ");
        }
        if (v.wave != "sine" && v.wave != "triangle" && v.wave != "square" && v.wave != "saw" &&
            v.wave != "noise") {
            fail(number, "no such wave: " + v.wave);
        }
        if (v.start < 0 || v.length <= 0 || v.start + v.length > 5 || v.from <= 0 || v.to <= 0 ||
            v.volume <= 0 || v.volume > 1) {
            fail(number, "out of range");
        }
        voices.push_back(v);
    }
    if (voices.empty()) {
        fail(number, "no voices");
    }
    if (!writeOgg(mix(voices, rate), rate, argv[2])) {
        std::cerr << "cannot write " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
