// One save and one load of the largest file in memory, for counting their
// instructions under callgrind: run with --instr-atstart=no, so that only
// the region between the start and stop marks is counted.
#include <valgrind/callgrind.h>

#include <cstdio>

#include "Fields.h"
#include "LargestFile.h"
#include "Walks.h"

using namespace params;

int main() {
    const MemoryDialog source = LargestFileDialog();
    MemoryDialog target = LargestFileDialog();
    VectorSink out;
    out.data.reserve(kMaxFileSize);
    ParameterImage loaded;

    CALLGRIND_START_INSTRUMENTATION;
    const bool saved = static_cast<bool>(EncodeParameterFile(ReadControls(source), out));
    const bool read = static_cast<bool>(DecodeParameterFile(out.data, true, Strictness::Load, loaded));
    if (read) ApplyImage(loaded, target);
    CALLGRIND_STOP_INSTRUMENTATION;

    const bool same = ReadControls(target) == ReadControls(source);
    std::printf("%zu bytes saved and loaded%s\n", out.data.size(), saved && read && same ? "" : ": FAILED");
    return saved && read && same ? 0 : 1;
}
