#include "ParameterFile.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "Fields.h"
#include "Utf8.h"

namespace params {
namespace {

std::string RowField(std::size_t row) { return "spriteAttributeTable[" + std::to_string(row) + "]"; }

class Decoder {
public:
    Decoder(std::span<const std::uint8_t> bytes, Strictness strictness)
        : in_(bytes), strict_(strictness == Strictness::Check), repair_(strictness == Strictness::Load) {}

    // Decodes the parameters of one block.
    Result Block(bool advanced, ParameterImage& image) {
        for (const ParamDesc& p : Catalogue()) {
            if (p.advanced != advanced || p.kind == Kind::Switch) continue;
            if (p.padBefore)
                if (Result r = Pad(); !r) return r;
            if (Result r = Field(p, image); !r) return r;
        }
        return {};
    }

    bool AtEnd() const { return in_.AtEnd(); }
    std::size_t Offset() const { return in_.Offset(); }
    // A problem of the field that begins at the reader's offset.
    Result Invalid(std::string_view field, std::string message) {
        fieldStart_ = in_.Offset();
        return Fail(field, std::move(message));
    }

private:
    Result Fail(std::string_view field, std::string message) const {
        return Problem{std::string(field), fieldStart_, std::move(message)};
    }
    Result Truncated(std::string_view field) const { return Fail(field, kEndsInsideField); }

    Result Pad() {
        fieldStart_ = in_.Offset();
        const auto b = in_.ReadByte();
        if (!b) return Truncated("pad");
        if (strict_ && *b != 0) return Fail("pad", "pad byte is not 0");
        return {};
    }

    Result Field(const ParamDesc& p, ParameterImage& image) {
        fieldStart_ = in_.Offset();
        FieldValue& v = image[p];
        switch (p.kind) {
        case Kind::Number: {
            const auto b = in_.ReadByte();
            if (!b) return Truncated(p.name);
            v.byte = *b;
            return {};
        }
        case Kind::YesNoChoice: {
            const auto b = in_.ReadByte();
            if (!b) return Truncated(p.name);
            v.byte = *b;
            if (strict_ && *b >= p.items.size())
                return Fail(p.name, "value " + std::to_string(*b) + " is not 0 or 1");
            return {};
        }
        case Kind::Name:
        case Kind::ModeChoice: {
            bool zeroInside = false;
            if (Result r = in_.ReadString(v.text, zeroInside); !r) return Fail(p.name, r.GetProblem().message);
            // The text ends at a zero byte, so the bytes after it would be lost by a save.
            if (strict_ && zeroInside) return Fail(p.name, "string holds a zero byte");
            if (!IsUtf8(v.text)) {
                if (strict_) return Fail(p.name, "string is not valid UTF-8");
                if (repair_) v.text = RepairedUtf8(v.text, kMaxStringBytes);
            }
            if (strict_ && p.kind == Kind::ModeChoice &&
                std::find(p.items.begin(), p.items.end(), v.text) == p.items.end())
                return Fail(p.name, "\"" + v.text + "\" is not a mode name");
            return {};
        }
        case Kind::Colour: {
            const auto c = in_.ReadColor();
            if (!c) return Truncated(p.name);
            v.color = *c;
            if (strict_ && (*c >> 24) != 0) return Fail(p.name, "top byte of the colour is not 0");
            return {};
        }
        case Kind::Table:
            return Table(image.rows);
        case Kind::Switch:
            return {};
        }
        return {};
    }

    Result Table(std::vector<TableRow>& rows) {
        const auto count = in_.ReadByte();
        if (!count) return Truncated("spriteAttributeTable");
        const std::size_t start = in_.Offset();
        const std::uint8_t* bytes = in_.ReadBytes(*count * sizeof(TableRow));
        if (!bytes) {
            const std::size_t row = (in_.Size() - start) / sizeof(TableRow);
            fieldStart_ = start + row * sizeof(TableRow);
            return Fail(RowField(row), "file ends inside the row (" + std::to_string(*count) + " rows announced)");
        }
        // A row is its four byte fields in file order.
        rows.resize(*count);
        if (!rows.empty()) std::memcpy(rows.data(), bytes, rows.size() * sizeof(TableRow));
        if (strict_)
            for (std::size_t i = 0; i < rows.size(); ++i)
                if (!CategoryName(rows[i].category)) {
                    fieldStart_ = start + i * sizeof(TableRow);
                    return Fail(RowField(i), "category " + std::to_string(rows[i].category) + " is not 0 or 1");
                }
        return {};
    }

    FieldReader in_;
    bool strict_;
    bool repair_;
    std::size_t fieldStart_ = 0;
};

}  // namespace

Result EncodeParameterFile(const ParameterImage& image, VectorSink& out) {
    if (image.advanced && image.rows.size() > static_cast<std::size_t>(kMaxTableRows))
        return Result::Fail("the sprite attribute table has more than " + std::to_string(kMaxTableRows) + " rows");
    // A longer text would need a count the file cannot hold (a loaded name
    // with invalid UTF-8 grows when the dialog repairs it).
    for (const ParamDesc& p : Catalogue())
        if (image[p].text.size() > static_cast<std::size_t>(kMaxStringBytes))
            return Result::Fail(std::string(p.name) + " is longer than " + std::to_string(kMaxStringBytes) + " bytes");
    out.data.reserve(out.data.size() + kMaxFileSize);
    for (const ParamDesc& p : Catalogue()) {
        if (p.kind == Kind::Switch || (p.advanced && !image.advanced)) continue;
        if (p.padBefore) WritePad(out);
        const FieldValue& v = image[p];
        switch (p.kind) {
        case Kind::Number: WriteByteField(out, v.byte); break;
        case Kind::Name:
        case Kind::ModeChoice: WriteStringField(v.text, out); break;
        case Kind::YesNoChoice: WriteByteField(out, v.byte); break;
        case Kind::Colour: WriteColorField(out, v.color); break;
        case Kind::Table:
            WriteByteField(out, static_cast<int>(image.rows.size()));
            // A row is its four byte fields in file order.
            out.Put(reinterpret_cast<const std::uint8_t*>(image.rows.data()), image.rows.size() * sizeof(TableRow));
            break;
        case Kind::Switch: break;
        }
    }
    return {};
}

Result DecodeParameterFile(std::span<const std::uint8_t> bytes, bool wantAdvanced, Strictness strictness,
                           ParameterImage& image) {
    ParameterImage decoded;
    Decoder d(bytes, strictness);
    if (Result r = d.Block(false, decoded); !r) return r;
    decoded.advanced = wantAdvanced && !d.AtEnd();
    if (decoded.advanced)
        if (Result r = d.Block(true, decoded); !r) return r;
    if (strictness == Strictness::Check && !d.AtEnd())
        return d.Invalid("end", std::to_string(bytes.size() - d.Offset()) + " bytes follow the last field");
    image = std::move(decoded);
    return {};
}

}  // namespace params
