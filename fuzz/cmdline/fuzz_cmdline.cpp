// The command line with response files: the input is split into a list of
// arguments and the texts of two response files (which may name each other
// or themselves), then parsed into a fresh options record.

#include <QString>
#include <QStringList>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "options/command_line.h"
#include "options/my_options.h"

namespace {

const std::filesystem::path& workDir()
{
    static const std::filesystem::path dir = [] {
        char pattern[] = "/tmp/fuzz-cmdline-XXXXXX";
        return std::filesystem::path(mkdtemp(pattern));
    }();
    return dir;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Parts are separated by NUL bytes: arguments (one per line), then the
    // two response files' raw bytes.
    std::string input(reinterpret_cast<const char*>(data), size);
    std::string parts[3];
    size_t start = 0;
    for (int i = 0; i < 3; ++i) {
        size_t end = i < 2 ? input.find('\0', start) : std::string::npos;
        parts[i] = input.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    const auto& dir = workDir();
    std::ofstream(dir / "a.rsp", std::ios::binary | std::ios::trunc) << parts[1];
    std::ofstream(dir / "b.rsp", std::ios::binary | std::ios::trunc) << parts[2];

    QStringList arguments{QStringLiteral("ledgerline")};
    for (const QString& line : QString::fromUtf8(parts[0].data(), qsizetype(parts[0].size())).split(u'\n'))
        arguments.append(line);
    // Let "@a" and "@b" name the files in the work folder.
    for (QString& argument : arguments)
        if (argument == u"@a" || argument == u"@b")
            argument = u'@' + QString::fromStdString((dir / (argument.mid(1).toStdString() + ".rsp")).string());

    myOptions options;
    options.setSourceFiles(QStringList{QStringLiteral("xls"), QStringLiteral("xlsx")});
    (void)commandLine(arguments, options);
    (void)wantsHelp(arguments);
    return 0;
}
