#include "table_layout.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <memory>

#include "module/dbf/xbtable.h"

char GetDbfType(int cellType, const ConversionSettings& settings)
{
    if (settings.allCharacter != 0)
        return 'C';
    if (cellType == CELLTYPE_NUMBER)
        return 'N';
    if (cellType == CELLTYPE_BOOLEAN)
        return 'L';
    return 'C';
}

int columnCount(SheetHandle sheet)
{
    return std::clamp(xlSheetLastColA(sheet), 0, kMaxColumns);
}

namespace {

// Keeps ASCII letters and digits only: "Unit price" -> "Unitprice", and
// letters outside ASCII drop out.
std::string cleanHeaderName(const char* text)
{
    std::string name;
    for (const char* p = text; *p; ++p) {
        char c = *p;
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
            name.push_back(c);
    }
    return name;
}

bool onlyNumberCharacters(const char* text, size_t length)
{
    static constexpr char kAllowed[] = "0123456789 .,-E";
    for (size_t i = 0; i < length; ++i)
        if (!std::memchr(kAllowed, text[i], sizeof kAllowed - 1))
            return false;
    return true;
}

void typePass(SheetHandle sheet, const ConversionSettings& settings, TableLayout& layout)
{
    int dataRow = int(settings.firstDataRow());
    for (int c = 0; c < layout.count; ++c) {
        ColumnLayout& column = layout.columns[size_t(c)];
        if (settings.firstLine != 0) {
            if (const char* header = xlSheetReadStrA(sheet, 0, c, nullptr)) {
                std::string name = cleanHeaderName(header);
                if (!name.empty() && !(name[0] >= '0' && name[0] <= '9'))
                    column.name = std::move(name);
            }
        }
        column.width = 10;
        if (xlSheetIsDateA(sheet, dataRow, c)) {
            column.type = 'D';
        } else {
            column.type = GetDbfType(xlSheetCellTypeA(sheet, dataRow, c), settings);
            if (column.type == 'L')
                column.width = 1;
        }
    }
}

void scanPass(SheetHandle sheet, const ConversionSettings& settings, TableLayout& layout)
{
    int rows = xlSheetLastRowA(sheet);
    for (int r = int(settings.firstDataRow()); r < rows; ++r) {
        for (int c = 0; c < layout.count; ++c) {
            ColumnLayout& column = layout.columns[size_t(c)];
            if (column.type == 'M' || column.type == 'L')
                continue;
            const char* text = xlSheetReadStrA(sheet, r, c, nullptr);
            if (!text)
                continue;
            int64_t length = int64_t(std::strlen(text));
            if (length >= 251 && settings.allCharacter == 0) {
                column.type = 'M';
                column.width = 10;
                continue;
            }
            if (column.type == 'N' || column.type == 'D') {
                if (!onlyNumberCharacters(text, size_t(length))) {
                    column.type = 'C';
                    column.width = std::max(column.width, length);
                }
                if (column.type == 'N') {
                    const char* mark = std::strchr(text, '.');
                    if (!mark)
                        mark = std::strchr(text, ',');
                    if (mark)
                        column.decimals = std::max(column.decimals, length - int64_t(mark - text) - 1);
                }
            }
            if (column.type == 'C')
                column.width = std::max(column.width, length);
        }
    }
}

} // namespace

void analyseSheet(SheetHandle sheet, const ConversionSettings& settings, TableLayout& layout)
{
    layout.count = columnCount(sheet);
    for (int c = 0; c < layout.count; ++c) {
        char name[16];
        std::snprintf(name, sizeof name, "FLD_%04d", c);
        layout.columns[size_t(c)] = ColumnLayout{name};
    }
    typePass(sheet, settings, layout);
    scanPass(sheet, settings, layout);
}

bool CreateOutDBF(SheetHandle sheet, const ConversionSettings& settings, const std::string& target,
                  const QStringList& xchg)
{
    auto table = std::make_unique<xbtable>();
    table->setEncoding(settings.charsetCode);

    auto layout = std::make_unique<TableLayout>();
    analyseSheet(sheet, settings, *layout);

    int flavour = settings.typeOfFile == 5 ? 7 : int(settings.typeOfFile);
    table->prepareNewTable(flavour, xbtable::blockSize(settings.blockSize), 0);
    for (int c = 0; c < layout->count; ++c) {
        ColumnLayout& column = layout->columns[size_t(c)];
        if (column.type == 'N' && settings.precision != 0)
            column.decimals = settings.precision - 1;
        table->addField(column.name, column.type, column.width, column.decimals);
    }
    // "-ct=" entries name a field and a value; a DBF layout has no use for
    // them, so they are only matched here.
    for (const QString& entry : xchg) {
        qsizetype equals = entry.indexOf(u'=');
        if (equals >= 0)
            (void)table->indexOfField(entry.left(equals).toStdString());
    }
    table->createTable(target);
    table.reset();
    std::error_code ignored;
    return std::filesystem::exists(target, ignored);
}
