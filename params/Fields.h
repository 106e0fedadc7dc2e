// Field primitives of the parameter file: byte, string, colour and pad fields.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "Catalogue.h"
#include "Result.h"

namespace params {

constexpr int kMaxStringBytes = 255;
constexpr char kEndsInsideField[] = "file ends inside the field";

// Where the writers put their bytes: appended to data.
class VectorSink {
public:
    void Put(const std::uint8_t* bytes, std::size_t count) { data.insert(data.end(), bytes, bytes + count); }
    void Put(std::uint8_t byte) { data.push_back(byte); }
    std::vector<std::uint8_t> data;
};

// The low 8 bits of value.
inline void WriteByteField(VectorSink& out, int value) { out.Put(static_cast<std::uint8_t>(value & 0xFF)); }
// Texts are UTF-8 already, the file's own encoding: a string field holds
// their bytes as they are.
void WriteStringField(std::string_view text, VectorSink& out);
void WriteColorField(VectorSink& out, Color color);  // most significant byte first
inline void WritePad(VectorSink& out) { out.Put(0); }

// Reads fields from a byte buffer, front to back. Each read fails, consuming
// nothing, when the buffer ends inside the field.
class FieldReader {
public:
    explicit FieldReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::size_t Offset() const { return pos_; }
    std::size_t Size() const { return bytes_.size(); }
    bool AtEnd() const { return pos_ == bytes_.size(); }

    std::optional<std::uint8_t> ReadByte() {
        if (pos_ >= bytes_.size()) return std::nullopt;
        return bytes_[pos_++];
    }
    std::optional<Color> ReadColor();
    // The next count bytes, or nullptr when fewer are left.
    const std::uint8_t* ReadBytes(std::size_t count);
    // The first count byte must be 0 (at most 255 bytes). The text is taken
    // up to its first zero byte; zeroInside tells whether one cut it short.
    Result ReadString(std::string& text, bool& zeroInside);

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
};

// The decimal text of a byte, from a table: no allocation.
std::string_view ByteText(std::uint8_t value);

// The leading integer of a text (white space, optional sign, decimal digits;
// 0 without digits), reduced to its low 8 bits however many digits it has.
std::uint8_t LeadingIntegerByte(std::string_view text);

// Whether a text is stored as it reads: decimal digits only, 0 to 255.
bool IsByteText(std::string_view text);

}  // namespace params
