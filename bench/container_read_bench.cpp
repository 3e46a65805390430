// Reading a chordfile against the floor of what it must do (read the file,
// inflate, CRC-32), and saving one. STRUMVALE_BENCH_SHORT=1 uses a small entry.
#include "container/container.h"
#include "container/zip_archive.h"
#include "platform/file.h"

#include <benchmark/benchmark.h>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <zlib.h>

using namespace strumvale;

namespace {

std::string chordText(std::size_t size) {
    static const char* const names[] = {"C", "Cm7", "Dsus4", "E7", "F#m", "G/B", "Am9", "Bb"};
    std::string text = "<?xml version=\"1.0\"?>\r\n<Chordfile>\r\n";
    std::uint32_t seed = 1;
    while (text.size() < size) {
        seed = seed * 1103515245u + 12345u;
        text += "\t<Chord Name=\"";
        text += names[(seed >> 16) % 8];
        text += "\" Tab=\"";
        for (int s = 0; s < 6; ++s)
            text += std::to_string((seed >> (s * 4)) % 13) + (s < 5 ? " " : "\"/>\r\n");
    }
    text.resize(size);
    return text;
}

struct Fixture {
    std::string folder;
    std::string archive;
    std::string document;

    Fixture() {
        std::string pattern = (std::filesystem::temp_directory_path() / "strumvale-bench-XXXXXX");
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot create a temporary folder");
        folder = pattern;
        archive = folder + "/library.gtr";
        bool shortRun = std::getenv("STRUMVALE_BENCH_SHORT") != nullptr;
        document = chordText(shortRun ? 256 * 1024 : 10 * 1000 * 1000);
        container::WriteSingleEntry(archive, "chords.xml", document);
    }
    ~Fixture() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

std::uint32_t le(const std::string& b, std::size_t at, int width) {
    std::uint32_t v = 0;
    for (int i = width - 1; i >= 0; --i)
        v = v << 8 | static_cast<unsigned char>(b[at + static_cast<std::size_t>(i)]);
    return v;
}

void ReadFirstEntry(benchmark::State& state) {
    const Fixture& f = fixture();
    for (auto _ : state) {
        std::string buffer;
        container::ReadFirstEntry(f.archive, buffer);
        if (buffer.size() != f.document.size())
            state.SkipWithError("wrong size");
        benchmark::DoNotOptimize(buffer.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.document.size()));
}

// The same entry with nothing but the unavoidable work.
void BareInflateAndCrc(benchmark::State& state) {
    const Fixture& f = fixture();
    for (auto _ : state) {
        std::string zip;
        if (!platform::readWholeFile(f.archive, zip))
            state.SkipWithError("cannot read");
        std::size_t data = 30 + le(zip, 26, 2) + le(zip, 28, 2);
        std::string out(le(zip, 22, 4), '\0');
        z_stream stream{};
        inflateInit2(&stream, -MAX_WBITS);
        stream.next_in = reinterpret_cast<Bytef*>(zip.data() + data);
        stream.avail_in = le(zip, 18, 4);
        stream.next_out = reinterpret_cast<Bytef*>(out.data());
        stream.avail_out = static_cast<uInt>(out.size());
        int status = inflate(&stream, Z_FINISH);
        inflateEnd(&stream);
        uLong crc =
            crc32(0, reinterpret_cast<const Bytef*>(out.data()), static_cast<uInt>(out.size()));
        if (status != Z_STREAM_END || crc != le(zip, 14, 4))
            state.SkipWithError("inflate failed");
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.document.size()));
}

void WriteSingleEntry(benchmark::State& state) {
    const Fixture& f = fixture();
    std::string target = f.folder + "/saved.gtr";
    for (auto _ : state)
        container::WriteSingleEntry(target, "chords.xml", f.document);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.document.size()));
}

// Saving without the disk: deflate and records only.
void BuildArchiveInMemory(benchmark::State& state) {
    const Fixture& f = fixture();
    for (auto _ : state) {
        std::string zip = container::buildSingleEntryArchive("x", "chords.xml", f.document, 0);
        benchmark::DoNotOptimize(zip.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.document.size()));
}

} // namespace

BENCHMARK(ReadFirstEntry)->Unit(benchmark::kMillisecond);
BENCHMARK(BareInflateAndCrc)->Unit(benchmark::kMillisecond);
BENCHMARK(WriteSingleEntry)->Unit(benchmark::kMillisecond);
BENCHMARK(BuildArchiveInMemory)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
