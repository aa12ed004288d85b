// Our tables through the independent readers of dbf-check: which readers
// accept each flavour, whether they agree, and whether the values they
// decode equal what was written (agreement alone would pass a wrong
// code-page byte). Each table is checked once trusting its code-page byte
// and once with the code page forced. dBase 7 has no reader here; dbf-check's
// own header parser still checks its level-7 layout.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <filesystem>
#include <set>

#include "dbf_test_support.h"
#include "module/dbf/xbtable.h"
#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;

std::optional<fs::path> dbfCheck()
{
    std::optional<fs::path> shared = testsupport::sharedDir();
    if (!shared || !fs::exists(*shared / "tools/dbf-check"))
        return std::nullopt;
    return *shared / "tools/dbf-check";
}

QJsonObject runDbfCheck(const std::string& table, const std::string& options = {})
{
    std::string out;
    testsupport::runCommand(dbfCheck()->string() + " --json --show 20 " + options + " '" + table + "' 2>/dev/null", &out);
    QJsonDocument json = QJsonDocument::fromJson(QByteArray::fromStdString(out));
    EXPECT_TRUE(json.isObject()) << out.substr(0, 500);
    return json.object();
}

QJsonObject readerNamed(const QJsonObject& result, const QString& name)
{
    for (const QJsonValue& reader : result["readers"].toArray())
        if (reader.toObject()["name"].toString() == name)
            return reader.toObject();
    return {};
}

// A reader's value matches when equal, when the reader did not read it
// (null), or when it is one of the alternatives of an ambiguous value
// ("\"\"|\"F\"": a reader that prints a '?' logical as false).
bool valueMatches(const QJsonValue& value, const std::string& expected)
{
    if (value.isNull())
        return true;
    std::string text = value.toString().toStdString();
    if (text == expected)
        return true;
    if (text.size() > 1 && text.front() == '"')
        return text.find("\"" + expected + "\"") != std::string::npos;
    return false;
}

void expectRows(const QJsonObject& reader, const std::vector<std::vector<std::string>>& rows, bool compareMemo)
{
    QJsonArray records = reader["records"].toArray();
    ASSERT_EQ(records.size(), qsizetype(rows.size())) << reader["name"].toString().toStdString();
    for (size_t r = 0; r < rows.size(); ++r) {
        QJsonArray values = records[qsizetype(r)].toArray();
        size_t columns = compareMemo ? rows[r].size() : rows[r].size() - 1;
        for (size_t c = 0; c < columns; ++c)
            EXPECT_TRUE(valueMatches(values[qsizetype(c)], rows[r][c]))
                << reader["name"].toString().toStdString() << " row " << r << " column " << c << ": "
                << values[qsizetype(c)].toString().toStdString() << " instead of " << rows[r][c];
    }
}

struct ReaderCase {
    int flavour;
    const char* name;
    uint8_t version;
    std::set<std::string> accepting; // the readers that must accept and agree
    bool memoChecked;                // whether the memo text has two readers
};

const std::set<std::string> kAllReaders = {"dbfread", "python-dbf", "perl-xbase", "gdal-ogr", "pgdbf", "ruby-dbf", "dbview"};

const ReaderCase kReaderCases[] = {
    {0, "dBase3", 0x83, kAllReaders, true},
    {6, "AsIs", 0x83, kAllReaders, true},
    {1, "FoxPro", 0xF5, {"dbfread", "python-dbf", "perl-xbase", "gdal-ogr", "pgdbf", "ruby-dbf"}, true},
    {2, "dBase4", 0x8B, {"dbfread", "perl-xbase", "gdal-ogr", "ruby-dbf"}, true},
    {3, "VisualFoxPro", 0x30, {"dbfread", "python-dbf", "perl-xbase", "gdal-ogr", "pgdbf", "ruby-dbf"}, true},
    // No reader here reads SMT memo text; the other fields have three.
    {4, "SMT", 0xE5, {"perl-xbase", "gdal-ogr", "ruby-dbf"}, false},
};

std::vector<std::vector<std::string>> sampleReaderRows()
{
    std::vector<std::vector<std::string>> rows;
    for (size_t i = 0; i < dbftest::sampleRows().size(); ++i)
        rows.push_back(dbftest::expectedReaderRow(i));
    return rows;
}

class ReadersTest : public ::testing::TestWithParam<ReaderCase> {
protected:
    void SetUp() override
    {
        if (!dbfCheck())
            GTEST_SKIP() << "dbf-check not found";
    }
};

