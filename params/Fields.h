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

// Where the writers put their bytes.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual void Put(const std::uint8_t* bytes, std::size_t count) = 0;
};

class VectorSink final : public ByteSink {
public:
    void Put(const std::uint8_t* bytes, std::size_t count) override {
        data.insert(data.end(), bytes, bytes + count);
    }
    std::vector<std::uint8_t> data;
};

struct Utf8WithLength {
    std::string bytes;
    std::uint16_t length;  // byte count, without a terminating zero
};

// Texts are UTF-8 already, so this is the text and its byte count.
Utf8WithLength ToUtf8WithLength(std::string_view text);

void WriteByteField(ByteSink& out, int value);  // low 8 bits
void WriteStringField(std::string_view text, ByteSink& out);
void WriteColorField(ByteSink& out, Color color);  // most significant byte first
void WritePad(ByteSink& out);

// Reads fields from a byte buffer, front to back. Each read fails, consuming
// nothing, when the buffer ends inside the field.
class FieldReader {
public:
    explicit FieldReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::size_t Offset() const { return pos_; }
    bool AtEnd() const { return pos_ == bytes_.size(); }

    std::optional<std::uint8_t> ReadByte();
    std::optional<Color> ReadColor();
    // The first count byte must be 0 (at most 255 bytes). The text is taken
    // up to its first zero byte; zeroInside tells whether one cut it short.
    Result ReadString(std::string& text, bool& zeroInside);

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
};

// The leading integer of a text (white space, optional sign, decimal digits;
// 0 without digits), reduced to its low 8 bits however many digits it has.
std::uint8_t LeadingIntegerByte(std::string_view text);

// Whether a text is stored as it reads: decimal digits only, 0 to 255.
bool IsByteText(std::string_view text);

}  // namespace params
