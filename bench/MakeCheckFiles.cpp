// Writes COUNT valid parameter files of varied shapes into a folder, for
// timing `prmtool check` over many files: with and without the advanced
// block, 0 to 255 table rows, names of varied lengths, varied values.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Fields.h"
#include "MemoryDialog.h"
#include "Walks.h"

using namespace params;

namespace {

ParameterImage Varied(const ParameterImage& base, int n) {
    ParameterImage image = base;
    image.advanced = n % 2 == 1;
    std::string name;
    for (int k = 0; k < n % 5; ++k) name += "属";
    name += std::string(static_cast<std::size_t>(n % 7), 'x');
    int index = 0;
    for (const ParamDesc& p : Catalogue()) {
        FieldValue& v = image[p];
        ++index;
        switch (p.kind) {
        case Kind::Number: v.byte = static_cast<std::uint8_t>(n * 31 + index * 7); break;
        case Kind::Name: v.text = name; break;
        case Kind::Colour: v.color = static_cast<Color>(n * 0x010203 + index) & 0xFFFFFF; break;
        case Kind::YesNoChoice: v.byte = static_cast<std::uint8_t>(n % 2); break;
        case Kind::ModeChoice:
        case Kind::Switch:
        case Kind::Table: break;
        }
    }
    if (image.advanced)
        for (int r = 0; r < n % (kMaxTableRows + 1); ++r)
            image.rows.push_back({static_cast<std::uint8_t>(r), static_cast<std::uint8_t>((r + n) % 2),
                                  static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(r * 7)});
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_check_files FOLDER COUNT\n");
        return 2;
    }
    const std::string dir = argv[1];
    const int count = std::atoi(argv[2]);
    MemoryDialog start;
    ApplyDefaults(start);
    const ParameterImage base = ReadControls(start);
    for (int n = 0; n < count; ++n) {
        VectorSink out;
        ParameterImage image = Varied(base, n), checked;
        // Every file must pass the check, or the benchmark would time the error path.
        if (!EncodeParameterFile(image, out) || !DecodeParameterFile(out.data, true, Strictness::Check, checked)) {
            std::fprintf(stderr, "make_check_files: file %d is not valid\n", n);
            return 1;
        }
        char name[32];
        std::snprintf(name, sizeof name, "/%05d.prm", n);
        std::FILE* f = std::fopen((dir + name).c_str(), "wb");
        const bool written = f && std::fwrite(out.data.data(), 1, out.data.size(), f) == out.data.size();
        if (!f || std::fclose(f) != 0 || !written) {
            std::fprintf(stderr, "make_check_files: cannot write into %s\n", dir.c_str());
            return 1;
        }
    }
    return 0;
}
