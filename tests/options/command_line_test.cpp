#include <gtest/gtest.h>

#include <QDir>

#include <limits>
#include <vector>

#include "options/command_line.h"
#include "options/my_options.h"
#include "options/response_file.h"
#include "options/switch_table.h"
#include "support/test_support.h"

namespace {

using Getter = int64_t (myOptions::*)() const;
using Setter = void (myOptions::*)(int64_t);
using TextGetter = OptionalText (myOptions::*)() const;

// Every field starts here, so "changes nothing" is told apart from 0.
constexpr int64_t kUntouched = 77;

// A record that accepts workbooks, as the start-up leaves it.
struct Options : myOptions {
    Options() { setSourceFiles(QStringList{"xls", "xlsx"}); }
};

QString inDir(const testsupport::TempDir& dir, const char* name)
{
    return QString::fromStdString(dir.file(name));
}

// One field and the arguments that set it; kUntouched: left as it was.
struct FieldCases {
    const char* field;
    Getter get;
    Setter set;
    std::vector<std::pair<const char*, int64_t>> cases;
};

using O = myOptions;
constexpr int64_t kMaxInt = std::numeric_limits<int64_t>::max();
constexpr int64_t kSame = kUntouched;

// Every switch that stores a number, so a table entry wired to the wrong
// field shows up; keyword lists are sampled at their ends and in case.
const FieldCases kNumberSwitches[] = {
    {"separateFiles", &O::separateFiles, &O::setSeparateFiles,
     {{"-separate=1", 1}, {"-SEPARATE=1", 1}, {"-separate=true", 0}, {"-separate=2", 0}, {"-separate=", 0}}},
    {"fileHeader", &O::fileHeader, &O::setFileHeader, {{"-header=1", 1}}},
    {"fileBody", &O::fileBody, &O::setFileBody, {{"-info=1", 1}}},
    {"dropTable", &O::dropTable, &O::setDropTable, {{"-drop=1", 1}}},
    {"typesInFile", &O::typesInFile, &O::setTypesInFile, {{"-types=1", 1}}},
    {"removeCRLF", &O::removeCRLF, &O::setRemoveCRLF, {{"-removecrlf=0", 0}, {"-RemoveCRLF=1", 1}}},
    {"recallDeleted", &O::recallDeleted, &O::setRecallDeleted, {{"-recall=1", 1}}},
    {"deletionMark", &O::deletionMark, &O::setDeletionMark, {{"-deletionmark=1", 1}}},
    {"cData", &O::cData, &O::setCData, {{"-cdata=1", 1}}},
    {"numberOfRecord", &O::numberOfRecord, &O::setNumberOfRecord, {{"-recno=1", 1}}},
    {"brackets", &O::brackets, &O::setBrackets, {{"-brackets=1", 1}}},
    {"backticks", &O::backticks, &O::setBackticks, {{"-backticks=1", 1}}},
    {"fieldNames", &O::fieldNames, &O::setFieldNames, {{"-names=1", 1}}},
    {"allInQuotes", &O::allInQuotes, &O::setAllInQuotes, {{"-allinquotes=1", 1}}},
    {"batch", &O::batch, &O::setBatch, {{"-batch", 1}, {"-Batch", 1}, {"-batch=1", kSame}}},
    {"silent", &O::silent, &O::setSilent, {{"-silent", 1}, {"-silently", kSame}}},
    {"overwriteFile", &O::overwriteFile, &O::setOverwriteFile,
     {{"-files=ask", 4}, {"-files=Unique", 3}, {"-files=SKIP", 2}, {"-files=use", 1}, {"-files=overwrite", 0},
      {"-files=never", kSame}}},
    {"overwriteTable", &O::overwriteTable, &O::setOverwriteTable, {{"-tables=skip", 2}, {"-tables=no", kSame}}},
    {"removeSpaces", &O::removeSpaces, &O::setRemoveSpaces,
     {{"-spaces=both", 2}, {"-spaces=Keep", 1}, {"-spaces=trim", 0}, {"-spaces=", 0}}},
    {"quotesType", &O::quotesType, &O::setQuotesType, {{"-quotes=single", 1}, {"-quotes=app", 2}, {"-quotes=1", 0}}},
    {"textInQuotes", &O::textInQuotes, &O::setTextInQuotes, {{"-quotes=1", 1}, {"-quotes=single", 0}}},
    {"dateFormat", &O::dateFormat, &O::setDateFormat,
     {{"-date=dd.mm.yyyy", 0}, {"-date=mm.dd.yyyy", 1}, {"-date=YYYY-MM-DD", 5}, {"-date=mm/dd/yyyy", 7},
      {"-date=yyyymmdd", 9}, {"-date=ddmmyy", kSame}}},
    {"typeOfFile", &O::typeOfFile, &O::setTypeOfFile,
     {{"-type=VFP", 3}, {"-type=asis", 6}, {"-type=dbase3", 0}, {"-type=foxpro", 1}, {"-type=dbase4", 2},
      {"-type=smt", 4}, {"-type=dBase7", 5}, {"-type=xls", 0}, {"-type=xlsx", 1}, {"-type=paradox", kSame},
      {"-sqltype=asis", 0}, {"-sqltype=mysql", 2}, {"-sqltype=sqlite", 4}, {"-typeofffile=vfp", kSame}, {"-", kSame}}},
    {"logical", &O::logical, &O::setLogical,
     {{"-logical=asis", 0}, {"-logical=1,0", 1}, {"-logical=TRUE,false", 2}, {"-logical=Yes,No", 3},
      {"-logical=Ja,Nein", 4}}},
    {"blockSize", &O::blockSize, &O::setBlockSize,
     {{"-blocksize=512", 5}, {"-blocksize=16", 0}, {"-blocksize=32768", 11}, {"-blocksize= +1024 bytes", 6},
      {"-blocksize=500", kSame}, {"-blocksize=65536", kSame}, {"-blocksize=8", kSame}}},
    {"addGo", &O::addGo, &O::setAddGo,
     {{"-addgo=250", 250}, {"-addgo=  -5x", -5}, {"-addgo=many", 0}, {"-addgo=99999999999999999999", kMaxInt}}},
    {"precision", &O::precision, &O::setPrecision,
     {{"-precision=auto", 0}, {"-precision=AUTO", 0}, {"-precision=0", 1}, {"-precision=2", 3}, {"-precision=12", 9},
      {"-precision=-1", 0}, {"-precision=-40", 0}}},
    {"targetCharset", &O::targetCharset, &O::setTargetCharset,
     {{"-outcharset=unicode (utf-8)", 3}, {"-outcharset=Cyrillic (DOS)", 47}, {"-outcharset=Klingon", kSame}}},
    {"sourceCharset", &O::sourceCharset, &O::setSourceCharset, {{"-incharset=CYRILLIC (KOI8-R)", 29}}},
};

TEST(SwitchTest, EachNumberSwitchReadsItsValue)
{
    for (const FieldCases& field : kNumberSwitches) {
        for (auto [argument, expected] : field.cases) {
            Options options;
            (options.*field.set)(kUntouched);
            commandLine({"/usr/bin/ledgerline", argument}, options);
            EXPECT_EQ((options.*field.get)(), expected) << field.field << " from " << argument;
        }
    }
}

TEST(SwitchTest, TextSwitchesKeepTheCaseOfTheirValue)
{
    const std::tuple<const char*, TextGetter, const char*> cases[] = {
        {"-OUTPUT=/Out/Mixed Case/", &O::outputFile, "/Out/Mixed Case/"},
        {"-output=", &O::outputFile, ""},
        {"-Log=/tmp/Run.LOG", &O::logFile, "/tmp/Run.LOG"},
        {"-records=\\n", &O::delimiterRecords, "\\n"},
        {"-fields=;", &O::delimiterFields, ";"},
        {"-beforequotes=\\", &O::escapeQuote, "\\"},
        {"-beforeslash=ÄÖ", &O::escapeChar, "ÄÖ"},
        {"-logical=Ja,Nein", &O::yesValue, "Ja"},
        {"-logical=Ja,Nein", &O::noValue, "Nein"},
        {"-logical=a,b,c", &O::noValue, "b,c"},
        {"-logical=Oui", &O::yesValue, "Oui"},
        {"-logical=Oui", &O::noValue, ""},
    };
    for (auto [argument, get, expected] : cases) {
        Options options;
        commandLine({argument}, options);
        EXPECT_EQ((options.*get)(), OptionalText(QString::fromUtf8(expected))) << argument;
    }
}

// List switches append, the others keep the last value; paths count by
// their extension, as written, in order.
TEST(CommandLineTest, ListsAppendOthersOverridePathsCountByExtension)
{
    Options options;
    QStringList files = commandLine({"/usr/bin/ledgerline", "book.xls", "-table=Sheet1", "-type=vfp", "-output=/a/",
                                     "/data/Book.XLSX", "/data/book.xlsx ", "notes.txt", "folder.xls/readme",
                                     "-table=x.xls", "-TABLE=Second Sheet", "-ct=NAME=x", "-ct=AGE=y",
                                     "-colwidth=10;;20", "-type=smt", "-output=/b/", "", "book.xls"},
                                    options);
    EXPECT_EQ(files, QStringList({"book.xls", "/data/Book.XLSX", "book.xls"}));
    EXPECT_EQ(options.onlytables(), QStringList({"Sheet1", "x.xls", "Second Sheet"}));
    EXPECT_EQ(options.xchg(), QStringList({"NAME=x", "AGE=y"}));
    EXPECT_EQ(options.colWidth(), QStringList({"10", "", "20"}));
    EXPECT_EQ(options.typeOfFile(), 4);
    EXPECT_EQ(options.outputFile(), OptionalText("/b/"));

    myOptions withoutExtensions;
    EXPECT_TRUE(commandLine({"book.xls"}, withoutExtensions).isEmpty());
}

TEST(LeadingIntegerTest, ReadsTheNumberAtTheStart)
{
    constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
    const std::pair<const char*, int64_t> cases[] = {
        {"42", 42}, {"  42abc", 42}, {"\t+7", 7}, {"-0", 0}, {"", 0}, {"abc", 0}, {"- 5", 0},
        {"9223372036854775807", kMaxInt}, {"9223372036854775808", kMaxInt},
        {"-9223372036854775808", kMin}, {"-99999999999999999999999", kMin},
    };
    for (auto [text, expected] : cases)
        EXPECT_EQ(leadingInteger(QString::fromLatin1(text)), expected) << text;
}

// ---- response files

// The lines take the place of the "@" argument, nested files included.
TEST(ResponseFileTest, LinesAreProcessedInPlace)
{
    testsupport::TempDir dir;
    testsupport::writeFile(dir.file("args"), "-silent\n@" + dir.file("inner") + "\n-output=/from/file/");
    testsupport::writeFile(dir.file("inner"), "two.xlsx\n-addgo=5");
    Options options;
    QStringList files =
        commandLine({"one.xls", "-output=/before/", "@" + inDir(dir, "args"), "three.xls"}, options);
    EXPECT_EQ(files, QStringList({"one.xls", "two.xlsx", "three.xls"}));
    EXPECT_EQ(options.silent(), 1);
    EXPECT_EQ(options.addGo(), 5);
    EXPECT_EQ(options.outputFile(), OptionalText("/from/file/"));

    commandLine({"@" + inDir(dir, "args"), "-output=/after/"}, options);
    EXPECT_EQ(options.outputFile(), OptionalText("/after/"));
}

TEST(ResponseFileTest, OnlyLineFeedsSplitLines)
{
    testsupport::TempDir dir;
    testsupport::writeFile(dir.file("args"), "\xEF\xBB\xBF-log=/tmp/run.log\r\nbook.xls\r\nsecond.xls\n");
    Options options;
    QStringList files = commandLine({"@" + inDir(dir, "args")}, options);
    EXPECT_EQ(options.logFile(), OptionalText("/tmp/run.log\r"));
    EXPECT_EQ(files, QStringList({"second.xls"})); // "book.xls\r" has the extension "xls\r"
}

// A file naming itself stops at the depth limit; one naming itself many
// times stops at the read limit, each read adding its one path first.
TEST(ResponseFileTest, RecursionStopsAtTheLimits)
{
    testsupport::TempDir dir;
    testsupport::writeFile(dir.file("loop"), "again.xls\n@" + dir.file("loop"));
    std::string fan = "x.xls";
    for (int i = 0; i < 8; ++i)
        fan += "\n@" + dir.file("fan");
    testsupport::writeFile(dir.file("fan"), fan);
    Options options;
    EXPECT_EQ(commandLine({"@" + inDir(dir, "loop")}, options).size(), kMaxResponseFileDepth);
    EXPECT_EQ(commandLine({"@" + inDir(dir, "fan")}, options).size(), kMaxResponseFileReads);
}

TEST(ResponseFileTest, UnusableFilesAreSkipped)
{
    testsupport::TempDir dir;
    testsupport::writeFile(dir.file("latin1"), "-addgo=5\nb\xE4r.xls\n");
    testsupport::writeFile(dir.file("huge"), "-addgo=6\n" + std::string(kMaxResponseFileBytes, '\n'));
    const std::pair<QString, ResponseFileFailure> cases[] = {
        {inDir(dir, "missing"), ResponseFileFailure::NotAFile},
        {QString::fromStdString(dir.path().string()), ResponseFileFailure::NotAFile},
        {"/dev/zero", ResponseFileFailure::NotAFile},
        {"", ResponseFileFailure::NotAFile},
        {inDir(dir, "latin1"), ResponseFileFailure::NotUtf8},
        {inDir(dir, "huge"), ResponseFileFailure::TooLarge},
    };
    for (const auto& [path, failure] : cases) {
        auto result = readResponseFile(path);
        auto* error = std::get_if<ResponseFileError>(&result);
        ASSERT_NE(error, nullptr) << path.toStdString();
        EXPECT_EQ(error->failure, failure) << path.toStdString();
        EXPECT_FALSE(describe(*error).isEmpty());

        Options options;
        options.setAddGo(kUntouched);
        EXPECT_TRUE(commandLine({"@" + path}, options).isEmpty());
        EXPECT_EQ(options.addGo(), kUntouched) << path.toStdString();
    }
}

// ---- help

TEST(CommandLineHelpTest, AskedForByHelpSwitches)
{
    const std::pair<QStringList, bool> cases[] = {
        {{"/usr/bin/ledgerline", "-help"}, true},
        {{"--HELP"}, true},
        {{"-h"}, true},
        {{"-?"}, true},
        {{"-header=1"}, false},
        {{"-helpme"}, false},
        {{"help.xls"}, false},
        {{}, false},
    };
    for (const auto& [arguments, wanted] : cases)
        EXPECT_EQ(wantsHelp(arguments), wanted) << arguments.join(' ').toStdString();
}

TEST(CommandLineHelpTest, ListsEverySwitchAndTheExitStatuses)
{
    QStringList lines = commandLineHelp().split('\n');
    EXPECT_TRUE(lines.first().startsWith("Usage: ledgerline"));
    for (const SwitchDefinition& entry : switchTable()) {
        QString text = QString::fromLatin1(entry.text);
        int found = 0;
        for (const QString& line : lines)
            if (line.trimmed().startsWith(text))
                ++found;
        EXPECT_EQ(found, 1) << entry.text;
    }
    for (const char* status : {"  0  ", "  1  ", "  2  "})
        EXPECT_TRUE(lines.filter(QString::fromLatin1(status)).size() == 1) << status;
}

} // namespace
