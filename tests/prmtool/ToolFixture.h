// Runs the prmtool binary in a temporary folder, and parameter files written
// out by hand, byte by byte, from the file layout.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "StartupFile.h"

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

class ToolTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs prmtool with args (each passed as one argument) in the folder.
    Outcome Run(const std::vector<std::string>& args, const std::string& input = {});
    // Runs a shell command line in the folder; returns its exit status and output.
    Outcome Shell(const std::string& line);
    // Runs prmtool with args on a terminal of its own (a console, for a
    // Windows build); out is what the terminal received.
    Outcome RunOnTerminal(const std::vector<std::string>& args);

    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    void Write(const std::string& name, const Bytes& bytes);
    void WriteText(const std::string& name, const std::string& text);
    Bytes Read(const std::string& name) const;
    std::vector<std::string> Listing() const;  // names in the folder, sorted

    std::filesystem::path dir_;
    std::filesystem::path io_;  // the runs' input and output, beside the folder so listings see only the tool's files
};

std::string Quote(const std::string& arg);  // for /bin/sh
// How the tests start prmtool, as words for /bin/sh: the environment's
// PRMTOOL (the Windows build under Wine, say), else the native build.
std::string ToolCommand();
// Whether that is a Windows build: no dangling links or bytes that are not
// UTF-8 reach it through the Windows API.
bool ToolIsForWindows();
