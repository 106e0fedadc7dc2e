// Coverage-guided fuzzing of the load walk: any byte sequence, loaded with
// "使用" set or clear, must decode or be refused without touching memory it
// does not own, and whatever decodes must survive saving and loading again.
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "Fields.h"
#include "FuzzInput.h"
#include "MemoryDialog.h"
#include "ParameterFile.h"
#include "Walks.h"

using namespace params;

namespace {

#define REQUIRE(cond)                                                             \
    do {                                                                          \
        if (!(cond)) {                                                            \
            std::fprintf(stderr, "invariant broken: %s (line %d)\n", #cond, __LINE__); \
            std::abort();                                                         \
        }                                                                         \
    } while (0)

const MemoryDialog& StartupDialog() {
    static const MemoryDialog dlg = [] {
        MemoryDialog d;
        ApplyDefaults(d);
        return d;
    }();
    return dlg;
}

const ParameterImage& StartupImage() {
    static const ParameterImage image = ReadControls(StartupDialog());
    return image;
}

std::vector<std::uint8_t> Encode(const ParameterImage& image) {
    VectorSink out;
    REQUIRE(EncodeParameterFile(image, out));
    return std::move(out.data);
}

bool IsItem(const ParamDesc& p, std::string_view text) {
    return std::find(p.items.begin(), p.items.end(), text) != p.items.end();
}

// What saving reads back from a dialog the image was just loaded into.
void CheckDialogHolds(const ParameterImage& image, const ParameterImage& shown, const ParameterImage& startup) {
    for (const ParamDesc& p : Catalogue()) {
        const FieldValue& want = p.advanced && !image.advanced ? startup[p] : image[p];
        const FieldValue& got = shown[p];
        switch (p.kind) {
        case Kind::Number: REQUIRE(got.byte == want.byte); break;
        case Kind::Name: REQUIRE(got.text == want.text); break;
        case Kind::Colour: REQUIRE(got.color == want.color); break;
        case Kind::YesNoChoice:  // a code outside the list selects nothing, which saves as 0
            REQUIRE(got.byte == (want.byte < p.items.size() ? want.byte : 0));
            break;
        case Kind::ModeChoice: REQUIRE(IsItem(p, got.text) && (!IsItem(p, want.text) || got.text == want.text)); break;
        case Kind::Table: REQUIRE(shown.rows == (image.advanced ? image.rows : startup.rows)); break;
        case Kind::Switch: break;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const FuzzInput in = SplitFuzzInput(data, size);

    ParameterImage loaded;
    const bool loads = static_cast<bool>(DecodeParameterFile(in.file, in.advancedEnabled, Strictness::Load, loaded));

    // A file that passes the check is one the editor writes: it loads, and
    // saves back to exactly its own bytes.
    ParameterImage checked;
    if (DecodeParameterFile(in.file, in.advancedEnabled, Strictness::Check, checked)) {
        REQUIRE(loads && checked == loaded);
        const auto again = Encode(checked);
        REQUIRE(std::equal(again.begin(), again.end(), in.file.begin(), in.file.end()));
    }
    if (!loads) return 0;
    REQUIRE(!loaded.advanced || in.advancedEnabled);

    // Encoding is the inverse of decoding.
    const auto encoded = Encode(loaded);
    REQUIRE(encoded.size() <= kMaxFileSize);
    ParameterImage decoded;
    REQUIRE(DecodeParameterFile(encoded, loaded.advanced, Strictness::Load, decoded));
    REQUIRE(decoded == loaded);

    // Through the dialog: the controls hold what the file said, and a save
    // followed by a load changes nothing more.
    MemoryDialog dlg = StartupDialog();
    dlg.SetChecked(IDC_ADVANCED_ENABLED, in.advancedEnabled);
    ApplyImage(loaded, dlg);
    const ParameterImage shown = ReadControls(dlg);
    CheckDialogHolds(loaded, shown, StartupImage());

    ParameterImage reloaded;
    REQUIRE(DecodeParameterFile(Encode(shown), in.advancedEnabled, Strictness::Load, reloaded));
    ApplyImage(reloaded, dlg);
    REQUIRE(ReadControls(dlg) == shown);
    return 0;
}
