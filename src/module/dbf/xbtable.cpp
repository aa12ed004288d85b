#include "xbtable.h"

// Placeholder until the engine lands: every operation fails.
struct xbtable::Impl {
    std::string error = "not implemented";
};

xbtable::xbtable() : d(std::make_unique<Impl>()) {}
xbtable::~xbtable() = default;
void xbtable::setEncoding(int32_t) {}
bool xbtable::prepareNewTable(int, int64_t, int) { return false; }
bool xbtable::addField(std::string_view, char, int64_t, int64_t) { return false; }
bool xbtable::createTable(const std::string&) { return false; }
bool xbtable::openDBFfile(const std::string&) { return false; }
void xbtable::closeDBFfile() {}
void xbtable::clearRecord() {}
bool xbtable::isMemoField(int64_t) const { return false; }
bool xbtable::setField(int64_t, std::string_view, double) { return false; }
bool xbtable::appendRecord(int) { return false; }
int64_t xbtable::recCount() const { return 0; }
int64_t xbtable::fieldCount() const { return 0; }
std::string xbtable::fieldName(int64_t) const { return {}; }
int64_t xbtable::fieldLength(int64_t) const { return 0; }
char xbtable::fieldType(int64_t) const { return 0; }
bool xbtable::isNumericField(int64_t) const { return false; }
int64_t xbtable::fieldDecimals(int64_t) const { return 0; }
bool xbtable::getRecord(int64_t) { return false; }
bool xbtable::isDeleted() const { return false; }
std::optional<std::string> xbtable::getString(int64_t) const { return std::nullopt; }
int64_t xbtable::indexOfField(std::string_view) const { return NotFound; }
void xbtable::setDateFormat(std::string_view) {}
void xbtable::setDateDelimiter(char) {}
int64_t xbtable::blockSize(int64_t index) { return index >= 0 && index <= 11 ? int64_t(16) << index : 512; }
void xbtable::setIntDateFormat(int64_t) {}
const std::string& xbtable::lastError() const { return d->error; }
