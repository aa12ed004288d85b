#include "styles_part.h"

#include <charconv>
#include <cstring>

#include "limits.h"
#include "module/xl/book.h"
#include "xml_reader.h"

namespace ll::xl::xlsx {

namespace {

int formatIdOf(const char* text)
{
    int value = 0;
    if (!text)
        return 0;
    auto [end, error] = std::from_chars(text, text + std::strlen(text), value);
    return error == std::errc() && value >= 0 ? value : 0;
}

class StylesHandler final : public XmlHandler {
public:
    explicit StylesHandler(NumberFormats& formats) : formats_(formats) {}

    void startElement(std::string_view name, const char** attributes) override
    {
        if (name == "numFmts") {
            inNumFmts_ = true;
        } else if (name == "cellXfs") {
            inCellXfs_ = true;
        } else if (name == "numFmt" && inNumFmts_) {
            const char* code = findAttribute(attributes, "formatCode");
            if (code && customCount_ < kMaxCustomFormats) {
                formats_.setCustomText(formatIdOf(findAttribute(attributes, "numFmtId")), code);
                ++customCount_;
            }
        } else if (name == "xf" && inCellXfs_ && xfCount_ < kMaxCellXfs) {
            formats_.setXfFormat(xfCount_++, formatIdOf(findAttribute(attributes, "numFmtId")));
        }
    }

    void endElement(std::string_view name) override
    {
        if (name == "numFmts")
            inNumFmts_ = false;
        else if (name == "cellXfs")
            inCellXfs_ = false;
    }

private:
    NumberFormats& formats_;
    bool inNumFmts_ = false;
    bool inCellXfs_ = false;
    uint32_t xfCount_ = 0;
    size_t customCount_ = 0;
};

} // namespace

LoadError readStylesPart(ChunkSource& source, std::string_view partName, NumberFormats& formats)
{
    StylesHandler handler(formats);
    return parseXml(source, handler, partName);
}

} // namespace ll::xl::xlsx
