#include "audio/sound_file.h"

#include "files/data_file.h"

#define STB_VORBIS_HEADER_ONLY
#include <stb_vorbis.h>

#include <memory>
#include <string>
#include <vector>

namespace {

unsigned byteAt(std::string_view bytes, size_t i) { return static_cast<unsigned char>(bytes[i]); }

constexpr size_t pageHeaderBytes = 27; // up to the segment count, which ends it
constexpr unsigned endOfStream = 4;    // the page's header type: the stream's last page

// The decoder works in memory we give it, many times what any real sound
// needs (ours under 200 kB, a stereo one of the highest quality about as much): a broken file cannot make it
// ask for more, and what it leaves behind when it gives up on one goes with the memory.
constexpr int decoderBytes = 1 << 20;

// The stream's pages, in order: where each page's segment table and body begin.
struct OggPage {
    size_t segments = 0, table = 0, body = 0; // the segment count; where the table and the body begin
    bool last = false;                        // it closes the stream
};

std::vector<OggPage> oggPages(std::string_view bytes) {
    std::vector<OggPage> pages;
    for (size_t at = 0; at < bytes.size();) {
        if (bytes.size() - at < pageHeaderBytes || bytes.substr(at, 4) != "OggS" ||
            byteAt(bytes, at + 4) != 0) {
            return {};
        }
        OggPage page{byteAt(bytes, at + 26), at + pageHeaderBytes,
                     at + pageHeaderBytes + byteAt(bytes, at + 26),
                     (byteAt(bytes, at + 5) & endOfStream) != 0};
        size_t end = page.body;
        for (size_t i = 0; i < page.segments && page.table + i < bytes.size(); ++i) {
            end += byteAt(bytes, page.table + i);
        }
        if (end > bytes.size()) {
            return {};
        }
        pages.push_back(page);
        at = end;
    }
    return pages;
}

// The stream's second packet, the comment header, which begins the second page.
std::string commentPacket(std::string_view bytes, const std::vector<OggPage>& pages) {
    std::string packet;
    for (size_t p = 1; p < pages.size(); ++p) {
        size_t at = pages[p].body;
        for (size_t i = 0; i < pages[p].segments; ++i) {
            const size_t length = byteAt(bytes, pages[p].table + i);
            packet.append(bytes.substr(at, length));
            at += length;
            if (length < 255) {
                return packet;
            }
        }
    }
    return packet;
}

// Whether every length the comment header gives (the vendor's, the count of
// comments, each comment's) stays inside it. The decoder trusts them, and one
// near 2^31 makes it write outside its memory.
bool commentsFit(std::string_view packet) {
    const auto length = [&packet](size_t at) {
        return at + 4 > packet.size()
                   ? ~size_t{0}
                   : byteAt(packet, at) | byteAt(packet, at + 1) << 8 | byteAt(packet, at + 2) << 16 |
                         size_t{byteAt(packet, at + 3)} << 24;
    };
    size_t at = 7; // past the packet type and "vorbis"
    const size_t vendor = length(at);
    if (vendor > packet.size()) {
        return false;
    }
    at += 4 + vendor;
    const size_t comments = length(at);
    at += 4;
    for (size_t i = 0; i < comments && at <= packet.size(); ++i) {
        const size_t comment = length(at);
        if (comment > packet.size()) {
            return false;
        }
        at += 4 + comment;
    }
    return comments <= packet.size() && at <= packet.size();
}

} // namespace

bool acceptableSoundFile(std::string_view bytes) {
    const std::vector<OggPage> pages = oggPages(bytes);
    return pages.size() >= 2 && pages.back().last && commentsFit(commentPacket(bytes, pages));
}

std::optional<DecodedSound> decodeSoundFile(const char* path) {
    const std::optional<std::string> bytes = readDataFile(path, maxSoundBytes);
    if (!bytes || !acceptableSoundFile(*bytes)) {
        return std::nullopt;
    }
    int error = 0;
    // Left as it is: the decoder writes before it reads.
    const std::unique_ptr<char[]> memory(new char[decoderBytes]);
    const stb_vorbis_alloc arena{memory.get(), decoderBytes};
    const std::unique_ptr<stb_vorbis, void (*)(stb_vorbis*)> vorbis(
        stb_vorbis_open_memory(reinterpret_cast<const unsigned char*>(bytes->data()),
                               static_cast<int>(bytes->size()), &error, &arena),
        stb_vorbis_close);
    if (!vorbis) {
        return std::nullopt;
    }
    const stb_vorbis_info info = stb_vorbis_get_info(vorbis.get());
    if (info.channels < 1 || info.channels > 2 || info.sample_rate < 8000 || info.sample_rate > 96000) {
        return std::nullopt;
    }
    DecodedSound sound{{}, info.channels, static_cast<int>(info.sample_rate)};
    const size_t most = static_cast<size_t>(maxSoundSeconds) * info.sample_rate * info.channels;
    short chunk[4096];
    for (int frames;
         (frames = stb_vorbis_get_samples_short_interleaved(vorbis.get(), info.channels, chunk, 4096)) > 0;) {
        sound.samples.insert(sound.samples.end(), chunk, chunk + frames * info.channels);
        if (sound.samples.size() > most) {
            return std::nullopt;
        }
    }
    if (sound.samples.empty() || stb_vorbis_get_error(vorbis.get()) != VORBIS__no_error) {
        return std::nullopt;
    }
    return sound;
}
