// Reading WAV data for the virtual microphone. The RIFF structure is walked and
// checked here first (chunk sizes inside the data, a format chunk the devices can
// use, a data chunk), so that libsndfile, which then decodes the samples, only ever
// sees a well-formed WAV file. Samples are converted to the device's format:
// channels mixed or copied, the rate converted by linear interpolation, and the
// depth rounded to 8 (unsigned) or 16 bits.
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <vector>

#include "win32/audio_devices.h"
#include "winmm/wave_format.h"

namespace win32::audio {
namespace {

constexpr size_t kMaxFile = 256u * 1024 * 1024;
constexpr size_t kMaxOutput = 64u * 1024 * 1024;

std::uint32_t le32(const std::uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24); }
std::uint16_t le16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

struct Memory {
    const std::uint8_t* data;
    sf_count_t size;
    sf_count_t at;
};

sf_count_t vLength(void* u) { return static_cast<Memory*>(u)->size; }
sf_count_t vSeek(sf_count_t offset, int whence, void* u)
{
    auto* m = static_cast<Memory*>(u);
    sf_count_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? m->at : m->size;
    sf_count_t to = base + offset;
    if (to < 0 || to > m->size) return -1;
    m->at = to;
    return to;
}
sf_count_t vRead(void* out, sf_count_t count, void* u)
{
    auto* m = static_cast<Memory*>(u);
    sf_count_t n = std::max<sf_count_t>(0, std::min(count, m->size - m->at));
    std::memcpy(out, m->data + m->at, static_cast<size_t>(n));
    m->at += n;
    return n;
}
sf_count_t vWrite(const void*, sf_count_t, void*) { return 0; }
sf_count_t vTell(void* u) { return static_cast<Memory*>(u)->at; }

bool fail(std::string& error, const std::string& name, size_t at, const std::string& why)
{
    error = name + ": byte " + std::to_string(at) + ": " + why;
    return false;
}

// Walks the RIFF chunks; true when there is a usable "fmt " and a "data" chunk.
bool checkStructure(const std::uint8_t* d, size_t size, const std::string& name, std::string& error)
{
    if (size < 12 || std::memcmp(d, "RIFF", 4) != 0 || std::memcmp(d + 8, "WAVE", 4) != 0)
        return fail(error, name, 0, "not a WAV file (no RIFF WAVE header)");
    bool haveFormat = false, haveData = false;
    size_t at = 12;
    while (at + 8 <= size) {
        std::uint32_t length = le32(d + at + 4);
        if (length > size - at - 8) {
            // The last chunk of a file cut short, or a data chunk whose length was
            // never filled in: only the data chunk may run to the end.
            if (std::memcmp(d + at, "data", 4) != 0)
                return fail(error, name, at, "a chunk runs past the end of the file");
            length = static_cast<std::uint32_t>(size - at - 8);
        }
        const std::uint8_t* body = d + at + 8;
        if (std::memcmp(d + at, "fmt ", 4) == 0) {
            if (haveFormat) return fail(error, name, at, "a second format chunk");
            if (length < 16) return fail(error, name, at, "the format chunk is too short");
            std::uint16_t tag = le16(body), channels = le16(body + 2), bits = le16(body + 14);
            std::uint32_t rate = le32(body + 4);
            if (tag == 0xFFFE) {
                if (length < 40) return fail(error, name, at, "the extensible format chunk is too short");
                tag = le16(body + 24);  // the sub-format GUID starts with the format tag
            }
            if (tag != 1 && tag != 3) return fail(error, name, at, "not PCM or floating-point sound (format " + std::to_string(tag) + ")");
            if (channels < 1 || channels > 8) return fail(error, name, at, std::to_string(channels) + " channels");
            if (rate < 1000 || rate > 384000) return fail(error, name, at, std::to_string(rate) + " samples a second");
            bool okBits = tag == 1 ? (bits == 8 || bits == 16 || bits == 24 || bits == 32) : (bits == 32 || bits == 64);
            if (!okBits) return fail(error, name, at, std::to_string(bits) + " bits a sample");
            haveFormat = true;
        } else if (std::memcmp(d + at, "data", 4) == 0) {
            if (!haveFormat) return fail(error, name, at, "the sound comes before its format");
            haveData = true;
        }
        at += 8 + length + (length & 1);
    }
    if (!haveFormat) return fail(error, name, size, "no format chunk");
    if (!haveData) return fail(error, name, size, "no data chunk");
    return true;
}

std::int32_t toTarget(double sample, int bits)
{
    // sample is in [-1, 1); 8-bit output is unsigned, 16-bit signed.
    if (bits == 8) return std::clamp<std::int32_t>(static_cast<std::int32_t>(std::lround(sample * 128.0)) + 128, 0, 255);
    return std::clamp<std::int32_t>(static_cast<std::int32_t>(std::lround(sample * 32768.0)), -32768, 32767);
}

}  // namespace

