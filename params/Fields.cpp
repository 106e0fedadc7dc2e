#include "Fields.h"

#include <algorithm>

namespace params {

Utf8WithLength ToUtf8WithLength(std::string_view text) {
    return {std::string(text), static_cast<std::uint16_t>(text.size())};
}

void WriteByteField(ByteSink& out, int value) {
    const std::uint8_t b = static_cast<std::uint8_t>(value & 0xFF);
    out.Put(&b, 1);
}

void WriteStringField(std::string_view text, ByteSink& out) {
    const Utf8WithLength utf8 = ToUtf8WithLength(text);
    const std::uint8_t count[2] = {static_cast<std::uint8_t>(utf8.length >> 8),
                                   static_cast<std::uint8_t>(utf8.length & 0xFF)};
    out.Put(count, 2);
    out.Put(reinterpret_cast<const std::uint8_t*>(utf8.bytes.data()), utf8.length);
}

void WriteColorField(ByteSink& out, Color color) {
    const std::uint8_t b[4] = {static_cast<std::uint8_t>(color >> 24), static_cast<std::uint8_t>(color >> 16),
                               static_cast<std::uint8_t>(color >> 8), static_cast<std::uint8_t>(color)};
    out.Put(b, 4);
}

void WritePad(ByteSink& out) { WriteByteField(out, 0); }

std::optional<std::uint8_t> FieldReader::ReadByte() {
    if (pos_ >= bytes_.size()) return std::nullopt;
    return bytes_[pos_++];
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
    const std::size_t len = std::find(start, start + n, '\0') - start;
    text.assign(start, len);
    zeroInside = len != n;
    pos_ += 2 + n;
    return {};
}

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
