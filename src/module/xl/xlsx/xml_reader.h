#pragma once
// Streams one XML part through expat, chunk by chunk, and hands elements to
// a handler by local name (the namespace prefix is dropped, so transitional,
// Strict and oddly prefixed documents read the same). Document type
// declarations are refused, which rules out entity expansion; nesting is
// bounded by kMaxXmlDepth, and so is the stretch between two tags
// (kMaxBytesBetweenTags), which keeps any one token from growing the
// parser's buffer without end.

#include <string>
#include <string_view>

#include "chunk_source.h"
#include "module/xl/load.h"

namespace ll::xl::xlsx {

class XmlHandler {
public:
    virtual ~XmlHandler() = default;
    // attributes: name, value, name, value, ..., null (names with prefixes).
    virtual void startElement(std::string_view name, const char** attributes) = 0;
    virtual void endElement(std::string_view name) = 0;
    // Character data, in pieces, while collectText(true) is in force.
    virtual void text(const char* data, size_t length) {}

protected:
    void collectText(bool on);
    // Stops the parse; parseXml returns this failure.
    void fail(LoadError error);

private:
    friend class XmlDriver;
    void* parser_ = nullptr; // the expat parser while a parse runs
    int depth_ = 0;
    uint64_t tags_ = 0;      // start and end tags seen
    LoadError failure_;
};

// Parses a whole part. An empty part is an empty document and succeeds.
LoadError parseXml(ChunkSource& source, XmlHandler& handler, std::string_view partName);

// The local part of a qualified name ("x:c" -> "c").
inline std::string_view localName(const char* name)
{
    const char* local = name;
    const char* p = name;
    for (; *p; ++p)
        if (*p == ':')
            local = p + 1;
    return {local, size_t(p - local)};
}

// The value of the attribute with this local name, or null.
const char* findAttribute(const char** attributes, std::string_view name);

} // namespace ll::xl::xlsx
