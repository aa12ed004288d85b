#include <gtest/gtest.h>

#include <QMap>

#include "shell/converter_module.h"
#include "shell/file_and_tables.h"
#include "support/test_support.h"

namespace {

// A module whose files' tables are set by the test.
class FakeModule : public ConverterModule {
public:
    QMap<QString, QStringList> tables;
    QStringList getSourceFiles() const override { return {"xls"}; }
    QString getdefaultExtension() const override { return "dbf"; }
    QString initializeConverter(const QList<QObject*>&) override { return "fake"; }
    QString titleForWindow() const override { return "Fake"; }
    QStringList getTables(const QString& path) override { return tables.value(path); }
    QString moduleName() const override { return "fake"; }
    bool convertFile(const QString&, QStringList&) override { return true; }
};

TEST(CheckForTablesTest, KeepsTheListWhenNothingChanged)
{
    testsupport::TempDir dir;
    FakeModule module;
    QString a = QString::fromStdString(dir.file("a.xls")), b = QString::fromStdString(dir.file("b.xls"));
    testsupport::writeFile(a.toStdString(), "");
    testsupport::writeFile(b.toStdString(), "");
    module.tables[a] = {"S1", "S2"};
    module.tables[b] = {"T"};

    QList<FileAndTables> list{{a, {"S2", "S1"}}, {b, {"T"}}}; // order of names does not matter
    EXPECT_TRUE(CheckForTables(list, module));
    EXPECT_EQ(list[0].tables, QStringList({"S2", "S1"}));

    module.tables[a] = {"X1", "X2"}; // renamed, same count: the saved names stay, still unchanged
    EXPECT_TRUE(CheckForTables(list, module));
    EXPECT_EQ(list[0].tables, QStringList({"S2", "S1"}));

    module.tables[a] = {"X1"}; // count changed
    EXPECT_FALSE(CheckForTables(list, module));
    EXPECT_EQ(list[0].tables, QStringList({"X1"}));

    std::filesystem::remove(a.toStdString()); // a file vanished: dropped, the others keep their order
    EXPECT_FALSE(CheckForTables(list, module));
    ASSERT_EQ(list.size(), 1);
    EXPECT_EQ(list[0].filename, b);

    module.tables[b] = {}; // unreadable now: dropped
    EXPECT_FALSE(CheckForTables(list, module));
    EXPECT_TRUE(list.isEmpty());
    EXPECT_FALSE(CheckForTables(list, module)); // an empty list is never "unchanged"
}

TEST(FileAndTablesTest, StoredFormRoundTrips)
{
    FileAndTables record{"/in/book.xls", {"Sheet1", "Лист2"}};
    QVariantMap map = record.toMap();
    EXPECT_EQ(map.keys(), QStringList({"filename", "table"}));
    EXPECT_EQ(FileAndTables::fromMap(map), record);
}

} // namespace
