#include "DialogFile.h"

#include <cerrno>
#include <cstring>

#include "Fields.h"
#include "Walks.h"

namespace prmtool {

using namespace params;

MemoryDialog StartupDialog() {
    MemoryDialog dialog;
    ApplyDefaults(dialog);
    return dialog;
}

std::string Describe(const FormatError& error) {
    return error.field + " at offset " + std::to_string(error.offset) + ": " + error.problem;
}

std::string SystemError(const char* what) {
    return errno != 0 ? std::string(what) + ": " + std::strerror(errno) : std::string(what);
}

std::string LoadFile(const std::string& path, MemoryDialog& dialog) {
    std::vector<std::uint8_t> bytes;
    errno = 0;
    if (!ReadFilePrefix(path, kMaxFileSize, bytes)) return SystemError("cannot read the file");
    ParameterImage image;
    if (const auto error = DecodeParameterFile(bytes, true, Strictness::Load, image))
        return "damaged: " + Describe(*error);
    dialog.SetChecked(IDC_ADVANCED_ENABLED, image.advanced);
    ApplyImage(image, dialog);
    return {};
}

std::string SaveFile(const MemoryDialog& dialog, const std::string& path) {
    VectorSink bytes;
    if (!EncodeParameterFile(ReadControls(dialog), bytes))
        return "the sprite attribute table has more than " + std::to_string(kMaxTableRows) + " rows";
    errno = 0;
    if (!WriteFileAtomically(path, bytes.data)) return SystemError("cannot write the file");
    return {};
}

}  // namespace prmtool
