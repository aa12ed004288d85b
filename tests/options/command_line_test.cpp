#include <gtest/gtest.h>

#include <QDir>

#include <limits>

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

struct NumberCase {
    const char* argument;
    Getter get;
    Setter set;
    int64_t expected;
};

class SwitchNumberTest : public testing::TestWithParam<NumberCase> {};

TEST_P(SwitchNumberTest, ReadsItsValue)
{
    const NumberCase& c = GetParam();
    Options options;
    (options.*c.set)(kUntouched);
    commandLine({"/usr/bin/ledgerline", c.argument}, options);
    EXPECT_EQ((options.*c.get)(), c.expected) << c.argument;
}

using O = myOptions;
constexpr int64_t kMaxInt = std::numeric_limits<int64_t>::max();

INSTANTIATE_TEST_SUITE_P(
    Switches, SwitchNumberTest,
    testing::Values(
        // one-flag: only "=1" sets 1, case of the switch ignored
        NumberCase{"-separate=1", &O::separateFiles, &O::setSeparateFiles, 1},
        NumberCase{"-SEPARATE=1", &O::separateFiles, &O::setSeparateFiles, 1},
        NumberCase{"-separate=true", &O::separateFiles, &O::setSeparateFiles, 0},
        NumberCase{"-separate=2", &O::separateFiles, &O::setSeparateFiles, 0},
        NumberCase{"-separate=", &O::separateFiles, &O::setSeparateFiles, 0},
        NumberCase{"-header=1", &O::fileHeader, &O::setFileHeader, 1},
        NumberCase{"-info=1", &O::fileBody, &O::setFileBody, 1},
        NumberCase{"-drop=1", &O::dropTable, &O::setDropTable, 1},
        NumberCase{"-types=1", &O::typesInFile, &O::setTypesInFile, 1},
        NumberCase{"-removecrlf=0", &O::removeCRLF, &O::setRemoveCRLF, 0},
        NumberCase{"-RemoveCRLF=1", &O::removeCRLF, &O::setRemoveCRLF, 1},
        NumberCase{"-recall=1", &O::recallDeleted, &O::setRecallDeleted, 1},
        NumberCase{"-deletionmark=1", &O::deletionMark, &O::setDeletionMark, 1},
        NumberCase{"-cdata=1", &O::cData, &O::setCData, 1},
        NumberCase{"-recno=1", &O::numberOfRecord, &O::setNumberOfRecord, 1},
        NumberCase{"-brackets=1", &O::brackets, &O::setBrackets, 1},
        NumberCase{"-backticks=1", &O::backticks, &O::setBackticks, 1},
        NumberCase{"-names=1", &O::fieldNames, &O::setFieldNames, 1},
        NumberCase{"-allinquotes=1", &O::allInQuotes, &O::setAllInQuotes, 1},
        // whole-argument switches
        NumberCase{"-batch", &O::batch, &O::setBatch, 1},
        NumberCase{"-Batch", &O::batch, &O::setBatch, 1},
        NumberCase{"-batch=1", &O::batch, &O::setBatch, kUntouched},
        NumberCase{"-silent", &O::silent, &O::setSilent, 1},
        NumberCase{"-silently", &O::silent, &O::setSilent, kUntouched},
        // keywords, recognised by the end of the argument
        NumberCase{"-files=ask", &O::overwriteFile, &O::setOverwriteFile, 4},
        NumberCase{"-files=Unique", &O::overwriteFile, &O::setOverwriteFile, 3},
        NumberCase{"-files=SKIP", &O::overwriteFile, &O::setOverwriteFile, 2},
        NumberCase{"-files=use", &O::overwriteFile, &O::setOverwriteFile, 1},
        NumberCase{"-files=overwrite", &O::overwriteFile, &O::setOverwriteFile, 0},
        NumberCase{"-files=never", &O::overwriteFile, &O::setOverwriteFile, kUntouched},
        NumberCase{"-tables=skip", &O::overwriteTable, &O::setOverwriteTable, 2},
        NumberCase{"-spaces=both", &O::removeSpaces, &O::setRemoveSpaces, 2},
        NumberCase{"-spaces=Keep", &O::removeSpaces, &O::setRemoveSpaces, 1},
        NumberCase{"-spaces=trim", &O::removeSpaces, &O::setRemoveSpaces, 0},
        NumberCase{"-quotes=single", &O::quotesType, &O::setQuotesType, 1},
        NumberCase{"-quotes=app", &O::quotesType, &O::setQuotesType, 2},
        NumberCase{"-quotes=1", &O::quotesType, &O::setQuotesType, 0},
        NumberCase{"-quotes=1", &O::textInQuotes, &O::setTextInQuotes, 1},
        NumberCase{"-quotes=single", &O::textInQuotes, &O::setTextInQuotes, 0},
        NumberCase{"-date=dd.mm.yyyy", &O::dateFormat, &O::setDateFormat, 0},
        NumberCase{"-date=mm.dd.yyyy", &O::dateFormat, &O::setDateFormat, 1},
        NumberCase{"-date=yyyy.mm.dd", &O::dateFormat, &O::setDateFormat, 2},
        NumberCase{"-date=dd-mm-yyyy", &O::dateFormat, &O::setDateFormat, 3},
        NumberCase{"-date=mm-dd-yyyy", &O::dateFormat, &O::setDateFormat, 4},
        NumberCase{"-date=YYYY-MM-DD", &O::dateFormat, &O::setDateFormat, 5},
        NumberCase{"-date=dd/mm/yyyy", &O::dateFormat, &O::setDateFormat, 6},
        NumberCase{"-date=mm/dd/yyyy", &O::dateFormat, &O::setDateFormat, 7},
        NumberCase{"-date=yyyy/mm/dd", &O::dateFormat, &O::setDateFormat, 8},
        NumberCase{"-date=yyyymmdd", &O::dateFormat, &O::setDateFormat, 9},
        NumberCase{"-date=ddmmyy", &O::dateFormat, &O::setDateFormat, kUntouched},
        NumberCase{"-type=VFP", &O::typeOfFile, &O::setTypeOfFile, 3},
        NumberCase{"-type=asis", &O::typeOfFile, &O::setTypeOfFile, 6},
        NumberCase{"-type=dbase3", &O::typeOfFile, &O::setTypeOfFile, 0},
        NumberCase{"-type=foxpro", &O::typeOfFile, &O::setTypeOfFile, 1},
        NumberCase{"-type=dbase4", &O::typeOfFile, &O::setTypeOfFile, 2},
        NumberCase{"-type=smt", &O::typeOfFile, &O::setTypeOfFile, 4},
        NumberCase{"-type=dBase7", &O::typeOfFile, &O::setTypeOfFile, 5},
        NumberCase{"-type=xls", &O::typeOfFile, &O::setTypeOfFile, 0},
        NumberCase{"-type=xlsx", &O::typeOfFile, &O::setTypeOfFile, 1},
        NumberCase{"-type=paradox", &O::typeOfFile, &O::setTypeOfFile, kUntouched},
        NumberCase{"-sqltype=asis", &O::typeOfFile, &O::setTypeOfFile, 0},
        NumberCase{"-sqltype=mysql", &O::typeOfFile, &O::setTypeOfFile, 2},
        NumberCase{"-sqltype=sqlite", &O::typeOfFile, &O::setTypeOfFile, 4},
        NumberCase{"-logical=asis", &O::logical, &O::setLogical, 0},
        NumberCase{"-logical=1,0", &O::logical, &O::setLogical, 1},
        NumberCase{"-logical=TRUE,false", &O::logical, &O::setLogical, 2},
        NumberCase{"-logical=Yes,No", &O::logical, &O::setLogical, 3},
        // numbers
        NumberCase{"-blocksize=512", &O::blockSize, &O::setBlockSize, 5},
        NumberCase{"-blocksize=16", &O::blockSize, &O::setBlockSize, 0},
        NumberCase{"-blocksize=32768", &O::blockSize, &O::setBlockSize, 11},
        NumberCase{"-blocksize= +1024 bytes", &O::blockSize, &O::setBlockSize, 6},
        NumberCase{"-blocksize=500", &O::blockSize, &O::setBlockSize, kUntouched},
        NumberCase{"-blocksize=65536", &O::blockSize, &O::setBlockSize, kUntouched},
        NumberCase{"-blocksize=8", &O::blockSize, &O::setBlockSize, kUntouched},
        NumberCase{"-addgo=250", &O::addGo, &O::setAddGo, 250},
        NumberCase{"-addgo=  -5x", &O::addGo, &O::setAddGo, -5},
        NumberCase{"-addgo=many", &O::addGo, &O::setAddGo, 0},
        NumberCase{"-addgo=99999999999999999999", &O::addGo, &O::setAddGo, kMaxInt},
        NumberCase{"-precision=auto", &O::precision, &O::setPrecision, 0},
        NumberCase{"-precision=AUTO", &O::precision, &O::setPrecision, 0},
        NumberCase{"-precision=0", &O::precision, &O::setPrecision, 1},
        NumberCase{"-precision=2", &O::precision, &O::setPrecision, 3},
        NumberCase{"-precision=12", &O::precision, &O::setPrecision, 9},
        NumberCase{"-precision=-1", &O::precision, &O::setPrecision, 0},
        NumberCase{"-precision=-40", &O::precision, &O::setPrecision, 0},
        // character sets by name, first match, case ignored
        NumberCase{"-outcharset=unicode (utf-8)", &O::targetCharset, &O::setTargetCharset, 3},
        NumberCase{"-outcharset=Cyrillic (DOS)", &O::targetCharset, &O::setTargetCharset, 47},
        NumberCase{"-outcharset=Klingon", &O::targetCharset, &O::setTargetCharset, kUntouched},
        NumberCase{"-incharset=CYRILLIC (KOI8-R)", &O::sourceCharset, &O::setSourceCharset, 29},
        // no switch at all
        NumberCase{"-typeofffile=vfp", &O::typeOfFile, &O::setTypeOfFile, kUntouched},
        NumberCase{"-", &O::typeOfFile, &O::setTypeOfFile, kUntouched}));

