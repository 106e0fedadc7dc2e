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

Result LoadFile(const HeldFile& file, MemoryDialog& dialog, Strictness strictness, std::size_t* dropped) {
    // One byte more than the walk reads tells whether anything follows its last field.
    std::vector<std::uint8_t> bytes;
    if (Result read = file.Read(kMaxFileSize + 1, bytes); !read) return read;
    ParameterImage image;
    if (const Result decoded = DecodeParameterFile(bytes, true, strictness, image); !decoded)
        return Result::Fail("damaged: " + decoded.GetProblem().Describe());
    if (dropped) {
        VectorSink kept;
        *dropped = EncodeParameterFile(image, kept) && bytes.size() > kept.data.size() ? bytes.size() - kept.data.size() : 0;
    }
    ApplyWholeImage(image, dialog);
    return {};
}

Result LoadFile(const std::string& path, MemoryDialog& dialog) {
    HeldFile file;
    if (Result opened = file.Open(path, HeldFile::Use::Read); !opened) return opened;
    return LoadFile(file, dialog);
}

namespace {

Result Encode(const MemoryDialog& dialog, std::vector<std::uint8_t>& out) {
    VectorSink bytes;
    if (Result encoded = EncodeParameterFile(ReadControls(dialog), bytes); !encoded) return encoded;
    out = std::move(bytes.data);
    return {};
}

}  // namespace

Result SaveFile(const MemoryDialog& dialog, HeldFile& file) {
    std::vector<std::uint8_t> bytes;
    if (Result encoded = Encode(dialog, bytes); !encoded) return encoded;
    return file.Save(bytes);
}

Result CreateFile(const MemoryDialog& dialog, const std::string& path) {
    std::vector<std::uint8_t> bytes;
    if (Result encoded = Encode(dialog, bytes); !encoded) return encoded;
    return WriteNewFile(path, bytes);
}

}  // namespace prmtool
