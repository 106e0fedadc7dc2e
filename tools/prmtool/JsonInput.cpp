#include "JsonInput.h"

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "FileIo.h"

namespace prmtool {
namespace {

// The nesting and the width of objects, in one pass over the text; whatever
// else is wrong with it is the parser's to find.
params::Result CheckShape(std::string_view text) {
    std::vector<int> open;  // per open value: keys so far, -1 for an array
    bool inString = false;
    bool escaped = false;
    for (char c : text) {
        if (inString) {
            if (escaped) escaped = false;
            else if (c == '\\') escaped = true;
            else if (c == '"') inString = false;
            continue;
        }
        switch (c) {
        case '"': inString = true; break;
        case '{':
        case '[':
            if (open.size() == kMaxJsonDepth)
                return params::Result::Fail("nests deeper than " + std::to_string(kMaxJsonDepth) + " levels");
            open.push_back(c == '{' ? 0 : -1);
            break;
        case '}':
        case ']':
            if (!open.empty()) open.pop_back();
            break;
        case ':':
            if (!open.empty() && open.back() >= 0 && ++open.back() > kMaxJsonKeys)
                return params::Result::Fail("has an object of more than " + std::to_string(kMaxJsonKeys) + " keys");
            break;
        default: break;
        }
    }
    return {};
}

params::Result TooLarge() {
    return params::Result::Fail("is larger than " + std::to_string(kMaxJsonBytes >> 20) +
                                " MiB, more than any parameter set's JSON");
}

}  // namespace

params::Result ParseJson(std::string_view text, Json& out) {
    if (text.size() > kMaxJsonBytes) return TooLarge();
    if (params::Result shape = CheckShape(text); !shape) return shape;
    // The parser takes a zero byte for the end of the text and would ignore
    // what follows; JSON never holds one.
    const bool whole = text.find('\0') == std::string_view::npos;
    // A key given twice would leave one of its values silently unused.
    std::vector<std::set<std::string>> keys;  // per open object
    bool repeated = false;
    const auto seeKeys = [&](int, Json::parse_event_t event, Json& parsed) {
        if (event == Json::parse_event_t::object_start) keys.emplace_back();
        else if (event == Json::parse_event_t::object_end) keys.pop_back();
        else if (event == Json::parse_event_t::key && !keys.back().insert(parsed.get<std::string>()).second)
            repeated = true;
        return true;
    };
    if (whole) out = Json::parse(text, seeKeys, false);
    if (!whole || out.is_discarded()) return params::Result::Fail("is not valid JSON");
    if (repeated) return params::Result::Fail("gives a key twice");
    return {};
}

params::Result ReadJson(const std::string& path, Json& out) {
    std::vector<std::uint8_t> bytes;
    if (path == "-") {
        std::uint8_t chunk[16384];
        for (std::size_t n; bytes.size() <= kMaxJsonBytes && (n = std::fread(chunk, 1, sizeof chunk, stdin)) > 0;)
            bytes.insert(bytes.end(), chunk, chunk + n);
        if (std::ferror(stdin)) return params::Result::Fail("cannot read standard input");
    } else if (params::Result read = params::ReadFilePrefix(path, kMaxJsonBytes + 1, bytes); !read) {
        return read;
    }
    if (bytes.size() > kMaxJsonBytes) return TooLarge();
    return ParseJson(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), out);
}

}  // namespace prmtool
