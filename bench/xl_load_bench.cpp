// Loads a workbook through the xl API and reports how long the load took,
// how many cells the sheets hold and the process's peak resident memory.
//
//   xl_load_bench BOOK [--walk]
//
// --walk also reads every cell of every sheet through the API, as the
// conversion does, and times that separately.

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "module/xl/xl_api.h"

namespace {

double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

long peakResidentKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// User plus system time of the process: steadier than wall time on a
// machine that other work shares.
double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

bool isXls(const std::string& path)
{
    size_t dot = path.rfind('.');
    std::string ext = dot == std::string::npos ? "" : path.substr(dot + 1);
    for (char& c : ext)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return ext == "xls";
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s BOOK [--walk]\n", argv[0]);
        return 2;
    }
    std::string path = argv[1];
    bool walk = argc > 2 && std::strcmp(argv[2], "--walk") == 0;

    auto start = std::chrono::steady_clock::now();
    double cpuStart = cpuSeconds();
    BookHandle book = isXls(path) ? xlCreateBookCA() : xlCreateXMLBookCA();
    xlBookSetLocaleA(book, "UTF-8");
    if (!xlBookLoadA(book, path.c_str())) {
        std::fprintf(stderr, "load failed: %s\n", xlBookErrorMessageA(book));
        xlBookReleaseA(book);
        return 1;
    }
    double loadSeconds = secondsSince(start);
    std::printf("load      %.3f s wall, %.3f s CPU\n", loadSeconds, cpuSeconds() - cpuStart);
    std::printf("peak RSS  %.1f MB after load\n", peakResidentKb() / 1024.0);

    long long extentCells = 0;
    for (int i = 0; i < xlBookSheetCountA(book); ++i) {
        SheetHandle sheet = xlBookGetSheetA(book, i);
        extentCells += (long long)xlSheetLastRowA(sheet) * xlSheetLastColA(sheet);
        std::printf("sheet     %s: %d rows x %d columns\n", xlSheetNameA(sheet), xlSheetLastRowA(sheet),
                    xlSheetLastColA(sheet));
    }

    if (walk) {
        auto walkStart = std::chrono::steady_clock::now();
        long long valued = 0;
        double checksum = 0;
        for (int i = 0; i < xlBookSheetCountA(book); ++i) {
            SheetHandle sheet = xlBookGetSheetA(book, i);
            for (int r = 0; r < xlSheetLastRowA(sheet); ++r)
                for (int c = 0; c < xlSheetLastColA(sheet); ++c) {
                    int type = xlSheetCellTypeA(sheet, r, c);
                    if (type == CELLTYPE_NUMBER)
                        checksum += xlSheetReadNumA(sheet, r, c, nullptr);
                    else if (type == CELLTYPE_STRING)
                        checksum += double(std::strlen(xlSheetReadStrA(sheet, r, c, nullptr)));
                    if (type == CELLTYPE_NUMBER || type == CELLTYPE_STRING || type == CELLTYPE_BOOLEAN)
                        ++valued;
                }
        }
        std::printf("walk      %.3f s, %lld cells with values (checksum %.6g)\n", secondsSince(walkStart), valued,
                    checksum);
    }
    std::printf("cells     %lld within the sheets' extents\n", extentCells);
    std::printf("peak RSS  %.1f MB\n", peakResidentKb() / 1024.0);
    xlBookReleaseA(book);
    return 0;
}
