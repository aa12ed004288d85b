#pragma once
// Helpers for the test suites: where the shared corpus and tools are, and
// scratch folders that clean up after themselves.

#include <filesystem>
#include <optional>
#include <string>

#include "qt_printers.h"

namespace testsupport {

// The shared folder (corpus, DBF tools), from LEDGERLINE_SHARED or the build
// setting; nullopt when it is not on this machine.
std::optional<std::filesystem::path> sharedDir();
std::filesystem::path sourceDir();

// Debian's Python, which sees the DBF readers installed from packages.
std::string systemPython();

// A fresh empty folder removed at destruction.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// Runs a command through the shell; returns its exit status and fills out
// with its standard output.
int runCommand(const std::string& command, std::string* out = nullptr);

std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::string& bytes);

} // namespace testsupport
