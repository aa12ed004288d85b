#include "test_support.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <sys/wait.h>

namespace testsupport {

std::optional<std::filesystem::path> sharedDir()
{
    const char* candidates[] = {std::getenv("LEDGERLINE_SHARED"), LEDGERLINE_SHARED_DIR, "/work/shared"};
    for (const char* candidate : candidates) {
        if (candidate && *candidate && std::filesystem::is_directory(std::filesystem::path(candidate) / "corpus"))
            return std::filesystem::canonical(candidate);
    }
    return std::nullopt;
}

std::filesystem::path sourceDir()
{
    return LEDGERLINE_SOURCE_DIR;
}

std::string systemPython()
{
    return std::filesystem::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3";
}

TempDir::TempDir()
{
    std::random_device random;
    auto base = std::filesystem::temp_directory_path();
    for (;;) {
        path_ = base / ("ledgerline-test-" + std::to_string(random()));
        if (std::filesystem::create_directory(path_))
            break;
    }
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
}

int runCommand(const std::string& command, std::string* out)
{
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return -1;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        if (out)
            out->append(buffer, n);
    int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void writeFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
}

} // namespace testsupport
