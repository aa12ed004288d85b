#include "zip_package.h"

#include <zip.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <vector>

#include "limits.h"
#include "part_names.h"

namespace ll::xl::xlsx {

namespace {

constexpr std::array<unsigned char, 8> kCompoundFileMagic = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
// The stream that holds an encrypted OOXML package, as a UTF-16LE directory
// entry name.
constexpr char kEncryptedStreamName[] = "E\0n\0c\0r\0y\0p\0t\0e\0d\0P\0a\0c\0k\0a\0g\0e\0";
constexpr size_t kEncryptedStreamNameBytes = sizeof(kEncryptedStreamName) - 1;

bool startsWithCompoundMagic(const unsigned char* bytes, size_t size)
{
    return size >= kCompoundFileMagic.size() &&
           std::equal(kCompoundFileMagic.begin(), kCompoundFileMagic.end(), bytes);
}

bool containsEncryptedStreamName(std::string_view bytes)
{
    return bytes.find(std::string_view(kEncryptedStreamName, kEncryptedStreamNameBytes)) != std::string_view::npos;
}

LoadError compoundFileFailure(bool encrypted)
{
    if (encrypted)
        return {LoadErrorKind::Encrypted, "the workbook is an encrypted package"};
    return {LoadErrorKind::NotAWorkbook, "a compound file (a legacy .xls workbook?), not a zip package"};
}

// Searches a compound file on disk for the encrypted-package stream name,
// in overlapping chunks, up to kMaxOleScanBytes.
bool fileHasEncryptedStream(std::FILE* file)
{
    std::vector<char> buffer(kChunkBytes + kEncryptedStreamNameBytes);
    size_t carried = 0;
    uint64_t scanned = 0;
    std::rewind(file);
    while (scanned < kMaxOleScanBytes) {
        size_t got = std::fread(buffer.data() + carried, 1, kChunkBytes, file);
        if (got == 0)
            return false;
        scanned += got;
        std::string_view window(buffer.data(), carried + got);
        if (containsEncryptedStreamName(window))
            return true;
        carried = std::min(window.size(), kEncryptedStreamNameBytes - 1);
        std::memmove(buffer.data(), window.data() + window.size() - carried, carried);
    }
    return false;
}

class ZipPartSource final : public ChunkSource {
public:
    ZipPartSource(zip_file_t* file, std::string name, uint64_t limit, bool limitIsDeclared, uint64_t& bookTotal)
        : file_(file), name_(std::move(name)), limit_(limit), limitIsDeclared_(limitIsDeclared),
          bookTotal_(bookTotal) {}
    ~ZipPartSource() override { zip_fclose(file_); }

    bool read(char* into, size_t capacity, size_t& got, LoadError& error) override
    {
        got = 0;
        // Ask for one byte more than the limit allows, to see it crossed.
        uint64_t allowed = limit_ - total_ + 1;
        zip_int64_t n = zip_fread(file_, into, std::min<uint64_t>(capacity, allowed));
        if (n < 0) {
            error = zipFailure(zip_error_code_zip(zip_file_get_error(file_)), "reading " + name_);
            return false;
        }
        total_ += uint64_t(n);
        bookTotal_ += uint64_t(n);
        if (bookTotal_ > kMaxBookInflatedBytes) {
            error = {LoadErrorKind::TooLarge,
                     "the parts read inflate beyond " + std::to_string(kMaxBookInflatedBytes) + " bytes in all"};
            return false;
        }
        if (total_ > limit_) {
            if (limitIsDeclared_)
                error = {LoadErrorKind::Corrupt, name_ + " inflates beyond its declared size of " +
                                                     std::to_string(limit_) + " bytes"};
            else
                error = {LoadErrorKind::TooLarge,
                         name_ + " inflates beyond " + std::to_string(limit_) + " bytes"};
            return false;
        }
        got = size_t(n);
        return true;
    }

private:
    zip_file_t* file_;
    std::string name_;
    uint64_t limit_;
    bool limitIsDeclared_;
    uint64_t& bookTotal_;
    uint64_t total_ = 0;
};

} // namespace

LoadError zipFailure(int code, std::string_view doing)
{
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    std::string detail = std::string(doing) + ": " + zip_error_strerror(&error);
    zip_error_fini(&error);
    switch (code) {
    case ZIP_ER_NOENT:
    case ZIP_ER_OPEN:
    case ZIP_ER_READ:
    case ZIP_ER_SEEK:
        return {LoadErrorKind::CannotOpen, detail};
    case ZIP_ER_NOZIP:
        return {LoadErrorKind::NotAWorkbook, detail};
    case ZIP_ER_NOPASSWD:
    case ZIP_ER_WRONGPASSWD:
    case ZIP_ER_ENCRNOTSUPP:
        return {LoadErrorKind::Encrypted, detail};
    case ZIP_ER_COMPNOTSUPP:
        return {LoadErrorKind::Unsupported, detail};
    case ZIP_ER_MEMORY:
        return {LoadErrorKind::TooLarge, detail};
    default:
        return {LoadErrorKind::Corrupt, detail};
    }
}

ZipPackage::~ZipPackage()
{
    if (archive_)
        zip_discard(archive_);
}

LoadError ZipPackage::openFile(const std::string& path, std::unique_ptr<ZipPackage>& package)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return {LoadErrorKind::CannotOpen, path + ": " + std::strerror(errno)};
    unsigned char head[8] = {};
    size_t got = std::fread(head, 1, sizeof head, file);
    bool compound = startsWithCompoundMagic(head, got);
    bool encrypted = compound && fileHasEncryptedStream(file);
    std::fclose(file);
    if (compound)
        return compoundFileFailure(encrypted);

    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY, &error);
    if (!archive)
        return zipFailure(error, "opening " + path);
    package.reset(new ZipPackage(archive));
    return package->indexEntries();
}

