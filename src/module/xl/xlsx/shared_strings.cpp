#include "shared_strings.h"

#include <algorithm>
#include <string>

#include "cell_values.h"
#include "limits.h"
#include "module/xl/book.h"
#include "xml_reader.h"

namespace ll::xl::xlsx {

namespace {

class SharedStringsHandler final : public XmlHandler {
public:
    SharedStringsHandler(uint64_t partSize, StringPool& pool, SharedStrings& table)
        : partSize_(partSize), pool_(pool), table_(table) {}

    void startElement(std::string_view name, const char** attributes) override
    {
        if (name == "t") {
            if (inItem_ && phoneticDepth_ == 0)
                collectText(true);
        } else if (name == "si") {
            inItem_ = true;
            text_.clear();
        } else if (name == "rPh") {
            ++phoneticDepth_;
        } else if (name == "sst") {
            reserve(findAttribute(attributes, "uniqueCount"));
        }
    }

    void endElement(std::string_view name) override
    {
        if (name == "t") {
            collectText(false);
        } else if (name == "si" && inItem_) {
            inItem_ = false;
            store();
        } else if (name == "rPh" && phoneticDepth_ > 0) {
            --phoneticDepth_;
        }
    }

    void text(const char* data, size_t length) override
    {
        if (text_.size() + length > kMaxTextBytes) {
            fail({LoadErrorKind::TooLarge, "a shared string longer than " + std::to_string(kMaxTextBytes) + " bytes"});
            return;
        }
        text_.append(data, length);
    }

private:
    void reserve(const char* uniqueCount)
    {
        uint64_t declared = 0;
        if (!uniqueCount || !parseIndex(uniqueCount, declared))
            return;
        uint64_t fits = partSize_ / kMinSharedStringBytes;
        pool_.reserve(pool_.size() + size_t(std::min({declared, fits, kMaxReservedStrings})));
    }

    void store()
    {
        if (pool_.size() >= kMaxStrings) {
            fail({LoadErrorKind::TooLarge, "more than " + std::to_string(kMaxStrings) + " strings"});
            return;
        }
        if (hasEscapes(text_)) {
            decoded_.clear();
            decodeEscapes(text_, decoded_);
            pool_.add(decoded_);
        } else {
            pool_.add(text_);
        }
        ++table_.count;
    }

    uint64_t partSize_;
    StringPool& pool_;
    SharedStrings& table_;
    bool inItem_ = false;
    int phoneticDepth_ = 0;
    std::string text_;
    std::string decoded_;
};

} // namespace

LoadError readSharedStrings(ChunkSource& source, std::string_view partName, uint64_t partSize, StringPool& pool,
                            SharedStrings& table)
{
    table.first = uint32_t(pool.size());
    table.count = 0;
    SharedStringsHandler handler(partSize, pool, table);
    return parseXml(source, handler, partName);
}

} // namespace ll::xl::xlsx
