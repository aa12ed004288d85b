#include "part_names.h"

#include <vector>

namespace ll::xl::xlsx {

namespace {

std::string_view folderOf(std::string_view part)
{
    size_t slash = part.rfind('/');
    return slash == std::string_view::npos ? std::string_view() : part.substr(0, slash + 1);
}

std::string normalizeSegments(std::string_view path)
{
    std::vector<std::string_view> segments;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string_view::npos)
            end = path.size();
        std::string_view segment = path.substr(start, end - start);
        if (segment == "..") {
            if (!segments.empty())
                segments.pop_back();
        } else if (!segment.empty() && segment != ".") {
            segments.push_back(segment);
        }
        start = end + 1;
    }
    std::string joined;
    for (std::string_view segment : segments) {
        if (!joined.empty())
            joined += '/';
        joined += segment;
    }
    return joined;
}

} // namespace

std::string partKey(std::string_view name)
{
    std::string key;
    key.reserve(name.size());
    for (char c : name) {
        if (c == '\\')
            c = '/';
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
        key += c;
    }
    size_t lead = key.find_first_not_of('/');
    key.erase(0, lead == std::string::npos ? key.size() : lead);
    return key;
}

std::string relationshipsPartOf(std::string_view part)
{
    std::string_view folder = folderOf(part);
    std::string_view file = part.substr(folder.size());
    std::string result(folder);
    result += "_rels/";
    result += file;
    result += ".rels";
    return result;
}

std::string resolveTarget(std::string_view sourcePart, std::string_view target)
{
    std::string path;
    std::string normalizedTarget(target);
    for (char& c : normalizedTarget)
        if (c == '\\')
            c = '/';
    if (!normalizedTarget.empty() && normalizedTarget[0] == '/') {
        path = normalizedTarget;
    } else {
        path = std::string(folderOf(sourcePart));
        path += normalizedTarget;
    }
    return normalizeSegments(path);
}

} // namespace ll::xl::xlsx
