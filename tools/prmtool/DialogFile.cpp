#include "DialogFile.h"

#include "Fields.h"
#include "Walks.h"

namespace prmtool {

using namespace params;

MemoryDialog StartupDialog() {
    MemoryDialog dialog;
    ApplyDefaults(dialog);
    return dialog;
}

Result LoadFile(const std::string& path, MemoryDialog& dialog, Strictness strictness) {
    std::vector<std::uint8_t> bytes;
    if (Result read = ReadFilePrefix(path, kMaxFileSize, bytes); !read) return read;
    ParameterImage image;
    if (const Result decoded = DecodeParameterFile(bytes, true, strictness, image); !decoded)
        return Result::Fail("damaged: " + decoded.GetProblem().Describe());
    ApplyWholeImage(image, dialog);
    return {};
}

Result SaveFile(const MemoryDialog& dialog, const std::string& path, Saving saving) {
    VectorSink bytes;
    if (Result encoded = EncodeParameterFile(ReadControls(dialog), bytes); !encoded) return encoded;
    return saving == Saving::NewFile ? WriteNewFile(path, bytes.data) : WriteFileAtomically(path, bytes.data);
}

}  // namespace prmtool
