#include "Platform.h"

#include <windows.h>
#include <shellapi.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <iostream>
#include <streambuf>

#include "TextCodec.h"

namespace prmtool {
namespace {

// Length of the longest prefix of text that ends on a whole UTF-8 character,
// so a character split across two writes is converted once it is complete.
std::size_t WholeCharacters(const std::string& text) {
    std::size_t end = text.size();
    for (std::size_t back = 1; back <= 3 && back <= text.size(); ++back) {
        const auto c = static_cast<unsigned char>(text[text.size() - back]);
        if ((c & 0xC0) == 0x80) continue;  // a continuation byte: look further back
        const std::size_t need = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        if (need > back) end = text.size() - back;
        break;
    }
    return end;
}

// Writes UTF-8 to a console as UTF-16 through WriteConsoleW.
class ConsoleBuffer final : public std::streambuf {
public:
    explicit ConsoleBuffer(HANDLE console) : m_console(console) {}

protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
        m_pending.push_back(traits_type::to_char_type(c));
        if (c == '\n' && sync() != 0) return traits_type::eof();
        return c;
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        m_pending.append(s, static_cast<std::size_t>(n));
        return sync() == 0 ? n : 0;
    }
    int sync() override {
        const std::size_t whole = WholeCharacters(m_pending);
        if (whole == 0) return 0;
        const std::wstring wide = params::Widen(std::string_view(m_pending).substr(0, whole));
        m_pending.erase(0, whole);
        for (std::size_t done = 0; done < wide.size();) {
            DWORD written = 0;
            if (!WriteConsoleW(m_console, wide.data() + done, static_cast<DWORD>(wide.size() - done), &written, nullptr) ||
                written == 0)
                return -1;
            done += written;
        }
        return 0;
    }

private:
    HANDLE m_console;
    std::string m_pending;
};

void UseUtf8(std::ostream& stream, FILE* file, DWORD handle) {
    HANDLE h = GetStdHandle(handle);
    DWORD mode = 0;
    if (h != INVALID_HANDLE_VALUE && h != nullptr && GetConsoleMode(h, &mode)) {
        // Never destroyed: the streams are flushed after static objects are gone.
        stream.rdbuf(new ConsoleBuffer(h));
    } else {
        _setmode(_fileno(file), _O_BINARY);
    }
}

}  // namespace

Args Utf8Arguments(int, char**) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    Args args;
    for (int i = 1; argv && i < argc; ++i) args.push_back(params::Narrow(argv[i]));
    LocalFree(argv);
    return args;
}

void UseUtf8Streams() {
    UseUtf8(std::cout, stdout, STD_OUTPUT_HANDLE);
    UseUtf8(std::cerr, stderr, STD_ERROR_HANDLE);
    _setmode(_fileno(stdin), _O_BINARY);
}

}  // namespace prmtool
