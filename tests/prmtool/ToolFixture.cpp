#include "ToolFixture.h"

#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

std::string Quote(const std::string& arg) {
    std::string q = "'";
    for (char c : arg) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

namespace {

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

void ToolTest::SetUp() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    // The process ID keeps runs from other checkouts at the same time apart.
    std::string name = "prmtool-test-" + std::to_string(::getpid()) + "-" + info->test_suite_name() + "-" + info->name();
    std::replace(name.begin(), name.end(), '/', '-');
    dir_ = fs::temp_directory_path() / name;
    io_ = dir_.string() + ".io";
    fs::remove_all(dir_);
    fs::remove_all(io_);
    fs::create_directories(dir_);
    fs::create_directories(io_);
    std::ofstream(io_ / "in");
}

void ToolTest::TearDown() {
    fs::remove_all(dir_);
    fs::remove_all(io_);
}

Outcome ToolTest::Shell(const std::string& line) {
    const std::string command = "cd " + Quote(dir_.string()) + " && { " + line + " ; } <" + Quote((io_ / "in").string()) +
                                " >" + Quote((io_ / "out").string()) + " 2>" + Quote((io_ / "err").string());
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Slurp(io_ / "out"), Slurp(io_ / "err")};
}

std::string ToolCommand() {
    const char* command = std::getenv("PRMTOOL");
    return command && *command ? command : Quote(PRMTOOL_PATH);
}

bool ToolIsForWindows() { return ToolCommand().find(".exe") != std::string::npos; }

Outcome ToolTest::Run(const std::vector<std::string>& args, const std::string& input) {
    std::ofstream(io_ / "in", std::ios::binary) << input;
    std::string line = ToolCommand();
    for (const std::string& a : args) {
        line += ' ';
        line += Quote(a);
    }
    return Shell(line);
}

Outcome ToolTest::RunOnTerminal(const std::vector<std::string>& args) {
    std::string line = "cd " + Quote(dir_.string()) + " && " + ToolCommand();
    for (const std::string& a : args) {
        line += ' ';
        line += Quote(a);
    }
    int terminal = -1;
    const pid_t pid = ::forkpty(&terminal, nullptr, nullptr, nullptr);
    if (pid == 0) {
        ::execl("/bin/sh", "sh", "-c", line.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    // Until the tool has ended and the terminal has nothing more to give: a
    // helper it left behind may hold the terminal open.
    std::string out;
    int raw = 0;
    bool ended = false;
    for (int idle = 0; pid > 0 && idle < 600;) {
        pollfd ready{terminal, POLLIN, 0};
        if (::poll(&ready, 1, 100) > 0) {
            char buffer[4096];
            const ssize_t n = ::read(terminal, buffer, sizeof buffer);
            if (n <= 0) break;
            out.append(buffer, static_cast<std::size_t>(n));
            continue;
        }
        if (ended) break;
        ended = ::waitpid(pid, &raw, WNOHANG) == pid;
        ++idle;
    }
    if (!ended && pid > 0) ::waitpid(pid, &raw, 0);
    ::close(terminal);
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, out, {}};
}

void ToolTest::Write(const std::string& name, const Bytes& bytes) {
    std::ofstream(dir_ / name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                      static_cast<std::streamsize>(bytes.size()));
}

void ToolTest::WriteText(const std::string& name, const std::string& text) {
    std::ofstream(dir_ / name, std::ios::binary) << text;
}

Bytes ToolTest::Read(const std::string& name) const {
    const std::string s = Slurp(dir_ / name);
    return Bytes(s.begin(), s.end());
}

std::vector<std::string> ToolTest::Listing() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir_)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}