struct TextCase {
    const char* argument;
    TextGetter get;
    const char* expected;
};

class SwitchTextTest : public testing::TestWithParam<TextCase> {};

TEST_P(SwitchTextTest, KeepsTheCaseOfItsValue)
{
    const TextCase& c = GetParam();
    Options options;
    commandLine({c.argument}, options);
    EXPECT_EQ((options.*c.get)(), OptionalText(QString::fromUtf8(c.expected))) << c.argument;
}

INSTANTIATE_TEST_SUITE_P(Switches, SwitchTextTest,
                         testing::Values(TextCase{"-OUTPUT=/Out/Mixed Case/", &O::outputFile, "/Out/Mixed Case/"},
                                         TextCase{"-output=", &O::outputFile, ""},
                                         TextCase{"-Log=/tmp/Run.LOG", &O::logFile, "/tmp/Run.LOG"},
                                         TextCase{"-records=\\n", &O::delimiterRecords, "\\n"},
                                         TextCase{"-fields=;", &O::delimiterFields, ";"},
                                         TextCase{"-beforequotes=\\", &O::escapeQuote, "\\"},
                                         TextCase{"-beforeslash=ÄÖ", &O::escapeChar, "ÄÖ"},
                                         TextCase{"-logical=Ja,Nein", &O::yesValue, "Ja"},
                                         TextCase{"-logical=Ja,Nein", &O::noValue, "Nein"},
                                         TextCase{"-logical=a,b,c", &O::noValue, "b,c"},
                                         TextCase{"-logical=Oui", &O::yesValue, "Oui"},
                                         TextCase{"-logical=Oui", &O::noValue, ""}));

