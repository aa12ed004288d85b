#include "module/xl/load.h"

namespace ll::xl {

LoadError loadXlsx(const std::string& path, Book& book)
{
    return {LoadErrorKind::Unsupported, "the .xlsx reader is not built yet"};
}

LoadError loadXlsxFromMemory(const char* data, size_t size, Book& book)
{
    return {LoadErrorKind::Unsupported, "the .xlsx reader is not built yet"};
}

} // namespace ll::xl
