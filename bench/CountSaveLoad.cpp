// One save and one load of the largest file in memory, for counting their
// instructions under callgrind: run with --instr-atstart=no, so that only
// the region between the start and stop marks is counted.
#include <valgrind/callgrind.h>

#include <cstdio>

#include "Fields.h"
#include "LargestFile.h"
#include "Walks.h"

using namespace params;

namespace {

bool SaveAndLoad(const MemoryDialog& source, MemoryDialog& target) {
    VectorSink out;
    ParameterImage loaded;
    if (!EncodeParameterFile(ReadControls(source), out) ||
        !DecodeParameterFile(out.data, true, Strictness::Load, loaded))
        return false;
    ApplyImage(loaded, target);
    return true;
}

}  // namespace

int main() {
    const MemoryDialog source = LargestFileDialog();
    MemoryDialog target = LargestFileDialog();
    // Once before counting, so that the dynamic linker's first calls are not counted.
    const bool warm = SaveAndLoad(source, target);

    CALLGRIND_START_INSTRUMENTATION;
    const bool done = SaveAndLoad(source, target);
    CALLGRIND_STOP_INSTRUMENTATION;

    const bool ok = warm && done && ReadControls(target) == ReadControls(source);
    std::printf("the largest file saved and loaded%s\n", ok ? "" : ": FAILED");
    return ok ? 0 : 1;
}