TEST_P(ReadersTest, ReadersAcceptAndDecodeWhatWasWritten)
{
    const ReaderCase& c = GetParam();
    testsupport::TempDir dir;
    const std::string path = dir.file("readers.dbf");
    std::string error;
    {
        xbtable writer;
        ASSERT_TRUE(dbftest::writeSampleTable(writer, path, c.flavour, 512, error)) << error;
    }
    for (const std::string options : {"", "--encoding cp1251"}) {
        SCOPED_TRACE(options.empty() ? "trusting the code-page byte" : options);
        QJsonObject result = runDbfCheck(path, options);
        QJsonObject header = result["header"].toObject();
        EXPECT_EQ(header["version"].toInt(), c.version);
        EXPECT_EQ(header["ldid"].toInt(), 0xC9);
        EXPECT_EQ(header["count"].toInt(), 4);
        EXPECT_EQ(header["eof"].toString(), "0x1A");
        EXPECT_TRUE(header["problems"].toArray().isEmpty());
        for (const QJsonValue& value : result["readers"].toArray()) {
            QJsonObject reader = value.toObject();
            std::string name = reader["name"].toString().toStdString();
            if (!c.accepting.count(name))
                continue;
            EXPECT_EQ(reader["status"].toString(), "accepted") << name << ": " << reader["error"].toString().toStdString();
            if (c.memoChecked) {
                EXPECT_TRUE(reader["agrees"].toBool()) << name;
            }
            expectRows(reader, sampleReaderRows(), c.memoChecked);
        }
        if (c.memoChecked) {
            EXPECT_TRUE(result["ok"].toBool());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Flavours, ReadersTest, ::testing::ValuesIn(kReaderCases),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(ReadersTest, DbaseSevenHeaderParsesAsLevelSeven)
{
    if (!dbfCheck())
        GTEST_SKIP() << "dbf-check not found";
    testsupport::TempDir dir;
    const std::string path = dir.file("seven.dbf");
    std::string error;
    {
        xbtable writer;
        ASSERT_TRUE(dbftest::writeSampleTable(writer, path, 7, 512, error)) << error;
    }
    QJsonObject header = runDbfCheck(path, "--readers dbfread")["header"].toObject();
    EXPECT_TRUE(header["level7"].toBool());
    EXPECT_EQ(header["version"].toInt(), 0x8C);
    EXPECT_EQ(header["header_len"].toInt(), 68 + 5 * 48 + 1);
    EXPECT_EQ(header["record_len"].toInt(), 62);
    EXPECT_TRUE(header["problems"].toArray().isEmpty());
    QJsonArray fields = header["fields"].toArray();
    ASSERT_EQ(fields.size(), 5);
    const char* expected[][4] = {{"NAME", "C", "30", "0"}, {"AMOUNT", "N", "12", "2"}, {"FLAG", "L", "1", "0"},
                                 {"BORN", "D", "8", "0"},  {"NOTES", "M", "10", "0"}};
    for (int i = 0; i < 5; ++i) {
        QJsonArray field = fields[i].toArray();
        EXPECT_EQ(field[0].toString().toStdString(), expected[i][0]);
        EXPECT_EQ(field[1].toString().toStdString(), expected[i][1]);
        EXPECT_EQ(field[2].toInt(), std::stoi(expected[i][2]));
        EXPECT_EQ(field[3].toInt(), std::stoi(expected[i][3]));
    }
}

// Appending to tables other programs wrote must not cost them a reader.
TEST(ReadersTest, ForeignTablesKeepTheirReadersAfterAppending)
{
    if (!dbfCheck())
        GTEST_SKIP() << "dbf-check not found";
    fs::path samples = dbfCheck()->parent_path() / "samples";
    for (const char* sample : {"db3", "clp", "hand_fp_bs16", "vfp", "hand_vfp", "xbase_db4"}) {
        SCOPED_TRACE(sample);
        testsupport::TempDir dir;
        for (const auto& entry : fs::directory_iterator(samples))
            if (entry.path().stem() == sample)
                fs::copy_file(entry.path(), dir.path() / entry.path().filename());
        const std::string path = dir.file(std::string(sample) + ".dbf");
        QJsonObject before = runDbfCheck(path, "--encoding cp1251");
        {
            xbtable table;
            table.setEncoding(11);
            ASSERT_TRUE(table.openDBFfile(path));
            table.clearRecord();
            ASSERT_TRUE(table.setField(table.indexOfField("NAME"), "Добавлено", 0));
            ASSERT_TRUE(table.setField(table.indexOfField("AMOUNT"), "12.5", 12.5));
            ASSERT_TRUE(table.setField(table.indexOfField("FLAG"), "1", 0));
            ASSERT_TRUE(table.setField(table.indexOfField("BORN"), "20200101000000", 0));
            ASSERT_TRUE(table.setField(table.indexOfField("NOTES"), "новая памятка", 0));
            ASSERT_TRUE(table.appendRecord(0)) << table.lastError();
        }
        QJsonObject after = runDbfCheck(path, "--encoding cp1251");
        EXPECT_TRUE(after["header"].toObject()["problems"].toArray().isEmpty());
        for (const QJsonValue& value : before["readers"].toArray()) {
            QJsonObject old = value.toObject();
            QJsonObject now = readerNamed(after, old["name"].toString());
            std::string name = old["name"].toString().toStdString();
            EXPECT_EQ(now["status"].toString(), old["status"].toString()) << name;
            EXPECT_EQ(now["agrees"].toBool(), old["agrees"].toBool()) << name;
            if (now["status"].toString() != "accepted" || !now["agrees"].toBool())
                continue;
            QJsonArray records = now["records"].toArray();
            ASSERT_FALSE(records.isEmpty()) << name;
            QJsonArray last = records.last().toArray();
            const std::vector<std::string> expected = {"Добавлено", "12.5", "T", "2020-01-01", "новая памятка"};
            for (size_t c = 0; c < expected.size(); ++c)
                EXPECT_TRUE(valueMatches(last[qsizetype(c)], expected[c]))
                    << name << " column " << c << ": " << last[qsizetype(c)].toString().toStdString();
        }
    }
}

} // namespace