bool readWav(const std::uint8_t* data, size_t size, const std::string& name, const WAVEFORMATEX& format,
             std::vector<std::uint8_t>& out, std::string& error)
{
    out.clear();
    if (!supportedFormat(format)) {
        error = name + ": the device format cannot be made from a WAV file";
        return false;
    }
    if (data == nullptr || !checkStructure(data, size, name, error)) return false;

    Memory mem{data, static_cast<sf_count_t>(size), 0};
    SF_VIRTUAL_IO io{vLength, vSeek, vRead, vWrite, vTell};
    SF_INFO info{};
    SNDFILE* file = sf_open_virtual(&io, SFM_READ, &info, &mem);
    if (file == nullptr) {
        error = name + ": " + sf_strerror(nullptr);
        return false;
    }
    int type = info.format & SF_FORMAT_TYPEMASK;
    if ((type != SF_FORMAT_WAV && type != SF_FORMAT_WAVEX) || info.channels < 1 || info.channels > 8 ||
        info.samplerate < 1000) {
        sf_close(file);
        error = name + ": not a WAV file this reader takes";
        return false;
    }
    const int inChannels = info.channels, outChannels = format.nChannels, bits = format.wBitsPerSample;
    const double step = static_cast<double>(info.samplerate) / format.nSamplesPerSec;

    // The input is read in pieces and converted as it goes: output frame o lies at
    // input position o * step, between input frames floor(pos) and floor(pos) + 1.
    std::vector<int> piece(4096 * static_cast<size_t>(inChannels));
    double prev[2] = {0, 0}, cur[2] = {0, 0};
    std::int64_t k = -1;  // the input frame in cur
    std::uint64_t nextOut = 0;
    auto emit = [&](const double* a, const double* b, double t) {
        for (int c = 0; c < outChannels; ++c) {
            std::int32_t v = toTarget(a[c] + (b[c] - a[c]) * t, bits);
            if (bits == 8) {
                out.push_back(static_cast<std::uint8_t>(v));
            } else {
                out.push_back(static_cast<std::uint8_t>(v & 0xFF));
                out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
            }
        }
    };
    bool tooLong = false;
    while (!tooLong) {
        sf_count_t got = sf_readf_int(file, piece.data(), 4096);
        if (got <= 0) break;
        for (sf_count_t i = 0; i < got && !tooLong; ++i) {
            const int* f = piece.data() + i * inChannels;
            auto value = [&](int c) { return f[c] / 2147483648.0; };
            prev[0] = cur[0];
            prev[1] = cur[1];
            if (outChannels == 1) {
                double sum = 0;
                for (int c = 0; c < inChannels; ++c) sum += value(c);
                cur[0] = sum / inChannels;
            } else {
                cur[0] = value(0);
                cur[1] = value(inChannels > 1 ? 1 : 0);
            }
            ++k;
            for (double pos = static_cast<double>(nextOut) * step; pos < static_cast<double>(k);
                 pos = static_cast<double>(++nextOut) * step)
                emit(prev, cur, pos - static_cast<double>(k - 1));
            tooLong = out.size() > kMaxOutput;
        }
    }
    sf_close(file);
    if (tooLong) {
        out.clear();
        error = name + ": the sound is longer than the 64 MiB the microphone takes";
        return false;
    }
    // The last input frame gives the outputs that fall on or after it.
    if (k >= 0)
        for (double pos = static_cast<double>(nextOut) * step; std::floor(pos) <= static_cast<double>(k);
             pos = static_cast<double>(++nextOut) * step)
            emit(cur, cur, 0);
    return true;
}

bool readWavFile(const std::string& path, const WAVEFORMATEX& format, std::vector<std::uint8_t>& out,
                 std::string& error)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) {
        error = path + ": cannot read the file";
        return false;
    }
    std::streamoff size = in.tellg();
    if (size < 0 || static_cast<size_t>(size) > kMaxFile) {
        error = path + ": the file is larger than 256 MiB";
        return false;
    }
    std::vector<std::uint8_t> bytes(static_cast<size_t>(size));
    in.seekg(0);
    in.read(reinterpret_cast<char*>(bytes.data()), size);
    if (!in) {
        error = path + ": cannot read the file";
        return false;
    }
    return readWav(bytes.data(), bytes.size(), path, format, out, error);
}

}  // namespace win32::audio
