#pragma once
// Builds small .xlsx packages in memory for the reader's tests: the parts
// of a workbook as text, zipped with libzip.

#include <cstdint>
#include <string>
#include <vector>

namespace xlsxtest {

struct Part {
    std::string name;
    std::string bytes;
};

// The parts deflated into a zip archive.
std::string zipParts(const std::vector<Part>& parts);

// Rewrites the inflated size a zip declares for one part, in its local
// header and in the central directory.
void setDeclaredSize(std::string& zip, const std::string& partName, uint32_t size);

// A workbook with the usual layout (xl/workbook.xml, xl/worksheets/sheetN.xml
// and the relationships between them).
class WorkbookParts {
public:
    // A worksheet whose <sheetData> holds rowsXml.
    WorkbookParts& sheet(const std::string& name, const std::string& rowsXml);
    // A worksheet part given whole.
    WorkbookParts& sheetPart(const std::string& name, const std::string& xml);
    WorkbookParts& chartSheet(const std::string& name);
    WorkbookParts& sharedStrings(const std::string& xml);
    WorkbookParts& styles(const std::string& xml);
    // Attributes of <workbookPr>, e.g. date1904="1".
    WorkbookParts& workbookProperties(const std::string& attributes);

    std::vector<Part> parts() const;
    std::string zip() const { return zipParts(parts()); }

private:
    struct SheetDef {
        std::string name;
        std::string xml;
        bool chart = false;
    };
    std::vector<SheetDef> sheets_;
    std::string sharedStrings_;
    std::string styles_;
    std::string workbookProperties_;
};

// <worksheet> around rows.
std::string worksheetXml(const std::string& rowsXml);

} // namespace xlsxtest
