#include "module/xl/load.h"

namespace ll::xl {

LoadError loadXls(const std::string& path, Book& book)
{
    return {LoadErrorKind::Unsupported, "the .xls reader is not built yet"};
}

LoadError loadXlsFromMemory(const char* data, size_t size, Book& book)
{
    return {LoadErrorKind::Unsupported, "the .xls reader is not built yet"};
}

} // namespace ll::xl
