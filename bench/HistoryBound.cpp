// The memory undo holds: 10,000 changes with 255 rows in the table, each a
// cell edit (a new version of the table) or a number typed into a box, in
// turn. Prints the steps kept, the bytes the history counts for them and how
// much the process grew, measured by the system (peak resident set).
#include <sys/resource.h>

#include <cstdio>
#include <string>

#include "ControlIds.h"
#include "EditHistory.h"
#include "MemoryDialog.h"
#include "SpriteTable.h"
#include "Walks.h"

namespace {

long PeakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

}  // namespace

int main() {
    params::MemoryDialog dlg;
    params::ApplyDefaults(dlg);
    for (int i = 0; i < params::kMaxTableRows; ++i) params::AddTableRow(dlg);
    params::EditHistory history;
    history.Reset(dlg);
    const long before = PeakKilobytes();
    std::vector<params::RowTexts> rows = dlg.GetRows(IDC_SPRITE_TABLE);
    std::uint64_t clock = 0;
    for (int i = 0; i < 10000; ++i) {
        clock += params::EditHistory::kTypingPauseMs + 1;
        if (i % 2) {
            rows[static_cast<std::size_t>(i % params::kMaxTableRows)][2] = std::to_string(i);
            dlg.SetRows(IDC_SPRITE_TABLE, rows);
            history.Record(dlg, 0, clock);
        } else {
            dlg.SetText(IDC_LEVELUP_HP0, std::to_string(i % 100));
            history.Record(dlg, IDC_LEVELUP_HP0, clock);
        }
    }
    std::printf("Undo history after 10,000 changes with 255 rows (cell edits and typing in turn): %zu steps kept, "
                "%zu KB counted (bound %zu KB), the process grew by %ld KB at its peak\n",
                history.Steps(), history.Bytes() / 1024, params::EditHistory::kMaxBytes / 1024,
                PeakKilobytes() - before);
    return 0;
}
