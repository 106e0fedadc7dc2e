#include "Platform.h"

namespace prmtool {

// Arguments and streams already are bytes, UTF-8 by convention.
Args Utf8Arguments(int argc, char** argv) { return Args(argv + 1, argv + argc); }

void UseUtf8Streams() {}

}  // namespace prmtool
