#include "load.h"

#include <atomic>
#include <cstdlib>
#include <cstring>

namespace ll::xl {

namespace {
std::atomic<bool>& parallelFlag()
{
    static std::atomic<bool> flag = [] {
        const char* threads = std::getenv("LEDGERLINE_LOAD_THREADS");
        return !(threads && std::strcmp(threads, "1") == 0);
    }();
    return flag;
}
} // namespace

void setParallelLoading(bool on)
{
    parallelFlag().store(on);
}

bool parallelLoading()
{
    return parallelFlag().load();
}

std::string describe(const LoadError& error)
{
    const char* what = "ok";
    switch (error.kind) {
    case LoadErrorKind::None: what = "ok"; break;
    case LoadErrorKind::CannotOpen: what = "cannot open the file"; break;
    case LoadErrorKind::NotAWorkbook: what = "not a workbook"; break;
    case LoadErrorKind::Corrupt: what = "damaged workbook"; break;
    case LoadErrorKind::Encrypted: what = "password-protected workbook"; break;
    case LoadErrorKind::Unsupported: what = "unsupported workbook kind"; break;
    case LoadErrorKind::TooLarge: what = "workbook exceeds a size limit"; break;
    }
    return error.detail.empty() ? std::string(what) : std::string(what) + ": " + error.detail;
}

} // namespace ll::xl
