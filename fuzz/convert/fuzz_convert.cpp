// A whole conversion: workbook bytes in (an .xlsx when they start like a
// zip, else an .xls), DBF tables out, then every table read back.

#include <QString>
#include <QStringList>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "module/converter/xls_dbf_module.h"
#include "module/dbf/xbtable.h"
#include "options/my_options.h"
#include "shell/shell.h"
#include "shell/startup.h"

namespace {

class QuietView : public ShellView {
public:
    void insertLogText(const QString&) override {}
    void setProgress(double, double) override {}
    void setBadgeLabel(const QString&) override {}
    int askForAction(const QString&, const QString&, bool) override { return 0; }
    void showMessage(const QString&, const QString&) override {}
};

class InlineMainThread : public MainThread {
public:
    void post(std::function<void()> work) override { work(); }
    void runAndWait(std::function<void()> work) override { work(); }
};

const std::filesystem::path& workDir()
{
    static const std::filesystem::path dir = [] {
        char pattern[] = "/tmp/fuzz-convert-XXXXXX";
        return std::filesystem::path(mkdtemp(pattern));
    }();
    return dir;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto& dir = workDir();
    std::filesystem::remove_all(dir / "out");
    std::filesystem::create_directories(dir / "out");
    bool zip = size >= 2 && data[0] == 'P' && data[1] == 'K';
    auto book = dir / (zip ? "book.xlsx" : "book.xls");
    std::ofstream(book, std::ios::binary).write(reinterpret_cast<const char*>(data), std::streamsize(size));

    myOptions options;
    QuietView view;
    InlineMainThread main;
    Shell shell(options, view, main);
    XlsDbfModule module(options, shell);
    applyStartValues(options, module);
    module.setSmallSheetPause(false);
    options.setOutputFile(QString::fromStdString((dir / "out").string()));
    // Vary the settings from the input so that every flavour gets written.
    options.setTypeOfFile(size % 8);
    options.setFirstLine(size % 3 == 0);
    options.setAllCharacter(size % 5 == 0);
    QStringList all;
    module.convertFile(QString::fromStdString(book.string()), all);

    for (const auto& entry : std::filesystem::directory_iterator(dir / "out")) {
        if (entry.path().extension() != ".dbf")
            continue;
        xbtable table;
        table.setEncoding(11);
        if (!table.openDBFfile(entry.path().string()))
            continue;
        for (int64_t r = 0; r < table.recCount() && r < 100000; ++r) {
            table.getRecord(r);
            for (int64_t f = 0; f < table.fieldCount(); ++f)
                (void)table.getString(f);
        }
    }
    return 0;
}
