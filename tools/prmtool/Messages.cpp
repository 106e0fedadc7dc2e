#include "Messages.h"

#include <cstdio>
#include <iostream>

namespace prmtool {

std::string Printable(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto u = static_cast<unsigned char>(text[i]);
        // C1 controls are U+0080 to U+009F: C2 80 to C2 9F in UTF-8.
        const bool c1 = u == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) < 0xA0 &&
                        static_cast<unsigned char>(text[i + 1]) >= 0x80;
        if (u >= 0x20 && u != 0x7F && !c1) {
            out += text[i];
            continue;
        }
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\x%02X", c1 ? static_cast<unsigned char>(text[++i]) : u);
        out += escaped;
    }
    return out;
}

std::string Excerpt(std::string_view text) {
    constexpr std::size_t kMaxBytes = 40;
    if (text.size() <= kMaxBytes) return std::string(text);
    std::size_t cut = kMaxBytes;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;  // never half a character
    return std::string(text.substr(0, cut)) + "...";
}

void Complain(std::string_view message) { std::cerr << "prmtool: " << Printable(message) << "\n"; }

}  // namespace prmtool
