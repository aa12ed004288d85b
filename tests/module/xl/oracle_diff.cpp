#include "oracle_diff.h"

#include <QByteArray>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <set>
#include <sstream>

#include "module/xl/book.h"
#include "module/xl/load.h"
#include "module/xl/xl_api.h"

namespace oracle {
namespace {

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

const char* typeName(int type)
{
    switch (type) {
    case CELLTYPE_NUMBER: return "number";
    case CELLTYPE_STRING: return "text";
    case CELLTYPE_BOOLEAN: return "bool";
    case CELLTYPE_ERROR: return "error";
    case CELLTYPE_BLANK: return "blank";
    default: return "empty";
    }
}

bool sameNumber(double a, double b)
{
    return a == b || std::fabs(a - b) <= 1e-12 * std::max(std::fabs(a), std::fabs(b));
}

class Comparer {
public:
    Comparer(Result& result, size_t limit) : result_(result), limit_(limit) {}

    template <class... Parts>
    void note(const Parts&... parts)
    {
        if (result_.differences.size() >= limit_)
            return;
        std::ostringstream text;
        (text << ... << parts);
        result_.differences.push_back(text.str());
    }

    void sheet(BookHandle book, SheetHandle sheet, const ll::xl::Sheet& model, const QJsonObject& dump)
    {
        std::string name = dump["name"].toString().toStdString();
        if (xlSheetLastRowA(sheet) != dump["last_row_data"].toInt())
            note(name, ": last row ", xlSheetLastRowA(sheet), ", expected ", dump["last_row_data"].toInt());
        if (xlSheetLastColA(sheet) != dump["last_col_data"].toInt())
            note(name, ": last column ", xlSheetLastColA(sheet), ", expected ", dump["last_col_data"].toInt());

        std::set<std::pair<int, int>> expected;
        for (const QJsonValue& value : dump["cells"].toArray()) {
            QJsonArray cell = value.toArray();
            std::string type = cell[2].toString().toStdString();
            if (type == "blank")
                continue;
            int row = cell[0].toInt(), col = cell[1].toInt();
            expected.insert({row, col});
            this->cell(book, sheet, name, row, col, type, cell);
        }
        model.forEachCell([&](uint32_t row, const ll::xl::Cell& cell) {
            if (cell.type() != ll::xl::CellType::Blank && !expected.count({int(row), int(cell.col)}))
                note(name, " (", row, ",", cell.col, "): unexpected ", typeName(int(cell.type())), " cell");
        });
    }

private:
    void cell(BookHandle book, SheetHandle sheet, const std::string& name, int row, int col, const std::string& type,
              const QJsonArray& dump)
    {
        auto where = [&] { std::ostringstream w; w << name << " (" << row << "," << col << ")"; return w.str(); };
        int ourType = xlSheetCellTypeA(sheet, row, col);
        if (typeName(ourType) != type) {
            note(where(), ": type ", typeName(ourType), ", expected ", type);
            return;
        }
        if (type == "number") {
            double ours = xlSheetReadNumA(sheet, row, col, nullptr);
            if (!sameNumber(ours, dump[3].toDouble()))
                note(where(), ": number ", ours, ", expected ", dump[3].toDouble());
            bool isDate = xlSheetIsDateA(sheet, row, col) != 0;
            if (isDate != dump[4].toBool())
                note(where(), ": date flag ", isDate, ", expected ", dump[4].toBool());
        } else if (type == "text") {
            const char* ours = xlSheetReadStrA(sheet, row, col, nullptr);
            std::string expected = dump[3].toString().toStdString();
            if (!ours || expected != ours)
                note(where(), ": text \"", ours ? ours : "(null)", "\", expected \"", expected, "\"");
        } else if (type == "bool") {
            int ours = xlSheetReadBoolA(sheet, row, col, nullptr);
            if ((ours != 0) != dump[3].toBool())
                note(where(), ": logical ", ours, ", expected ", dump[3].toBool());
        }
        int format = xlFormatNumFormatA(xlSheetCellFormatA(sheet, row, col));
        if (format != dump[5].toInt())
            note(where(), ": format id ", format, ", expected ", dump[5].toInt());
        // A custom "General" is the built-in General format: no custom text.
        std::string expectedCustom = dump[6].isString() ? dump[6].toString().toStdString() : "";
        if (lower(expectedCustom) == "general")
            expectedCustom.clear();
        const char* custom = xlBookCustomNumFormatA(book, format);
        if ((custom ? custom : "") != expectedCustom)
            note(where(), ": custom format \"", custom ? custom : "(null)", "\", expected \"", expectedCustom, "\"");
    }

    Result& result_;
    size_t limit_;
};

} // namespace

Result compare(const std::filesystem::path& workbook, const std::filesystem::path& dumpPath, size_t maxDifferences)
{
    Result result;
    QFile file(QString::fromStdString(dumpPath.string()));
    QJsonObject dump;
    if (file.open(QIODevice::ReadOnly))
        dump = QJsonDocument::fromJson(file.readAll()).object();
    result.oracleReadable = !dump.isEmpty() && !dump.contains("error");

    bool isXls = lower(workbook.extension().string()) == ".xls";
    BookHandle book = isXls ? xlCreateBookCA() : xlCreateXMLBookCA();
    xlBookSetLocaleA(book, "UTF-8");
    result.weLoaded = xlBookLoadA(book, workbook.string().c_str()) != 0;
    if (!result.weLoaded)
        result.loadError = xlBookErrorMessageA(book);

    // The model, for the cells that the dump does not list.
    ll::xl::Book model(isXls ? ll::xl::Book::Kind::Xls : ll::xl::Book::Kind::Xlsx);
    if (result.weLoaded)
        isXls ? ll::xl::loadXls(workbook.string(), model) : ll::xl::loadXlsx(workbook.string(), model);

    Comparer compare(result, maxDifferences);
    if (result.oracleReadable && !result.weLoaded)
        compare.note("not loaded: ", result.loadError);
    if (result.oracleReadable && result.weLoaded) {
        std::vector<QJsonObject> sheets;
        for (const QJsonValue& sheet : dump["sheets"].toArray())
            if (sheet["kind"].toString() == "worksheet")
                sheets.push_back(sheet.toObject());
        int count = xlBookSheetCountA(book);
        if (size_t(count) != sheets.size())
            compare.note("sheet count ", count, ", expected ", sheets.size());
        for (int i = 0; i < count && size_t(i) < sheets.size(); ++i) {
            SheetHandle sheet = xlBookGetSheetA(book, i);
            std::string name = xlSheetNameA(sheet);
            if (name != sheets[size_t(i)]["name"].toString().toStdString())
                compare.note("sheet ", i, " named \"", name, "\", expected \"", sheets[size_t(i)]["name"].toString().toStdString(), "\"");
            compare.sheet(book, sheet, *model.sheets[size_t(i)], sheets[size_t(i)]);
        }
    }
    xlBookReleaseA(book);
    return result;
}

std::vector<std::pair<std::string, std::string>> readExpectations(const std::filesystem::path& path)
{
    std::vector<std::pair<std::string, std::string>> entries;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        size_t tab = line.find('\t');
        entries.emplace_back(line.substr(0, tab), tab == std::string::npos ? "" : line.substr(tab + 1));
    }
    return entries;
}

} // namespace oracle
