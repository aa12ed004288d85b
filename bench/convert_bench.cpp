// Times one workbook's conversion without a window, split into loading the
// workbook and converting it (the conversion loads it again itself).
//
//   convert_bench BOOK OUTDIR [--charset=INDEX] [--type=FLAVOUR] [--repeat=N]
//
// Prints the median seconds of each part, records per second and the
// process's peak resident memory.

#include <QCoreApplication>
#include <QDir>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "module/converter/xls_dbf_module.h"
#include "module/xl/xl_api.h"
#include "options/my_options.h"
#include "shell/shell.h"
#include "shell/startup.h"

namespace {

// The window side, reduced to counting.
class CountingView : public ShellView {
public:
    void insertLogText(const QString& text) override { log += text; }
    void setProgress(double, double) override {}
    void setBadgeLabel(const QString&) override {}
    int askForAction(const QString&, const QString&, bool) override { return 0; }
    void showMessage(const QString&, const QString&) override {}
    QString log;
};

class InlineMainThread : public MainThread {
public:
    void post(std::function<void()> work) override { work(); }
    void runAndWait(std::function<void()> work) override { work(); }
};

double seconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

long peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: convert_bench BOOK OUTDIR [--charset=INDEX] [--type=FLAVOUR] [--repeat=N]\n");
        return 2;
    }
    QString book = args[1], outDir = args[2];
    int charset = 10, type = 0, repeat = 1;
    for (const QString& arg : args.mid(3)) {
        if (arg.startsWith("--charset=")) charset = arg.mid(10).toInt();
        if (arg.startsWith("--type=")) type = arg.mid(7).toInt();
        if (arg.startsWith("--repeat=")) repeat = std::max(1, arg.mid(9).toInt());
    }
    QDir().mkpath(outDir);

    std::vector<double> loads, conversions;
    long records = 0;
    for (int i = 0; i < repeat; ++i) {
        auto start = std::chrono::steady_clock::now();
        BookHandle handle = book.endsWith(".xls", Qt::CaseInsensitive) ? xlCreateBookCA() : xlCreateXMLBookCA();
        xlBookSetLocaleA(handle, "UTF-8");
        if (!xlBookLoadA(handle, book.toUtf8().constData())) {
            std::fprintf(stderr, "cannot load: %s\n", xlBookErrorMessageA(handle));
            return 1;
        }
        records = 0;
        for (int s = 0; s < xlBookSheetCountA(handle); ++s)
            records += xlSheetLastRowA(xlBookGetSheetA(handle, s));
        xlBookReleaseA(handle);
        loads.push_back(seconds(std::chrono::steady_clock::now() - start));

        myOptions options;
        CountingView view;
        InlineMainThread main;
        Shell shell(options, view, main);
        XlsDbfModule module(options, shell);
        applyStartValues(options, module);
        options.setOutputFile(outDir);
        options.setTargetCharset(charset);
        options.setTypeOfFile(type);
        QStringList all;
        start = std::chrono::steady_clock::now();
        module.convertFile(book, all);
        conversions.push_back(seconds(std::chrono::steady_clock::now() - start));
        if (i == 0)
            std::fputs(view.log.toUtf8().constData(), stdout);
    }
    double load = median(loads), total = median(conversions);
    std::printf("load %.3f s, convert (load included) %.3f s, conversion alone %.3f s, %ld records, %.0f records/s, peak %ld MB\n",
                load, total, total - load, records, records / total, peakKilobytes() / 1024);
    return 0;
}