LoadError ZipPackage::openMemory(const char* data, size_t size, std::unique_ptr<ZipPackage>& package)
{
    if (startsWithCompoundMagic(reinterpret_cast<const unsigned char*>(data), size))
        return compoundFileFailure(
            containsEncryptedStreamName(std::string_view(data, std::min<uint64_t>(size, kMaxOleScanBytes))));

    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(data, size, 0, &error);
    if (!source) {
        LoadError failure = zipFailure(zip_error_code_zip(&error), "reading the bytes");
        zip_error_fini(&error);
        return failure;
    }
    zip_t* archive = zip_open_from_source(source, ZIP_RDONLY, &error);
    if (!archive) {
        zip_source_free(source);
        LoadError failure = zipFailure(zip_error_code_zip(&error), "opening the zip");
        zip_error_fini(&error);
        return failure;
    }
    zip_error_fini(&error);
    package.reset(new ZipPackage(archive));
    return package->indexEntries();
}

LoadError ZipPackage::indexEntries()
{
    zip_int64_t count = zip_get_num_entries(archive_, 0);
    if (count < 0)
        return {LoadErrorKind::Corrupt, "unreadable zip directory"};
    if (uint64_t(count) > kMaxZipEntries)
        return {LoadErrorKind::TooLarge, std::to_string(count) + " zip entries"};
    entries_.reserve(size_t(count));
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* name = zip_get_name(archive_, zip_uint64_t(i), 0);
        if (name)
            entries_.emplace(partKey(name), uint64_t(i)); // the first of duplicate names wins
    }
    return {};
}

std::optional<uint64_t> ZipPackage::find(std::string_view partName) const
{
    auto it = entries_.find(partKey(partName));
    if (it == entries_.end())
        return std::nullopt;
    return it->second;
}

std::optional<uint64_t> ZipPackage::declaredSize(uint64_t entry) const
{
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive_, entry, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE))
        return std::nullopt;
    return uint64_t(stat.size);
}

std::string ZipPackage::entryName(uint64_t entry) const
{
    const char* name = zip_get_name(archive_, entry, 0);
    return name ? name : "entry " + std::to_string(entry);
}

LoadError ZipPackage::openPart(uint64_t entry, uint64_t ceiling, std::unique_ptr<ChunkSource>& source) const
{
    std::string name = entryName(entry);
    std::optional<uint64_t> declared = declaredSize(entry);
    if (declared && *declared > ceiling)
        return {LoadErrorKind::TooLarge,
                name + " declares " + std::to_string(*declared) + " bytes, more than " + std::to_string(ceiling)};
    zip_file_t* file = zip_fopen_index(archive_, entry, 0);
    if (!file)
        return zipFailure(zip_error_code_zip(zip_get_error(archive_)), "opening " + name);
    source = std::make_unique<ZipPartSource>(file, name, declared ? *declared : ceiling, declared.has_value(),
                                             inflatedTotal_);
    return {};
}

} // namespace ll::xl::xlsx
