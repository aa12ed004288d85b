#include "xls_cell_text.h"

#include <cstdio>

#include "module/converter/c_locale.h"
#include "module/converter/cell_text.h"

namespace {

PreviewCell dateCell(BookHandle book, double value)
{
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millisecond = 0;
    xlBookDateUnpackA(book, value, &year, &month, &day, &hour, &minute, &second, &millisecond);
    char text[64];
    if (hour + minute + second == 0)
        std::snprintf(text, sizeof text, "%04d.%02d.%02d", year, month, day);
    else
        std::snprintf(text, sizeof text, "%04d.%02d.%02d %02d:%02d:%02d", year, month, day, hour, minute, second);
    return {QString::fromLatin1(text), kAlignDefault};
}

} // namespace

PreviewCell xlsPreviewCell(BookHandle book, SheetHandle sheet, int row, int col, std::string& scratch)
{
    switch (xlSheetCellTypeA(sheet, row, col)) {
    case CELLTYPE_NUMBER: {
        FormatHandle format = nullptr;
        const double value = xlSheetReadNumA(sheet, row, col, &format);
        if (xlSheetIsDateA(sheet, row, col))
            return dateCell(book, value);
        const char* custom = format ? xlBookCustomNumFormatA(book, xlFormatNumFormatA(format)) : nullptr;
        {
            // A point, never the user's decimal comma.
            const CLocaleScope cLocale;
            CellText::formatNumber(value, custom, scratch);
        }
        return {QString::fromLatin1(scratch.data(), qsizetype(scratch.size())), kAlignRight};
    }
    case CELLTYPE_STRING: {
        const char* text = xlSheetReadStrA(sheet, row, col, nullptr);
        return {text ? QString::fromUtf8(text) : QString(), kAlignDefault};
    }
    case CELLTYPE_BOOLEAN:
        return {xlSheetReadBoolA(sheet, row, col, nullptr) ? QStringLiteral("1") : QStringLiteral("0"), kAlignCentre};
    default:
        return {};
    }
}
