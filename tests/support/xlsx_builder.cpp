#include "xlsx_builder.h"

#include <zip.h>

#include <algorithm>
#include <cstdio>
#include <sstream>

namespace testsupport {

namespace {

std::string escape(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

bool addPart(zip_t* archive, const std::string& name, const std::string& content)
{
    // libzip keeps the buffer until the archive is closed, so copy it.
    char* copy = static_cast<char*>(malloc(content.size() + 1));
    std::copy(content.begin(), content.end(), copy);
    zip_source_t* source = zip_source_buffer(archive, copy, content.size(), 1);
    return source && zip_file_add(archive, name.c_str(), source, ZIP_FL_ENC_UTF_8) >= 0;
}

} // namespace

std::string columnName(int col)
{
    std::string name;
    for (++col; col > 0; col = (col - 1) / 26)
        name.insert(name.begin(), char('A' + (col - 1) % 26));
    return name;
}

XlsxBuilder& XlsxBuilder::sheet(const std::string& name)
{
    sheets_.push_back({name, {}});
    return *this;
}

int XlsxBuilder::style(int numFmtId, const std::string& customText)
{
    if (!customText.empty())
        customFormats_.emplace_back(numFmtId, customText);
    styles_.push_back(numFmtId);
    return int(styles_.size() - 1);
}

XlsxBuilder& XlsxBuilder::number(int row, int col, double value, int style)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.17g", value);
    sheets_.back().cells.push_back({row, col, " s=\"" + std::to_string(style) + "\"><v>" + text + "</v></c>"});
    return *this;
}

XlsxBuilder& XlsxBuilder::text(int row, int col, const std::string& utf8)
{
    strings_.push_back(utf8);
    sheets_.back().cells.push_back({row, col, " t=\"s\"><v>" + std::to_string(strings_.size() - 1) + "</v></c>"});
    return *this;
}

XlsxBuilder& XlsxBuilder::boolean(int row, int col, bool value)
{
    sheets_.back().cells.push_back({row, col, std::string(" t=\"b\"><v>") + (value ? "1" : "0") + "</v></c>"});
    return *this;
}

XlsxBuilder& XlsxBuilder::date1904(bool on)
{
    date1904_ = on;
    return *this;
}

bool XlsxBuilder::save(const std::string& path) const
{
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive)
        return false;
    const char* ns = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
    const char* rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    std::ostringstream types, workbook, workbookRels, styles, strings;

    types << "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
          << "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
          << "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
          << "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
          << "<Override PartName=\"/xl/workbook.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>";
    workbook << "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?><workbook xmlns=\"" << ns
             << "\" xmlns:r=\"" << rel << "\"><workbookPr" << (date1904_ ? " date1904=\"1\"" : "") << "/><sheets>";
    workbookRels << "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
                 << "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";

    bool ok = true;
    for (size_t i = 0; i < sheets_.size(); ++i) {
        std::string n = std::to_string(i + 1);
        workbook << "<sheet name=\"" << escape(sheets_[i].name) << "\" sheetId=\"" << n << "\" r:id=\"rId" << n << "\"/>";
        workbookRels << "<Relationship Id=\"rId" << n << "\" Type=\"" << rel
                     << "/worksheet\" Target=\"worksheets/sheet" << n << ".xml\"/>";
        types << "<Override PartName=\"/xl/worksheets/sheet" << n
              << ".xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>";

        std::vector<Cell> cells = sheets_[i].cells;
        std::stable_sort(cells.begin(), cells.end(),
                         [](const Cell& a, const Cell& b) { return a.row != b.row ? a.row < b.row : a.col < b.col; });
        std::ostringstream sheet;
        sheet << "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?><worksheet xmlns=\"" << ns << "\"><sheetData>";
        int openRow = -1;
        for (const Cell& cell : cells) {
            if (cell.row != openRow) {
                if (openRow >= 0)
                    sheet << "</row>";
                openRow = cell.row;
                sheet << "<row r=\"" << cell.row + 1 << "\">";
            }
            sheet << "<c r=\"" << columnName(cell.col) << cell.row + 1 << "\"" << cell.xml;
        }
        if (openRow >= 0)
            sheet << "</row>";
        sheet << "</sheetData></worksheet>";
        ok = ok && addPart(archive, "xl/worksheets/sheet" + n + ".xml", sheet.str());
    }
    workbook << "</sheets></workbook>";
    std::string stylesId = std::to_string(sheets_.size() + 1), stringsId = std::to_string(sheets_.size() + 2);
    workbookRels << "<Relationship Id=\"rId" << stylesId << "\" Type=\"" << rel << "/styles\" Target=\"styles.xml\"/>"
                 << "<Relationship Id=\"rId" << stringsId << "\" Type=\"" << rel
                 << "/sharedStrings\" Target=\"sharedStrings.xml\"/></Relationships>";
    types << "<Override PartName=\"/xl/styles.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>"
          << "<Override PartName=\"/xl/sharedStrings.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml\"/>"
          << "</Types>";

    styles << "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?><styleSheet xmlns=\"" << ns << "\">";
    if (!customFormats_.empty()) {
        styles << "<numFmts count=\"" << customFormats_.size() << "\">";
        for (auto& [id, text] : customFormats_)
            styles << "<numFmt numFmtId=\"" << id << "\" formatCode=\"" << escape(text) << "\"/>";
        styles << "</numFmts>";
    }
    styles << "<fonts count=\"1\"><font/></fonts><fills count=\"1\"><fill/></fills><borders count=\"1\"><border/></borders>"
           << "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\"/></cellStyleXfs><cellXfs count=\"" << styles_.size() << "\">";
    for (int id : styles_)
        styles << "<xf numFmtId=\"" << id << "\" xfId=\"0\" applyNumberFormat=\"1\"/>";
    styles << "</cellXfs></styleSheet>";

    strings << "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?><sst xmlns=\"" << ns << "\" count=\""
            << strings_.size() << "\" uniqueCount=\"" << strings_.size() << "\">";
    for (const std::string& text : strings_)
        strings << "<si><t xml:space=\"preserve\">" << escape(text) << "</t></si>";
    strings << "</sst>";

    ok = ok && addPart(archive, "[Content_Types].xml", types.str());
    ok = ok && addPart(archive, "_rels/.rels",
                       std::string("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
                                   "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                                   "<Relationship Id=\"rId1\" Type=\"") +
                           rel + "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>");
    ok = ok && addPart(archive, "xl/workbook.xml", workbook.str());
    ok = ok && addPart(archive, "xl/_rels/workbook.xml.rels", workbookRels.str());
    ok = ok && addPart(archive, "xl/styles.xml", styles.str());
    ok = ok && addPart(archive, "xl/sharedStrings.xml", strings.str());
    if (!ok) {
        zip_discard(archive);
        return false;
    }
    return zip_close(archive) == 0;
}

} // namespace testsupport