TEST(CommandLineTest, OwnLogicalPairSelectsCodeFour)
{
    Options options;
    commandLine({"-logical=Ja,Nein"}, options);
    EXPECT_EQ(options.logical(), 4);
}

TEST(CommandLineTest, ListSwitchesAppendAndSplit)
{
    Options options;
    commandLine({"-table=Sheet1", "-TABLE=Second Sheet", "-ct=NAME=x", "-ct=AGE=y", "-colwidth=10;;20"}, options);
    EXPECT_EQ(options.onlytables(), QStringList({"Sheet1", "Second Sheet"}));
    EXPECT_EQ(options.xchg(), QStringList({"NAME=x", "AGE=y"}));
    EXPECT_EQ(options.colWidth(), QStringList({"10", "", "20"}));
}

TEST(CommandLineTest, LaterSwitchOverridesEarlier)
{
    Options options;
    commandLine({"-type=vfp", "-output=/a/", "-type=smt", "-output=/b/"}, options);
    EXPECT_EQ(options.typeOfFile(), 4);
    EXPECT_EQ(options.outputFile(), OptionalText("/b/"));
}

TEST(CommandLineTest, CollectsPathsWithAcceptedExtensions)
{
    Options options;
    QStringList files = commandLine({"/usr/bin/ledgerline", "book.xls", "/data/Book.XLSX", "/data/book.xlsx ",
                                     "notes.txt", "folder.xls/readme", "-table=x.xls", "", "book.xls"},
                                    options);
    EXPECT_EQ(files, QStringList({"book.xls", "/data/Book.XLSX", "book.xls"}));
}

