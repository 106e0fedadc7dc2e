#include "DialogFile.h"

#include "Walks.h"

namespace prmtool {

params::MemoryDialog StartupDialog() {
    params::MemoryDialog dialog;
    params::ApplyDefaults(dialog);
    return dialog;
}

}  // namespace prmtool
