// Our reader against the corpus dumps, one test per workbook. A format takes
// part once its expectations file (corpus_expectations_<format>.tsv) exists;
// the files listed there differ on purpose and only print their differences.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "oracle_diff.h"
#include "support/test_support.h"

namespace fs = std::filesystem;

namespace {

struct CorpusFile {
    std::string folder; // xls, xlsx or bad
    fs::path path;
};

fs::path expectationsFile(const std::string& format)
{
    return testsupport::sourceDir() / "tests/module/xl" / ("corpus_expectations_" + format + ".tsv");
}

std::vector<CorpusFile> corpusFiles()
{
    std::vector<CorpusFile> files;
    auto shared = testsupport::sharedDir();
    if (!shared)
        return files;
    for (std::string folder : {"xls", "xlsx", "bad"}) {
        fs::path dir = *shared / "corpus" / folder;
        if (!fs::is_directory(dir))
            continue;
        for (const auto& entry : fs::directory_iterator(dir)) {
            std::string ext = entry.path().extension().string();
            std::transform(ext.begin(), ext.end(), ext.begin(), ::tolower);
            std::string format = ext == ".xls" ? "xls" : "xlsx";
            if (fs::exists(expectationsFile(format)))
                files.push_back({folder, entry.path()});
        }
    }
    std::sort(files.begin(), files.end(), [](auto& a, auto& b) { return a.path < b.path; });
    return files;
}

class CorpusTest : public testing::TestWithParam<CorpusFile> {};

TEST_P(CorpusTest, AgreesWithTheIndependentReader)
{
    const CorpusFile& file = GetParam();
    fs::path dump = file.path.parent_path().parent_path() / "oracle" / (file.path.filename().string() + ".json");
    oracle::Result result = oracle::compare(file.path, dump);

    if (file.folder == "bad")
        return; // broken files only have to be refused or read without harm

    std::string ext = file.path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), ::tolower);
    std::map<std::string, std::string> expected;
    for (auto& [name, reason] : oracle::readExpectations(expectationsFile(ext == ".xls" ? "xls" : "xlsx")))
        expected[name] = reason;
    auto known = expected.find(file.path.filename().string());

    std::string report;
    for (const std::string& difference : result.differences)
        report += "  " + difference + "\n";
    if (known != expected.end()) {
        EXPECT_FALSE(result.differences.empty() && result.oracleReadable)
            << "listed as differing (" << known->second << ") but now agrees: drop it from the expectations";
        if (!report.empty())
            std::cout << "known differences (" << known->second << "):\n" << report;
        return;
    }
    EXPECT_TRUE(result.differences.empty()) << report;
}

std::string testName(const testing::TestParamInfo<CorpusFile>& info)
{
    std::string name = info.param.folder + "_" + info.param.path.filename().string();
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Workbooks, CorpusTest, testing::ValuesIn(corpusFiles()), testName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(CorpusTest);

} // namespace
