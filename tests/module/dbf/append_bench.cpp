// Appending speed: 1,000,000 records of the benchmark workload's ten
// columns (integer, 2-decimal number, date, logical, three ASCII texts of
// 6 to 120 characters, one Russian text, a 4-decimal number, one text that
// is empty in a fifth of the rows) to a dBase III table in Windows-1251.
// Cell texts are made before the clock starts; what is timed is
// clearRecord, ten setField calls and appendRecord per row, and the close.
//
// usage: dbf_append_bench [OUTPUT.dbf] [RECORDS]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "module/dbf/xbtable.h"

namespace {

const char* const kWords[] = {"alpha", "bravo", "ledger", "line", "report", "total", "north", "south", "value",
                              "amount", "client", "order", "supply", "region", "market", "budget"};
const char* const kRussian[] = {"счёт", "поставка", "клиент", "отчёт", "итого", "склад", "регион", "заказ"};

std::string words(std::mt19937& random, const char* const* list, size_t count, size_t minLength, size_t maxLength)
{
    std::uniform_int_distribution<size_t> length(minLength, maxLength);
    size_t want = length(random);
    std::string text;
    while (text.size() < want) {
        if (!text.empty())
            text += ' ';
        text += list[random() % count];
    }
    return text;
}

struct Row {
    std::string id, amount, date, flag, shortText, longText, russian, ratio, tail, middle;
    double idValue, amountValue, ratioValue;
};

} // namespace

int main(int argc, char** argv)
{
    const std::string path = argc > 1 ? argv[1] : "/tmp/dbf_append_bench.dbf";
    const long records = argc > 2 ? std::atol(argv[2]) : 1000000;

    // A pool of distinct rows, cycled, so the texts vary without building
    // a million strings.
    std::mt19937 random(42);
    std::vector<Row> pool(4096);
    for (size_t i = 0; i < pool.size(); ++i) {
        Row& row = pool[i];
        row.idValue = double(i + 1);
        row.id = std::to_string(i + 1);
        row.amountValue = std::uniform_real_distribution<double>(-50000, 2000000)(random);
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.2f", row.amountValue);
        row.amount = buffer;
        std::snprintf(buffer, sizeof buffer, "%04d%02d%02d000000", 1990 + int(random() % 40), 1 + int(random() % 12),
                      1 + int(random() % 28));
        row.date = buffer;
        row.flag = random() % 2 ? "1" : "0";
        row.shortText = words(random, kWords, 16, 6, 16);
        row.russian = words(random, kRussian, 8, 10, 30);
        row.longText = words(random, kWords, 16, 40, 120);
        row.ratioValue = std::uniform_real_distribution<double>(0, 100000)(random);
        std::snprintf(buffer, sizeof buffer, "%.4f", row.ratioValue);
        row.ratio = buffer;
        row.tail = random() % 5 ? words(random, kWords, 16, 5, 30) : "";
        row.middle = words(random, kWords, 16, 6, 20);
    }

    xbtable table;
    table.setEncoding(11);
    bool ok = table.prepareNewTable(0, 512, 0) && table.addField("c0", 'N', 10, 0) && table.addField("c1", 'N', 10, 2)
        && table.addField("c2", 'D', 10, 0) && table.addField("c3", 'L', 1, 0) && table.addField("c4", 'C', 16, 0)
        && table.addField("c5", 'C', 30, 0) && table.addField("c6", 'C', 120, 0) && table.addField("c7", 'N', 12, 4)
        && table.addField("c8", 'C', 30, 0) && table.addField("c9", 'C', 20, 0) && table.createTable(path);
    if (!ok) {
        std::fprintf(stderr, "cannot create %s: %s\n", path.c_str(), table.lastError().c_str());
        return 1;
    }
    auto start = std::chrono::steady_clock::now();
    for (long i = 0; i < records; ++i) {
        const Row& row = pool[size_t(i) % pool.size()];
        table.clearRecord();
        table.setField(0, row.id, row.idValue);
        table.setField(1, row.amount, row.amountValue);
        table.setField(2, row.date, 0);
        table.setField(3, row.flag, 0);
        table.setField(4, row.shortText, 0);
        table.setField(5, row.russian, 0);
        table.setField(6, row.longText, 0);
        table.setField(7, row.ratio, row.ratioValue);
        table.setField(8, row.tail, 0);
        table.setField(9, row.middle, 0);
        if (!table.appendRecord(0)) {
            std::fprintf(stderr, "append failed: %s\n", table.lastError().c_str());
            return 1;
        }
    }
    table.closeDBFfile();
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%ld records in %.3f s: %.0f records/s\n", records, seconds, double(records) / seconds);
    return table.lastError().empty() ? 0 : 1;
}
