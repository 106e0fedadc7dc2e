// A parameter file's content, field by field, and its encoding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "Catalogue.h"
#include "Fields.h"
#include "Result.h"
#include "TableRow.h"

namespace params {

// The value of one parameter as the file holds it.
struct FieldValue {
    std::uint8_t byte = 0;  // Number and YesNoChoice (the item's index)
    std::string text;       // Name and ModeChoice (the item's text)
    Color color = 0;        // Colour
    bool operator==(const FieldValue&) const = default;
};

struct ParameterImage {
    std::vector<FieldValue> values = std::vector<FieldValue>(Catalogue().size());  // by catalogue index
    bool advanced = false;  // the advanced block, table included, is present
    std::vector<TableRow> rows;
    bool operator==(const ParameterImage&) const = default;

    FieldValue& operator[](const ParamDesc& p) { return values[*CatalogueIndex(p.id)]; }
    const FieldValue& operator[](const ParamDesc& p) const { return values[*CatalogueIndex(p.id)]; }
};

// How a file's content is taken:
// Load   as the editor takes it; a text that is not UTF-8 is repaired (see
//        RepairedUtf8) so that it shows as it will be saved, and saves;
// Keep   as Load, but every text byte for byte, for a tool that writes back
//        what it was not asked to change;
// Check  checked against every invariant of a well-formed file.
enum class Strictness { Load, Keep, Check };

// Appends the file's bytes, field by field. A table of more than 255 rows or a text
// of more than 255 bytes cannot be written: fails and writes nothing.
Result EncodeParameterFile(const ParameterImage& image, VectorSink& out);

// Reads the base block and, when wantAdvanced, the advanced block; a file
// that ends exactly after the base block has none. Any other short file, a
// string count above 255, and in Check mode any broken invariant, is a
// problem naming the field and its offset; image is then unchanged.
Result DecodeParameterFile(std::span<const std::uint8_t> bytes, bool wantAdvanced, Strictness strictness,
                           ParameterImage& image);

// The longest file of a catalogue: every text at its longest, the table full.
constexpr std::size_t MaxFileSize(std::span<const ParamDesc> catalogue) {
    std::size_t size = 0;
    for (const ParamDesc& p : catalogue) {
        if (p.padBefore) ++size;
        switch (p.kind) {
        case Kind::Number:
        case Kind::YesNoChoice: size += 1; break;
        case Kind::Name:
        case Kind::ModeChoice: size += 2 + kMaxStringBytes; break;
        case Kind::Colour: size += 4; break;
        case Kind::Table: size += 1 + kMaxTableRows * sizeof(TableRow); break;
        case Kind::Switch: break;
        }
    }
    return size;
}

// The longest file the walk reads; bytes beyond it are never looked at.
constexpr std::size_t kMaxFileSize = MaxFileSize(kCatalogueEntries);

}  // namespace params
