#include "workbook_part.h"

#include <strings.h>

#include "limits.h"
#include "xml_reader.h"

namespace ll::xl::xlsx {

namespace {

class WorkbookHandler final : public XmlHandler {
public:
    explicit WorkbookHandler(WorkbookInfo& info) : info_(info) {}

    void startElement(std::string_view name, const char** attributes) override
    {
        if (name == "workbookPr") {
            info_.date1904 = isTrueAttribute(findAttribute(attributes, "date1904"));
        } else if (name == "sheets") {
            inSheets_ = true;
        } else if (name == "sheet" && inSheets_) {
            if (info_.sheets.size() >= kMaxSheets) {
                fail({LoadErrorKind::TooLarge, "more than " + std::to_string(kMaxSheets) + " sheets"});
                return;
            }
            const char* sheetName = findAttribute(attributes, "name");
            const char* id = findAttribute(attributes, "id"); // r:id
            info_.sheets.push_back({sheetName ? sheetName : "", id ? id : ""});
        }
    }
    void endElement(std::string_view name) override
    {
        if (name == "sheets")
            inSheets_ = false;
    }

private:
    WorkbookInfo& info_;
    bool inSheets_ = false;
};

} // namespace

bool isTrueAttribute(const char* value)
{
    return value && (std::string_view(value) == "1" || strcasecmp(value, "true") == 0);
}

LoadError readWorkbookPart(ChunkSource& source, std::string_view partName, WorkbookInfo& info)
{
    WorkbookHandler handler(info);
    return parseXml(source, handler, partName);
}

} // namespace ll::xl::xlsx
