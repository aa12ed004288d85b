#include "xml_reader.h"

#include <expat.h>

#include "limits.h"

namespace ll::xl::xlsx {

class XmlDriver {
public:
    static void XMLCALL start(void* user, const XML_Char* name, const XML_Char** attributes)
    {
        auto* handler = static_cast<XmlHandler*>(user);
        ++handler->tags_;
        if (++handler->depth_ > kMaxXmlDepth) {
            handler->fail({LoadErrorKind::TooLarge,
                           "elements nested deeper than " + std::to_string(kMaxXmlDepth)});
            return;
        }
        handler->startElement(localName(name), attributes);
    }
    static void XMLCALL end(void* user, const XML_Char* name)
    {
        auto* handler = static_cast<XmlHandler*>(user);
        ++handler->tags_;
        --handler->depth_;
        handler->endElement(localName(name));
    }
    static void XMLCALL characters(void* user, const XML_Char* data, int length)
    {
        static_cast<XmlHandler*>(user)->text(data, size_t(length));
    }
    static void XMLCALL doctype(void* user, const XML_Char*, const XML_Char*, const XML_Char*, int)
    {
        static_cast<XmlHandler*>(user)->fail(
            {LoadErrorKind::Corrupt, "a document type declaration (refused: it could declare entities)"});
    }
    static void XMLCALL entity(void* user, const XML_Char*, int, const XML_Char*, int, const XML_Char*,
                               const XML_Char*, const XML_Char*, const XML_Char*)
    {
        static_cast<XmlHandler*>(user)->fail({LoadErrorKind::Corrupt, "an entity declaration"});
    }

    static LoadError run(ChunkSource& source, XmlHandler& handler, std::string_view partName);
};

void XmlHandler::collectText(bool on)
{
    XML_SetCharacterDataHandler(static_cast<XML_Parser>(parser_), on ? &XmlDriver::characters : nullptr);
}

void XmlHandler::fail(LoadError error)
{
    if (!failure_)
        failure_ = std::move(error);
    XML_StopParser(static_cast<XML_Parser>(parser_), XML_FALSE);
}

LoadError XmlDriver::run(ChunkSource& source, XmlHandler& handler, std::string_view partName)
{
    XML_Parser parser = XML_ParserCreate(nullptr);
    if (!parser)
        return {LoadErrorKind::TooLarge, "no memory for an XML parser"};
    struct Release {
        XML_Parser parser;
        XmlHandler& handler;
        ~Release()
        {
            handler.parser_ = nullptr;
            XML_ParserFree(parser);
        }
    } release{parser, handler};

    handler.parser_ = parser;
    handler.depth_ = 0;
    handler.failure_ = {};
    XML_SetUserData(parser, &handler);
    XML_SetElementHandler(parser, &XmlDriver::start, &XmlDriver::end);
    XML_SetStartDoctypeDeclHandler(parser, &XmlDriver::doctype);
    XML_SetEntityDeclHandler(parser, &XmlDriver::entity);

    uint64_t total = 0;
    uint64_t sinceTag = 0; // bytes fed since a chunk in which a tag was seen
    uint64_t tagsBefore = 0;
    handler.tags_ = 0;
    for (;;) {
        void* buffer = XML_GetBuffer(parser, int(kChunkBytes));
        if (!buffer)
            return {LoadErrorKind::TooLarge, std::string(partName) + ": no memory for the XML buffer"};
        size_t got = 0;
        LoadError readFailure;
        if (!source.read(static_cast<char*>(buffer), kChunkBytes, got, readFailure))
            return readFailure;
        total += got;
        bool last = got == 0;
        if (last && total == 0)
            return {}; // an empty part holds nothing
        if (XML_ParseBuffer(parser, int(got), last) != XML_STATUS_OK) {
            if (handler.failure_) {
                handler.failure_.detail = std::string(partName) + ": " + handler.failure_.detail;
                return handler.failure_;
            }
            return {LoadErrorKind::Corrupt, std::string(partName) + ": " +
                                                XML_ErrorString(XML_GetErrorCode(parser)) + " at line " +
                                                std::to_string(XML_GetCurrentLineNumber(parser))};
        }
        if (last)
            return {};
        sinceTag = handler.tags_ != tagsBefore ? 0 : sinceTag + got;
        tagsBefore = handler.tags_;
        if (sinceTag > kMaxBytesBetweenTags)
            return {LoadErrorKind::TooLarge, std::string(partName) + ": more than " +
                                                 std::to_string(kMaxBytesBetweenTags) + " bytes without a tag"};
    }
}

LoadError parseXml(ChunkSource& source, XmlHandler& handler, std::string_view partName)
{
    return XmlDriver::run(source, handler, partName);
}

const char* findAttribute(const char** attributes, std::string_view name)
{
    for (const char** a = attributes; a[0]; a += 2)
        if (localName(a[0]) == name)
            return a[1];
    return nullptr;
}

} // namespace ll::xl::xlsx
