#include "relationships.h"

#include "limits.h"
#include "part_names.h"
#include "xml_reader.h"
#include "zip_package.h"

namespace ll::xl::xlsx {

namespace {

class RelationshipsHandler final : public XmlHandler {
public:
    RelationshipsHandler(std::string_view sourcePart, std::vector<Relationship>& items)
        : sourcePart_(sourcePart), items_(items) {}

    void startElement(std::string_view name, const char** attributes) override
    {
        if (name != "Relationship")
            return;
        const char* id = findAttribute(attributes, "Id");
        const char* type = findAttribute(attributes, "Type");
        const char* target = findAttribute(attributes, "Target");
        const char* mode = findAttribute(attributes, "TargetMode");
        if (!id || !type || !target || (mode && std::string_view(mode) == "External"))
            return;
        items_.push_back({id, type, resolveTarget(sourcePart_, target)});
    }
    void endElement(std::string_view) override {}

private:
    std::string_view sourcePart_;
    std::vector<Relationship>& items_;
};

} // namespace

std::string_view relationshipKind(std::string_view type)
{
    size_t slash = type.rfind('/');
    return slash == std::string_view::npos ? type : type.substr(slash + 1);
}

LoadError Relationships::read(const ZipPackage& package, std::string_view sourcePart)
{
    items_.clear();
    byId_.clear();
    std::string partName = relationshipsPartOf(sourcePart);
    auto entry = package.find(partName);
    found_ = entry.has_value();
    if (!found_)
        return {};
    std::unique_ptr<ChunkSource> source;
    if (LoadError error = package.openPart(*entry, kMaxMetadataPartBytes, source))
        return error;
    RelationshipsHandler handler(sourcePart, items_);
    if (LoadError error = parseXml(*source, handler, partName))
        return error;
    for (size_t i = 0; i < items_.size(); ++i)
        byId_.emplace(items_[i].id, i);
    return {};
}

const Relationship* Relationships::byId(std::string_view id) const
{
    auto it = byId_.find(std::string(id));
    return it == byId_.end() ? nullptr : &items_[it->second];
}

const Relationship* Relationships::byType(std::string_view typeSuffix) const
{
    for (const Relationship& item : items_)
        if (relationshipKind(item.type) == typeSuffix)
            return &item;
    return nullptr;
}

} // namespace ll::xl::xlsx
