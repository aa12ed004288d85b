// The floor for .xlsx conversion speed: inflate the worksheet parts and the
// shared-string part with the zip library we use and tokenize their XML
// with the parser we use, doing nothing else.
//
//   xlsx_floor BOOK.xlsx    prints seconds and bytes of XML

#include <expat.h>
#include <zip.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: xlsx_floor BOOK.xlsx\n");
        return 2;
    }
    auto start = std::chrono::steady_clock::now();
    int error = 0;
    zip_t* archive = zip_open(argv[1], ZIP_RDONLY, &error);
    if (!archive) {
        std::fprintf(stderr, "cannot open %s\n", argv[1]);
        return 1;
    }
    std::vector<char> buffer(256 * 1024);
    unsigned long long total = 0;
    zip_int64_t entries = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < entries; ++i) {
        std::string name = zip_get_name(archive, zip_uint64_t(i), 0);
        bool sheet = name.rfind("xl/worksheets/", 0) == 0 && name.size() > 4 && name.substr(name.size() - 4) == ".xml";
        if (!sheet && name != "xl/sharedStrings.xml")
            continue;
        zip_file_t* file = zip_fopen_index(archive, zip_uint64_t(i), 0);
        XML_Parser parser = XML_ParserCreate(nullptr);
        zip_int64_t n;
        while ((n = zip_fread(file, buffer.data(), buffer.size())) > 0) {
            total += zip_uint64_t(n);
            XML_Parse(parser, buffer.data(), int(n), 0);
        }
        XML_Parse(parser, nullptr, 0, 1);
        XML_ParserFree(parser);
        zip_fclose(file);
    }
    zip_close(archive);
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%.3f s, %llu bytes of XML\n", seconds, total);
    return 0;
}
