// Save and load of the largest file, in memory and through files.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "Fields.h"
#include "LargestFile.h"
#include "Document.h"
#include "Walks.h"

using namespace params;
namespace fs = std::filesystem;

namespace {

std::vector<std::uint8_t> LargestFile() {
    VectorSink out;
    if (!EncodeParameterFile(ReadControls(LargestFileDialog()), out)) std::abort();
    return out.data;
}

void SaveToMemory(benchmark::State& state) {
    const MemoryDialog dlg = LargestFileDialog();
    for (auto _ : state) {
        VectorSink out;
        if (!EncodeParameterFile(ReadControls(dlg), out)) state.SkipWithError("does not encode");
        benchmark::DoNotOptimize(out.data.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * LargestFile().size()));
}
BENCHMARK(SaveToMemory);

void LoadFromMemory(benchmark::State& state) {
    const auto file = LargestFile();
    MemoryDialog dlg = LargestFileDialog();
    for (auto _ : state) {
        ParameterImage image;
        if (!DecodeParameterFile(file, true, Strictness::Load, image)) state.SkipWithError("does not decode");
        ApplyImage(image, dlg);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
}
BENCHMARK(LoadFromMemory);

// Through the file system: a temporary file, flushed to the disk, renamed.
class Files : public benchmark::Fixture {
public:
    void SetUp(const benchmark::State&) override {
        dir = fs::temp_directory_path() / "quillet-bench";
        fs::create_directories(dir);
        path = (dir / "set.prm").string();
    }
    void TearDown(const benchmark::State&) override { fs::remove_all(dir); }
    fs::path dir;
    std::string path;
};

BENCHMARK_F(Files, SaveParameterFile)(benchmark::State& state) {
    MemoryDialog dlg = LargestFileDialog();
    for (auto _ : state) {
        (void)Document().Save(path, dlg);
        if (dlg.messages.back() != kSaveDone) state.SkipWithError("save failed");
        dlg.messages.clear();
    }
}

BENCHMARK_F(Files, LoadParameterFile)(benchmark::State& state) {
    MemoryDialog dlg = LargestFileDialog();
    (void)Document().Save(path, dlg);
    for (auto _ : state) {
        (void)Document().Load(path, dlg);
        if (dlg.messages.back() != kLoadDone) state.SkipWithError("load failed");
        dlg.messages.clear();
    }
}

}  // namespace

BENCHMARK_MAIN();
