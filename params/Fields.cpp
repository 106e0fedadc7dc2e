#include "Fields.h"

#include <cstring>

namespace params {

void WriteStringField(std::string_view text, VectorSink& out) {
    out.Put(static_cast<std::uint8_t>(text.size() >> 8));
    out.Put(static_cast<std::uint8_t>(text.size() & 0xFF));
    out.Put(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

void WriteColorField(VectorSink& out, Color color) {
    const std::uint8_t b[4] = {static_cast<std::uint8_t>(color >> 24), static_cast<std::uint8_t>(color >> 16),
                               static_cast<std::uint8_t>(color >> 8), static_cast<std::uint8_t>(color)};
    out.Put(b, 4);
}

const std::uint8_t* FieldReader::ReadBytes(std::size_t count) {
    if (bytes_.size() - pos_ < count) return nullptr;
    const std::uint8_t* start = bytes_.data() + pos_;
    pos_ += count;
    return start;
}

std::optional<Color> FieldReader::ReadColor() {
    if (bytes_.size() - pos_ < 4) return std::nullopt;
    const std::uint8_t* b = bytes_.data() + pos_;
    pos_ += 4;
    return Color{b[0]} << 24 | Color{b[1]} << 16 | Color{b[2]} << 8 | Color{b[3]};
}

Result FieldReader::ReadString(std::string& text, bool& zeroInside) {
    if (bytes_.size() - pos_ < 2) return Result::Fail(kEndsInsideField);
    if (bytes_[pos_] != 0) return Result::Fail("string byte count above 255");
    const std::size_t n = bytes_[pos_ + 1];
    if (bytes_.size() - pos_ - 2 < n) return Result::Fail(kEndsInsideField);
    const char* start = reinterpret_cast<const char*>(bytes_.data() + pos_ + 2);
    const void* zero = std::memchr(start, 0, n);
    const std::size_t len = zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - start) : n;
    text.assign(start, len);
    zeroInside = len != n;
    pos_ += 2 + n;
    return {};
}

namespace {

struct ByteTexts {
    char digits[256][3];
    std::uint8_t length[256];
    constexpr ByteTexts() : digits{}, length{} {
        for (int v = 0; v < 256; ++v) {
            int n = 0;
            if (v >= 100) digits[v][n++] = static_cast<char>('0' + v / 100);
            if (v >= 10) digits[v][n++] = static_cast<char>('0' + v / 10 % 10);
            digits[v][n++] = static_cast<char>('0' + v % 10);
            length[v] = static_cast<std::uint8_t>(n);
        }
    }
};
constexpr ByteTexts kByteTexts;

}  // namespace

std::string_view ByteText(std::uint8_t value) { return {kByteTexts.digits[value], kByteTexts.length[value]}; }

std::uint8_t LeadingIntegerByte(std::string_view text) {
    std::size_t i = 0;
    auto isSpace = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    while (i < text.size() && isSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    // Only the value modulo 256 matters, so the digits never overflow.
    unsigned value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        value = (value * 10 + static_cast<unsigned>(text[i++] - '0')) & 0xFF;
    return static_cast<std::uint8_t>(negative ? (256 - value) & 0xFF : value);
}

bool IsByteText(std::string_view text) {
    if (text.empty()) return false;
    unsigned value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<unsigned>(c - '0');
        if (value > 255) return false;  // leading zeros keep it small, so no overflow
    }
    return true;
}

}  // namespace params
