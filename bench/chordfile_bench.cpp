#include "formats/chordfile.h"
#include "formats/language_file.h"
#include "platform/file.h"
#include "support/bench_size.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <pugixml.hpp>
#include <zlib.h>

using namespace strumvale;

namespace {

const char* const kRoots[] = {"A", "A#", "B", "C", "C#", "D", "D#", "E", "F", "F#", "G", "G#"};

// A library of chordCount chords with a scale per 10 chords, a tuning per 100
// and a drum pattern per 100.
model::ChordDocument generatedLibrary(long chordCount) {
    model::ChordDocument document;
    document.Info = "Generated library";
    document.Author = "Benchmark";
    document.Homepage = "localhost";
    for (long i = 0; i < chordCount; ++i)
        document.Chords.Add({kRoots[i % 12],
                             std::string(kRoots[i % 12]) + "m7 voicing " + std::to_string(i),
                             "x " + std::to_string(i % 13) + " 2 0 1 0"});
    for (long i = 0; i < chordCount / 10; ++i) {
        model::Scale scale;
        scale.Name = "Scale " + std::to_string(i);
        scale.setIntervals("1 2 b3 4 5 b6 b7");
        scale.setNotes("C D D# F G G# A#");
        scale.Description = "Generated;scale";
        document.Scales.Add(scale);
    }
    for (long i = 0; i < chordCount / 100; ++i) {
        document.Tunings.Add({"Tuning " + std::to_string(i), "D1,A1,D2,G2,B2,E3"});
        model::DrumPattern pattern;
        pattern.Name = "Pattern " + std::to_string(i);
        for (int step = 1; step <= 16; step += 2)
            pattern.Pattern[model::DrumPattern::cellIndex(step, 1 + step % 8)] = 1;
        document.DrumPatterns.Add(pattern);
    }
    return document;
}

std::string benchFile(long chordCount) {
    return (std::filesystem::temp_directory_path() /
            ("strumvale-bench-" + std::to_string(chordCount) + ".gtr"))
        .string();
}

void LoadChordfile(benchmark::State& state) {
    long count = bench::scaled(state.range(0));
    std::string path = benchFile(count);
    formats::SaveChordfile(generatedLibrary(count), path);
    for (auto _ : state) {
        model::ChordDocument document;
        if (!formats::LoadChordfile(document, path))
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(document.Chords.Count());
    }
    state.counters["chords"] = static_cast<double>(count);
    std::remove(path.c_str());
}
BENCHMARK(LoadChordfile)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void SaveChordfile(benchmark::State& state) {
    long count = bench::scaled(state.range(0));
    std::string path = benchFile(count);
    const model::ChordDocument document = generatedLibrary(count);
    for (auto _ : state)
        formats::SaveChordfile(document, path);
    state.counters["chords"] = static_cast<double>(count);
    std::remove(path.c_str());
}
BENCHMARK(SaveChordfile)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The yardstick: the same archive read with bare zlib and parsed by pugixml,
// with every field copied into records.
std::string inflateFirstEntry(const std::string& archive) {
    auto u16 = [&](std::size_t at) {
        return static_cast<unsigned>(static_cast<unsigned char>(archive[at])) |
               static_cast<unsigned>(static_cast<unsigned char>(archive[at + 1])) << 8;
    };
    auto u32 = [&](std::size_t at) { return u16(at) | u16(at + 2) << 16; };
    std::size_t data = 30 + u16(26) + u16(28);
    std::string out(u32(22), '\0');
    z_stream stream{};
    inflateInit2(&stream, -15);
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(archive.data() + data));
    stream.avail_in = u32(18);
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    inflate(&stream, Z_FINISH);
    inflateEnd(&stream);
    if (crc32(0, reinterpret_cast<const Bytef*>(out.data()), static_cast<uInt>(out.size())) !=
        u32(14))
        out.clear();
    return out;
}

void ReferenceReader(benchmark::State& state) {
    long count = bench::scaled(state.range(0));
    std::string path = benchFile(count);
    formats::SaveChordfile(generatedLibrary(count), path);
    for (auto _ : state) {
        std::string archive;
        platform::readWholeFile(path, archive);
        std::string text = inflateFirstEntry(archive);
        pugi::xml_document xml;
        xml.load_buffer(text.data(), text.size());
        model::ChordDocument document;
        auto root = xml.first_child();
        auto description = root.child("Description");
        document.Info = description.child_value("Info");
        document.Author = description.child_value("Author");
        document.Homepage = description.child_value("Homepage");
        for (auto tuning : root.child("Tunings").children("Tuning"))
            document.Tunings.Add({tuning.child_value("Name"), tuning.child_value("Notes")});
        for (auto node : root.child("Scales").children("Scale")) {
            model::Scale scale;
            scale.Name = node.child_value("Name");
            scale.setIntervals(node.child_value("Intervals"));
            scale.setNotes(node.child_value("Notes"));
            scale.Description = node.child_value("Description");
            document.Scales.Add(scale);
        }
        for (auto chord : root.child("Chords").children("Chord"))
            document.Chords.Add({chord.child_value("RootNote"), chord.child_value("Name"),
                                 chord.child_value("Tab")});
        for (auto node : root.child("Drumpatterns").children("Drumpattern")) {
            model::DrumPattern pattern;
            pattern.Name = node.child_value("Name");
            pattern.Tempo = std::atoi(node.child_value("Tempo"));
            document.DrumPatterns.Add(pattern);
        }
        benchmark::DoNotOptimize(document.Chords.Count());
    }
    state.counters["chords"] = static_cast<double>(count);
    std::remove(path.c_str());
}
BENCHMARK(ReferenceReader)->Arg(100000)->Unit(benchmark::kMillisecond);

void TranslateEveryBuiltInKey(benchmark::State& state) {
    formats::TranslationTable table;
    formats::LoadLanguage(table, "English (Built-in)");
    formats::TextList keys;
    formats::BuiltInPhrases(keys);
    for (auto _ : state) {
        for (const auto& key : keys)
            benchmark::DoNotOptimize(formats::Translate(table, key));
    }
    state.counters["keys"] = static_cast<double>(keys.size());
}
BENCHMARK(TranslateEveryBuiltInKey)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
