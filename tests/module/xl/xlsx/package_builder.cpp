#include "package_builder.h"

#include <zip.h>

#include <cstring>
#include <stdexcept>

namespace xlsxtest {

namespace {

constexpr const char* kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr const char* kRelationships = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr const char* kPackageRelationships = "http://schemas.openxmlformats.org/package/2006/relationships";

std::string relationship(const std::string& id, const std::string& kind, const std::string& target)
{
    return "<Relationship Id=\"" + id + "\" Type=\"" + kRelationships + "/" + kind + "\" Target=\"" + target + "\"/>";
}

void put32(std::string& bytes, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + size_t(i)] = char((value >> (8 * i)) & 0xFF);
}

uint16_t get16(const std::string& bytes, size_t at)
{
    return uint16_t(uint8_t(bytes[at]) | (uint8_t(bytes[at + 1]) << 8));
}

} // namespace

std::string zipParts(const std::vector<Part>& parts)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_source_keep(buffer);
    zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    if (!archive)
        throw std::runtime_error("zip_open_from_source");
    for (const Part& part : parts) {
        zip_source_t* data = zip_source_buffer(archive, part.bytes.data(), part.bytes.size(), 0);
        if (zip_file_add(archive, part.name.c_str(), data, ZIP_FL_ENC_UTF_8) < 0)
            throw std::runtime_error("zip_file_add " + part.name);
    }
    if (zip_close(archive) != 0)
        throw std::runtime_error("zip_close");
    zip_stat_t stat;
    zip_source_open(buffer);
    zip_source_stat(buffer, &stat);
    std::string bytes(size_t(stat.size), '\0');
    zip_source_read(buffer, bytes.data(), stat.size);
    zip_source_close(buffer);
    zip_source_free(buffer);
    return bytes;
}

void setDeclaredSize(std::string& zip, const std::string& partName, uint32_t size)
{
    // Local headers (PK\3\4): name length at 26, name at 30, size at 22.
    // Central directory entries (PK\1\2): name length at 28, name at 46, size at 24.
    for (size_t at = 0; at + 46 < zip.size(); ++at) {
        if (zip.compare(at, 4, "PK\x03\x04") == 0 && get16(zip, at + 26) == partName.size() &&
            zip.compare(at + 30, partName.size(), partName) == 0)
            put32(zip, at + 22, size);
        if (zip.compare(at, 4, "PK\x01\x02") == 0 && get16(zip, at + 28) == partName.size() &&
            zip.compare(at + 46, partName.size(), partName) == 0)
            put32(zip, at + 24, size);
    }
}

std::string worksheetXml(const std::string& rowsXml)
{
    return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<worksheet xmlns=\"") + kMain +
           "\" xmlns:r=\"" + kRelationships + "\"><sheetData>" + rowsXml + "</sheetData></worksheet>";
}

WorkbookParts& WorkbookParts::sheet(const std::string& name, const std::string& rowsXml)
{
    sheets_.push_back({name, worksheetXml(rowsXml)});
    return *this;
}

WorkbookParts& WorkbookParts::sheetPart(const std::string& name, const std::string& xml)
{
    sheets_.push_back({name, xml});
    return *this;
}

WorkbookParts& WorkbookParts::chartSheet(const std::string& name)
{
    sheets_.push_back({name, std::string("<chartsheet xmlns=\"") + kMain + "\"/>", true});
    return *this;
}

WorkbookParts& WorkbookParts::sharedStrings(const std::string& xml)
{
    sharedStrings_ = xml;
    return *this;
}

WorkbookParts& WorkbookParts::styles(const std::string& xml)
{
    styles_ = xml;
    return *this;
}

WorkbookParts& WorkbookParts::workbookProperties(const std::string& attributes)
{
    workbookProperties_ = attributes;
    return *this;
}

std::vector<Part> WorkbookParts::parts() const
{
    std::vector<Part> parts;
    parts.push_back({"_rels/.rels", std::string("<Relationships xmlns=\"") + kPackageRelationships + "\">" +
                                        relationship("rId1", "officeDocument", "xl/workbook.xml") +
                                        "</Relationships>"});
    std::string workbook = std::string("<workbook xmlns=\"") + kMain + "\" xmlns:r=\"" + kRelationships + "\">";
    if (!workbookProperties_.empty())
        workbook += "<workbookPr " + workbookProperties_ + "/>";
    workbook += "<sheets>";
    std::string rels = std::string("<Relationships xmlns=\"") + kPackageRelationships + "\">";
    for (size_t i = 0; i < sheets_.size(); ++i) {
        std::string n = std::to_string(i + 1);
        std::string folder = sheets_[i].chart ? "chartsheets" : "worksheets";
        workbook += "<sheet name=\"" + sheets_[i].name + "\" sheetId=\"" + n + "\" r:id=\"rId" + n + "\"/>";
        rels += relationship("rId" + n, sheets_[i].chart ? "chartsheet" : "worksheet", folder + "/sheet" + n + ".xml");
        parts.push_back({"xl/" + folder + "/sheet" + n + ".xml", sheets_[i].xml});
    }
    workbook += "</sheets></workbook>";
    if (!sharedStrings_.empty()) {
        rels += relationship("rIdS", "sharedStrings", "sharedStrings.xml");
        parts.push_back({"xl/sharedStrings.xml", sharedStrings_});
    }
    if (!styles_.empty()) {
        rels += relationship("rIdY", "styles", "styles.xml");
        parts.push_back({"xl/styles.xml", styles_});
    }
    rels += "</Relationships>";
    parts.push_back({"xl/workbook.xml", workbook});
    parts.push_back({"xl/_rels/workbook.xml.rels", rels});
    return parts;
}

} // namespace xlsxtest
