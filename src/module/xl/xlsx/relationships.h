#pragma once
// A relationships part (*.rels): which parts a part points to, by id and by
// type. Targets are resolved to part names; external targets are dropped.

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "module/xl/load.h"

namespace ll::xl::xlsx {

class ZipPackage;

struct Relationship {
    std::string id;
    std::string type;   // full type URI (transitional or Strict)
    std::string target; // resolved part name
};

class Relationships {
public:
    // Reads the relationships of sourcePart ("" for the package itself).
    // A missing relationships part gives an empty list and found() false.
    LoadError read(const ZipPackage& package, std::string_view sourcePart);

    bool found() const { return found_; }
    const Relationship* byId(std::string_view id) const;
    // The first relationship whose type ends in "/" + typeSuffix; types
    // are compared by their last segment, so Strict URIs match too.
    const Relationship* byType(std::string_view typeSuffix) const;
    const std::vector<Relationship>& all() const { return items_; }

private:
    std::vector<Relationship> items_;
    std::unordered_map<std::string, size_t> byId_; // the first of repeated ids wins
    bool found_ = false;
};

// The last segment of a relationship type URI ("…/relationships/worksheet"
// -> "worksheet").
std::string_view relationshipKind(std::string_view type);

} // namespace ll::xl::xlsx
