#pragma once
// Names of the parts inside a package: how relationship targets turn into
// part names, and the key parts are looked up by (producers differ in case
// and in the path separator).

#include <string>
#include <string_view>

namespace ll::xl::xlsx {

// The lookup key of a part name: no leading '/', '\' read as '/', ASCII
// letters in lower case.
std::string partKey(std::string_view name);

// The relationships part that belongs to a part ("xl/workbook.xml" ->
// "xl/_rels/workbook.xml.rels"; "" -> "_rels/.rels").
std::string relationshipsPartOf(std::string_view part);

// A relationship target resolved against the part that names it: absolute
// targets ("/xl/x.xml") start from the package root, relative ones from the
// source part's folder; "." and ".." segments are folded.
std::string resolveTarget(std::string_view sourcePart, std::string_view target);

} // namespace ll::xl::xlsx
