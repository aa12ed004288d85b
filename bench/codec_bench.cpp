// Encoding speed of the character-set codecs on the conversion's hot path:
// many short cell texts, each encoded into a fixed-size field buffer.
// Prints MB of UTF-8 input per second of this thread's CPU time (so that
// other load on the machine does not count). Usage: codec_bench [megabytes]

#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "module/text/codec.h"

namespace {

using ll::text::Codec;

double cpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

std::vector<std::string> makeCells(const std::vector<const char*>& words, size_t totalBytes)
{
    std::vector<std::string> cells;
    size_t bytes = 0;
    unsigned seed = 12345;
    while (bytes < totalBytes) {
        std::string cell;
        int count = 2 + int(seed % 4);
        for (int i = 0; i < count; ++i) {
            seed = seed * 1103515245u + 12345u;
            if (!cell.empty())
                cell += ' ';
            cell += words[(seed >> 16) % words.size()];
        }
        bytes += cell.size();
        cells.push_back(std::move(cell));
    }
    return cells;
}

void run(const char* label, int32_t code, const std::vector<std::string>& cells)
{
    const Codec& codec = Codec::forCode(code);
    size_t input = 0;
    for (const std::string& cell : cells)
        input += cell.size();
    char field[254];
    size_t written = 0;
    // One warm-up pass opens the per-thread converter.
    for (int pass = 0; pass < 2; ++pass) {
        written = 0;
        double start = cpuSeconds();
        for (const std::string& cell : cells)
            written += codec.encodeInto(cell, field, sizeof field);
        double seconds = cpuSeconds() - start;
        if (pass == 1)
            std::printf("%-34s %-18s %8.1f MB/s  (%zu cells, %.1f MB in, %.1f MB out)\n", label,
                        std::string(codec.converterName()).c_str(), double(input) / 1e6 / seconds, cells.size(),
                        double(input) / 1e6, double(written) / 1e6);
    }
}

} // namespace

int main(int argc, char** argv)
{
    size_t megabytes = argc > 1 ? size_t(std::atoi(argv[1])) : 20;
    size_t total = megabytes * 1000 * 1000;
    auto cyrillic = makeCells({"Иванов", "Петров", "улица", "Москва", "дом", "квартира", "ООО", "Рога", "и",
                               "Копыта", "счёт", "№", "12", "2024", "итого"},
                              total);
    auto chinese = makeCells({"北京", "上海", "有限公司", "中华人民共和国", "地址", "电话", "合计", "12", "号"}, total);
    auto ascii = makeCells({"Smith", "John", "Street", "London", "12", "Ltd", "total", "2024"}, total);

    run("ASCII -> Windows-1251", 11, ascii);
    run("Cyrillic -> Windows-1251", 11, cyrillic);
    run("Cyrillic -> DOS Russian (866)", int32_t(0x80000413u), cyrillic);
    run("Cyrillic -> GBK (ICU)", int32_t(0x80000631u), cyrillic);
    run("Chinese -> GBK (ICU)", int32_t(0x80000631u), chinese);
    run("Chinese -> GB 18030 (ICU)", int32_t(0x80000632u), chinese);
    run("Chinese -> EUC-CN (iconv)", int32_t(0x80000930u), chinese);
    run("Cyrillic -> Shift JIS (iconv)", int32_t(0x80000A01u), cyrillic);
    run("Cyrillic -> UTF-16 (own)", 10, cyrillic);
    run("Cyrillic -> UTF-8 (own)", 4, cyrillic);
    return 0;
}
