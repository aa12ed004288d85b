#include "switch_table.h"

#include <QLatin1StringView>

#include <algorithm>
#include <limits>
#include <optional>

#include "charsets.h"
#include "my_options.h"

namespace {

struct Keyword {
    const char* ending; // includes the "=", e.g. "=skip"
    int64_t code;
};

template <size_t N>
std::optional<int64_t> keywordCode(const SwitchArgument& argument, const Keyword (&words)[N])
{
    for (const Keyword& word : words)
        if (argument.lowered.endsWith(QLatin1StringView(word.ending)))
            return word.code;
    return std::nullopt;
}

int64_t oneFlag(const SwitchArgument& argument)
{
    return argument.lowered.endsWith(QLatin1StringView("=1")) ? 1 : 0;
}

int64_t number(const SwitchArgument& argument)
{
    return leadingInteger(QStringView(argument.written).mid(argument.switchLength));
}

constexpr Keyword kOverwriteWords[] = {
    {"=ask", 4}, {"=unique", 3}, {"=skip", 2}, {"=use", 1}, {"=overwrite", 0},
};
constexpr Keyword kSpacesWords[] = {{"=both", 2}, {"=keep", 1}};
constexpr Keyword kQuoteWords[] = {{"=single", 1}, {"=app", 2}};
constexpr Keyword kDateWords[] = {
    {"=dd.mm.yyyy", 0}, {"=mm.dd.yyyy", 1}, {"=yyyy.mm.dd", 2}, {"=dd-mm-yyyy", 3}, {"=mm-dd-yyyy", 4},
    {"=yyyy-mm-dd", 5}, {"=dd/mm/yyyy", 6}, {"=mm/dd/yyyy", 7}, {"=yyyy/mm/dd", 8}, {"=yyyymmdd", 9},
};
constexpr Keyword kTypeWords[] = {
    {"=asis", 6}, {"=dbase3", 0}, {"=foxpro", 1}, {"=dbase4", 2}, {"=vfp", 3}, {"=smt", 4}, {"=dbase7", 5},
};
// The spreadsheet outputs of the converter family, tested on their own.
constexpr Keyword kSpreadsheetTypeWords[] = {{"=xls", 0}, {"=xlsx", 1}};
constexpr Keyword kSqlTypeWords[] = {
    {"=asis", 0}, {"=sql2000", 1}, {"=mysql", 2}, {"=postgresql", 3}, {"=sqlite", 4},
};
constexpr Keyword kLogicalWords[] = {{"=asis", 0}, {"=1,0", 1}, {"=true,false", 2}, {"=yes,no", 3}};
constexpr Keyword kAutoWord[] = {{"=auto", 0}};

constexpr int kLargestBlockSizeIndex = 11; // 16 << 11 = 32768 bytes
constexpr int64_t kLargestPrecisionDecimals = 8;

// "-precision=n": n decimals are stored as n + 1 (0 means "from the data").
// Negative counts read as -1, so the option never goes below 0.
int64_t precisionFor(int64_t decimals)
{
    decimals = std::clamp<int64_t>(decimals, -1, kLargestPrecisionDecimals);
    return decimals + 1;
}

void applyLogical(myOptions& options, const SwitchArgument& argument)
{
    if (auto code = keywordCode(argument, kLogicalWords)) {
        options.setLogical(*code);
        return;
    }
    // The user's own pair: "yes,no", or one word for true and "" for false.
    QString pair = argument.value();
    qsizetype comma = pair.indexOf(QLatin1Char(','));
    options.setLogical(4);
    options.setYesValue(comma < 0 ? pair : pair.left(comma));
    options.setNoValue(comma < 0 ? QString() : pair.mid(comma + 1));
}

void applyBlockSize(myOptions& options, const SwitchArgument& argument)
{
    int64_t bytes = number(argument);
    for (int index = 0; index <= kLargestBlockSizeIndex; ++index)
        if ((int64_t(16) << index) == bytes) {
            options.setBlockSize(index);
            return;
        }
}

using R = SwitchReading;

// Carried switches fill options that other outputs of the converter family
// use; DBF tables do not depend on them.
const SwitchDefinition kSwitches[] = {
    {"-output=", R::Text, "<folder/ or file.dbf>",
     "where the tables go: a folder (ending in /) or one table file",
     [](myOptions& o, const SwitchArgument& a) { o.setOutputFile(a.value()); }},
    {"-separate=", R::OneFlag, "1|0", "1: a file of its own for every sheet; 0: all sheets into one table file",
     [](myOptions& o, const SwitchArgument& a) { o.setSeparateFiles(oneFlag(a)); }},
    {"-batch", R::WholeArgument, "", "convert the named workbooks at once and quit when done",
     [](myOptions& o, const SwitchArgument&) { o.setBatch(1); }},
    {"-silent", R::WholeArgument, "", "like -batch, without bringing the window to the front",
     [](myOptions& o, const SwitchArgument&) { o.setSilent(1); }},
    {"-log=", R::Text, "<file>", "also append every log line to this file (UTF-8)",
     [](myOptions& o, const SwitchArgument& a) { o.setLogFile(a.value()); }},
    {"-files=", R::Keyword, "ask|unique|skip|use|overwrite", "what to do when an output file already exists",
     [](myOptions& o, const SwitchArgument& a) {
         if (auto code = keywordCode(a, kOverwriteWords))
             o.setOverwriteFile(*code);
     }},
    {"-tables=", R::Keyword, "ask|unique|skip|use|overwrite", "what to do when an output table already exists",
     [](myOptions& o, const SwitchArgument& a) {
         if (auto code = keywordCode(a, kOverwriteWords))
             o.setOverwriteTable(*code);
     }},
    {"-header=", R::OneFlag, "1|0", "text outputs: write a header (kept; no effect on DBF tables)",
     [](myOptions& o, const SwitchArgument& a) { o.setFileHeader(oneFlag(a)); }},
    {"-info=", R::OneFlag, "1|0", "text outputs: write file information (kept; no effect on DBF tables)",
     [](myOptions& o, const SwitchArgument& a) { o.setFileBody(oneFlag(a)); }},
    {"-drop=", R::OneFlag, "1|0", "SQL outputs: drop the table first (kept; no effect on DBF tables)",
     [](myOptions& o, const SwitchArgument& a) { o.setDropTable(oneFlag(a)); }},
    {"-types=", R::OneFlag, "1|0", "text outputs: write the field types (kept; no effect on DBF tables)",
     [](myOptions& o, const SwitchArgument& a) { o.setTypesInFile(oneFlag(a)); }},
    {"-removecrlf=", R::OneFlag, "1|0", "1: line breaks inside a cell become spaces; 0: they are kept",
     [](myOptions& o, const SwitchArgument& a) { o.setRemoveCRLF(oneFlag(a)); }},
    {"-recall=", R::OneFlag, "1|0", "table inputs: include deleted records (kept; no effect here)",
     [](myOptions& o, const SwitchArgument& a) { o.setRecallDeleted(oneFlag(a)); }},
    {"-deletionmark=", R::OneFlag, "1|0", "text outputs: write the deletion mark (kept; no effect here)",
     [](myOptions& o, const SwitchArgument& a) { o.setDeletionMark(oneFlag(a)); }},
    {"-cdata=", R::OneFlag, "1|0", "XML outputs: wrap texts in CDATA (kept; no effect here)",
     [](myOptions& o, const SwitchArgument& a) { o.setCData(oneFlag(a)); }},
    {"-recno=", R::OneFlag, "1|0", "text outputs: write record numbers (kept; no effect here)",
     [](myOptions& o, const SwitchArgument& a) { o.setNumberOfRecord(oneFlag(a)); }},
    {"-brackets=", R::OneFlag, "1|0", "SQL outputs: names in brackets (kept; no effect here)",
     [](myOptions& o, const SwitchArgument& a) { o.setBrackets(oneFlag(a)); }},
    {"-backticks=", R::OneFlag, "1|0", "SQL outputs: names in backticks (kept; no effect here)",
     [](myOptions& o, const SwitchArgument& a) { o.setBackticks(oneFlag(a)); }},
    {"-names=", R::OneFlag, "1|0", "SQL outputs: write the field names (kept; no effect here)",
     [](myOptions& o, const SwitchArgument& a) { o.setFieldNames(oneFlag(a)); }},
    {"-spaces=", R::Keyword, "trim|keep|both",
     "trim: remove trailing spaces; keep: keep all spaces; both: trim both ends",
     [](myOptions& o, const SwitchArgument& a) { o.setRemoveSpaces(keywordCode(a, kSpacesWords).value_or(0)); }},
    {"-quotes=", R::Keyword, "1|0|double|single|app", "text outputs: quote texts and the quote style (kept)",
     [](myOptions& o, const SwitchArgument& a) {
         o.setTextInQuotes(oneFlag(a));
         o.setQuotesType(keywordCode(a, kQuoteWords).value_or(0));
     }},
    {"-allinquotes=", R::OneFlag, "1|0", "text outputs: quote every value (kept; no effect here)",
     [](myOptions& o, const SwitchArgument& a) { o.setAllInQuotes(oneFlag(a)); }},
    {"-date=", R::Keyword, "<pattern>",
     "text outputs: dd.mm.yyyy, mm/dd/yyyy, yyyy-mm-dd, yyyymmdd... (kept; no effect here)",
     [](myOptions& o, const SwitchArgument& a) {
         if (auto code = keywordCode(a, kDateWords))
             o.setDateFormat(*code);
     }},
    {"-type=", R::Keyword, "dbase3|foxpro|dbase4|vfp|smt|dbase7|asis", "format of new DBF tables",
     [](myOptions& o, const SwitchArgument& a) {
         if (auto code = keywordCode(a, kTypeWords))
             o.setTypeOfFile(*code);
         if (auto code = keywordCode(a, kSpreadsheetTypeWords))
             o.setTypeOfFile(*code);
     }},
    {"-sqltype=", R::Keyword, "asis|sql2000|mysql|postgresql|sqlite", "SQL outputs: dialect (kept; sets the format code)",
     [](myOptions& o, const SwitchArgument& a) {
         if (auto code = keywordCode(a, kSqlTypeWords))
             o.setTypeOfFile(*code);
     }},
    {"-blocksize=", R::Number, "16|32|64|...|32768", "memo block size in bytes; other numbers are ignored",
     applyBlockSize},
    {"-addgo=", R::Number, "<count>", "SQL outputs: a GO line every <count> records, 0 for none (kept)",
     [](myOptions& o, const SwitchArgument& a) { o.setAddGo(number(a)); }},
    {"-precision=", R::Number, "auto|0..8", "decimals of number fields; auto: from the data (above 8 reads as 8)",
     [](myOptions& o, const SwitchArgument& a) {
         o.setPrecision(keywordCode(a, kAutoWord) ? 0 : precisionFor(number(a)));
     }},
    {"-logical=", R::Keyword, "asis|1,0|true,false|yes,no|<yes>,<no>",
     "how TRUE/FALSE cells are written; any other pair is used as given", applyLogical},
    {"-records=", R::Text, "<text>", "text outputs: record delimiter (kept; no effect here)",
     [](myOptions& o, const SwitchArgument& a) { o.setDelimiterRecords(a.value()); }},
    {"-fields=", R::Text, "<text>", "text outputs: field delimiter (kept; no effect here)",
     [](myOptions& o, const SwitchArgument& a) { o.setDelimiterFields(a.value()); }},
    {"-beforequotes=", R::Text, "<text>", "text outputs: escape before quotes (kept; no effect here)",
     [](myOptions& o, const SwitchArgument& a) { o.setEscapeQuote(a.value()); }},
    {"-beforeslash=", R::Text, "<text>", "text outputs: escape before backslashes (kept; no effect here)",
     [](myOptions& o, const SwitchArgument& a) { o.setEscapeChar(a.value()); }},
    {"-table=", R::Text, "<sheet>", "convert only this sheet of every workbook; repeat for more sheets",
     [](myOptions& o, const SwitchArgument& a) { o.appendOnlytable(a.value()); }},
    {"-incharset=", R::Text, "<character set name>", "character set of source texts (kept; workbooks name their own)",
     [](myOptions& o, const SwitchArgument& a) {
         if (auto index = charsetIndexForName(a.value()))
             o.setSourceCharset(*index);
     }},
    {"-outcharset=", R::Text, "<character set name>", "character set of the texts in the tables, e.g. \"Unicode (UTF-8)\"",
     [](myOptions& o, const SwitchArgument& a) {
         if (auto index = charsetIndexForName(a.value()))
             o.setTargetCharset(*index);
     }},
    {"-ct=", R::Text, "<field>=<value>", "a field setting; repeat for more (kept; no effect on the output)",
     [](myOptions& o, const SwitchArgument& a) { o.appendXchg(a.value()); }},
    {"-colwidth=", R::Text, "<w1>;<w2>;...", "column widths (kept; no effect on the output)",
     [](myOptions& o, const SwitchArgument& a) { o.setColWidth(a.value().split(QLatin1Char(';'))); }},
};

bool matches(const SwitchDefinition& definition, const QString& lowered)
{
    QLatin1StringView text(definition.text);
    if (definition.reading == SwitchReading::WholeArgument)
        return lowered == text;
    return lowered.startsWith(text);
}

} // namespace

std::span<const SwitchDefinition> switchTable()
{
    return kSwitches;
}

bool applySwitch(const QString& argument, myOptions& options)
{
    QString lowered = argument.toLower();
    for (const SwitchDefinition& definition : kSwitches) {
        if (!matches(definition, lowered))
            continue;
        // Switch texts are ASCII, so the written argument has the same
        // length up to the end of the switch as its lower-cased form.
        SwitchArgument switchArgument{argument, lowered, qsizetype(qstrlen(definition.text))};
        definition.apply(options, switchArgument);
        return true;
    }
    return false;
}

int64_t leadingInteger(QStringView text)
{
    qsizetype at = 0;
    while (at < text.size() && text[at].isSpace())
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == u'-' || text[at] == u'+'))
        negative = text[at++] == u'-';
    // Accumulate towards the sign so that the most negative value fits.
    constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
    constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
    int64_t value = 0;
    for (; at < text.size() && text[at] >= u'0' && text[at] <= u'9'; ++at) {
        int digit = text[at].unicode() - u'0';
        if (negative)
            value = value < (kMin + digit) / 10 ? kMin : value * 10 - digit;
        else
            value = value > (kMax - digit) / 10 ? kMax : value * 10 + digit;
    }
    return value;
}