TEST(CommandLineTest, WithoutSourceExtensionsNoPathCounts)
{
    myOptions options;
    EXPECT_TRUE(commandLine({"book.xls"}, options).isEmpty());
}

TEST(LeadingIntegerTest, ReadsTheNumberAtTheStart)
{
    const std::pair<const char*, int64_t> cases[] = {
        {"42", 42},
        {"  42abc", 42},
        {"\t+7", 7},
        {"-0", 0},
        {"", 0},
        {"abc", 0},
        {"- 5", 0},
        {"9223372036854775807", kMaxInt},
        {"9223372036854775808", kMaxInt},
        {"-9223372036854775808", std::numeric_limits<int64_t>::min()},
        {"-99999999999999999999999", std::numeric_limits<int64_t>::min()},
    };
    for (auto [text, expected] : cases)
        EXPECT_EQ(leadingInteger(QString::fromLatin1(text)), expected) << text;
}

// ---- response files

TEST(ResponseFileTest, LinesAreProcessedInPlace)
{
    testsupport::TempDir dir;
    testsupport::writeFile(dir.file("args"), "-silent\ntwo.xlsx\n-output=/from/file/");
    Options options;
    QStringList files =
        commandLine({"one.xls", "-output=/before/", "@" + inDir(dir, "args"), "three.xls"}, options);
    EXPECT_EQ(files, QStringList({"one.xls", "two.xlsx", "three.xls"}));
    EXPECT_EQ(options.silent(), 1);
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

TEST(ResponseFileTest, NestedFilesShareTheFileList)
{
    testsupport::TempDir dir;
    testsupport::writeFile(dir.file("outer"), "a.xls\n@" + dir.file("inner") + "\nc.xls");
    testsupport::writeFile(dir.file("inner"), "b.xls\n-addgo=5");
    Options options;
    EXPECT_EQ(commandLine({"@" + inDir(dir, "outer")}, options), QStringList({"a.xls", "b.xls", "c.xls"}));
    EXPECT_EQ(options.addGo(), 5);
}

TEST(ResponseFileTest, SelfInclusionStopsAtTheDepthLimit)
{
    testsupport::TempDir dir;
    testsupport::writeFile(dir.file("loop"), "again.xls\n@" + dir.file("loop"));
    Options options;
    EXPECT_EQ(commandLine({"@" + inDir(dir, "loop")}, options).size(), kMaxResponseFileDepth);
}

TEST(ResponseFileTest, FanOutStopsAtTheReadLimit)
{
    testsupport::TempDir dir;
    std::string lines = "x.xls";
    for (int i = 0; i < 8; ++i)
        lines += "\n@" + dir.file("fan");
    testsupport::writeFile(dir.file("fan"), lines);
    Options options;
    // Each file read adds its one path before it opens more files.
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
