#include "ParameterFile.h"

#include <algorithm>
#include <string>

#include "Fields.h"

namespace params {
namespace {

std::string RowField(std::size_t row) { return "spriteAttributeTable[" + std::to_string(row) + "]"; }

bool IsModeName(std::string_view text) {
    return std::find(std::begin(kModeNames), std::end(kModeNames), text) != std::end(kModeNames);
}

class Decoder {
public:
    Decoder(std::span<const std::uint8_t> bytes, Strictness strictness)
        : in_(bytes), strict_(strictness == Strictness::Check) {}

    // Decodes the parameters of one block; false once an error is recorded.
    bool Block(bool advanced, ParameterImage& image) {
        for (const ParamDesc& p : Catalogue()) {
            if (p.advanced != advanced || p.kind == Kind::Switch) continue;
            if (p.padBefore && !Pad()) return false;
            if (!Field(p, image)) return false;
        }
        return true;
    }

    bool AtEnd() const { return in_.AtEnd(); }
    std::optional<FormatError>& Error() { return error_; }

    void Fail(std::string_view field, std::string problem) {
        error_ = FormatError{fieldStart_, std::string(field), std::move(problem)};
    }
    void Begin() { fieldStart_ = in_.Offset(); }
    std::size_t Offset() const { return in_.Offset(); }

private:
    bool Pad() {
        Begin();
        const auto b = in_.ReadByte();
        if (!b) return Truncated("pad");
        if (strict_ && *b != 0) return Invalid("pad", "pad byte is not 0");
        return true;
    }

    bool Field(const ParamDesc& p, ParameterImage& image) {
        Begin();
        FieldValue& v = image[p];
        switch (p.kind) {
        case Kind::Number: {
            const auto b = in_.ReadByte();
            if (!b) return Truncated(p.name);
            v.byte = *b;
            return true;
        }
        case Kind::Choice:
            if (p.id == IDC_USE_PORTRAIT) {
                const auto b = in_.ReadByte();
                if (!b) return Truncated(p.name);
                v.byte = *b;
                if (strict_ && *b > 1) return Invalid(p.name, "value " + std::to_string(*b) + " is not 0 or 1");
                return true;
            }
            [[fallthrough]];
        case Kind::Name: {
            bool badCount = false;
            const std::size_t start = in_.Offset();
            auto text = in_.ReadString(&badCount);
            if (!text) return badCount ? Invalid(p.name, "string byte count above 255") : Truncated(p.name);
            v.text = std::move(*text);
            // The text ends at a zero byte, so the bytes after it would be lost by a save.
            if (strict_ && in_.Offset() - start - 2 != v.text.size())
                return Invalid(p.name, "string holds a zero byte");
            if (strict_ && p.kind == Kind::Choice && !IsModeName(v.text))
                return Invalid(p.name, "\"" + v.text + "\" is not a mode name");
            return true;
        }
        case Kind::Colour: {
            const auto c = in_.ReadColor();
            if (!c) return Truncated(p.name);
            v.color = *c;
            if (strict_ && (*c >> 24) != 0) return Invalid(p.name, "top byte of the colour is not 0");
            return true;
        }
        case Kind::Table:
            return Table(image.rows);
        case Kind::Switch:
            return true;
        }
        return true;
    }

    bool Table(std::vector<TableRow>& rows) {
        const auto count = in_.ReadByte();
        if (!count) return Truncated("spriteAttributeTable");
        rows.clear();
        rows.reserve(*count);
        for (std::size_t i = 0; i < *count; ++i) {
            Begin();
            std::uint8_t b[4];
            for (std::uint8_t& x : b) {
                const auto r = in_.ReadByte();
                if (!r)
                    return Invalid(RowField(i), "file ends inside the row (" + std::to_string(*count) +
                                                    " rows announced)");
                x = *r;
            }
            if (strict_ && b[1] > 1)
                return Invalid(RowField(i), "category " + std::to_string(b[1]) + " is not 0 or 1");
            rows.push_back({b[0], b[1], b[2], b[3]});
        }
        return true;
    }

    bool Truncated(std::string_view field) { return Fail(field, "file ends inside the field"), false; }
    bool Invalid(std::string_view field, std::string problem) { return Fail(field, std::move(problem)), false; }

    FieldReader in_;
    bool strict_;
    std::size_t fieldStart_ = 0;
    std::optional<FormatError> error_;
};

}  // namespace

bool EncodeParameterFile(const ParameterImage& image, ByteSink& out) {
    if (image.advanced && image.rows.size() > static_cast<std::size_t>(kMaxTableRows)) return false;
    // A longer text would need a count the file cannot hold (a loaded name
    // with invalid UTF-8 grows when the dialog repairs it).
    for (const FieldValue& v : image.values)
        if (v.text.size() > static_cast<std::size_t>(kMaxStringBytes)) return false;
    for (const ParamDesc& p : Catalogue()) {
        if (p.kind == Kind::Switch || (p.advanced && !image.advanced)) continue;
        if (p.padBefore) WritePad(out);
        const FieldValue& v = image[p];
        switch (p.kind) {
        case Kind::Number: WriteByteField(out, v.byte); break;
        case Kind::Name: WriteStringField(v.text, out); break;
        case Kind::Choice:
            if (p.id == IDC_USE_PORTRAIT) WriteByteField(out, v.byte);
            else WriteStringField(v.text, out);
            break;
        case Kind::Colour: WriteColorField(out, v.color); break;
        case Kind::Table:
            WriteByteField(out, static_cast<int>(image.rows.size()));
            for (const TableRow& r : image.rows) {  // a row's four byte fields in one run
                const std::uint8_t row[] = {r.level, r.category, r.itemId, r.spriteAttributeId};
                out.Put(row, sizeof row);
            }
            break;
        case Kind::Switch: break;
        }
    }
    return true;
}

std::optional<FormatError> DecodeParameterFile(std::span<const std::uint8_t> bytes, bool wantAdvanced,
                                               Strictness strictness, ParameterImage& image) {
    ParameterImage decoded;
    Decoder d(bytes, strictness);
    if (!d.Block(false, decoded)) return d.Error();
    decoded.advanced = wantAdvanced && !d.AtEnd();
    if (decoded.advanced && !d.Block(true, decoded)) return d.Error();
    if (strictness == Strictness::Check && !d.AtEnd()) {
        d.Begin();
        d.Fail("end", std::to_string(bytes.size() - d.Offset()) + " bytes follow the last field");
        return d.Error();
    }
    image = std::move(decoded);
    return std::nullopt;
}

}  // namespace params
