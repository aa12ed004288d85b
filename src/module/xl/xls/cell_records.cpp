#include "cell_records.h"

#include <cstring>

#include "biff_text.h"
#include "code_page.h"
#include "module/xl/book.h"

namespace ll::xl::xls {

namespace {

// Row, column and style index open every cell record.
struct Place {
    uint32_t row, col, xf;
};
Place placeOf(ByteView body)
{
    return {body.u16(0), body.u16(2), body.u16(4)};
}

// Reads the text that follows a cell's place (LABEL, RSTRING) or opens a
// STRING record into context.text.
bool readCellText(PieceReader& reader, CellContext& context)
{
    if (context.biff == 8)
        return readBiff8String(reader, Biff8StringForm::LongCount, context.text);
    return readByteString(reader, true, *context.codePage, context.text);
}

} // namespace

double decodeRk(uint32_t rk)
{
    double value;
    if (rk & 0x02) {
        value = double(int32_t(rk) >> 2);
    } else {
        uint64_t bits = uint64_t(rk & 0xFFFFFFFCu) << 32;
        std::memcpy(&value, &bits, sizeof value);
    }
    return (rk & 0x01) ? value / 100.0 : value;
}

void readNumber(ByteView body, Sheet& sheet)
{
    if (body.size < 14)
        return;
    Place at = placeOf(body);
    sheet.setNumber(at.row, at.col, at.xf, body.f64(6));
}

void readRk(ByteView body, Sheet& sheet)
{
    if (body.size < 10)
        return;
    Place at = placeOf(body);
    sheet.setNumber(at.row, at.col, at.xf, decodeRk(body.u32(6)));
}

void readMulRk(ByteView body, Sheet& sheet)
{
    // row, first column, then (style, RK) pairs of six bytes, then the last
    // column, which repeats what the pair count says and is not trusted.
    if (body.size < 6)
        return;
    uint32_t row = body.u16(0);
    uint32_t col = body.u16(2);
    size_t count = (body.size - 6) / 6;
    for (size_t i = 0; i < count; ++i) {
        size_t at = 4 + 6 * i;
        sheet.setNumber(row, col + uint32_t(i), body.u16(at), decodeRk(body.u32(at + 2)));
    }
}

void readBoolErr(ByteView body, Sheet& sheet)
{
    if (body.size < 8)
        return;
    Place at = placeOf(body);
    uint8_t value = body.u8(6);
    if (body.u8(7))
        sheet.setError(at.row, at.col, at.xf, value);
    else
        sheet.setBoolean(at.row, at.col, at.xf, value != 0);
}

void readBlank(ByteView body, Sheet& sheet)
{
    if (body.size < 6)
        return;
    Place at = placeOf(body);
    sheet.setBlank(at.row, at.col, at.xf);
}

void readMulBlank(ByteView body, Sheet& sheet)
{
    if (body.size < 6)
        return;
    uint32_t row = body.u16(0);
    uint32_t col = body.u16(2);
    size_t count = (body.size - 6) / 2;
    for (size_t i = 0; i < count; ++i)
        sheet.setBlank(row, col + uint32_t(i), body.u16(4 + 2 * i));
}

void readLabelSst(ByteView body, const CellContext& context, Sheet& sheet)
{
    if (body.size < 10)
        return;
    Place at = placeOf(body);
    uint32_t index = body.u32(6);
    if (index >= context.sharedStrings.count)
        return; // names a string the table does not hold
    sheet.setString(at.row, at.col, at.xf, context.sharedStrings.base + index);
}

void readLabel(const Record& record, CellContext& context, Sheet& sheet)
{
    if (record.body.size < 8)
        return;
    Place at = placeOf(record.body);
    PieceReader reader(record);
    reader.skip(6);
    readCellText(reader, context);
    sheet.setString(at.row, at.col, at.xf, context.pool->add(context.text));
}

void readFormula(ByteView body, CellContext& context, Sheet& sheet, PendingFormulaText& pending)
{
    if (body.size < 14)
        return;
    Place at = placeOf(body);
    // The cached result: a double, or, when its last two bytes are 0xFFFF,
    // a tagged value whose first byte says which kind.
    if (body.u16(12) != 0xFFFF) {
        sheet.setNumber(at.row, at.col, at.xf, body.f64(6));
        return;
    }
    switch (body.u8(6)) {
    case 0: pending = {true, at.row, at.col, at.xf}; break;
    case 1: sheet.setBoolean(at.row, at.col, at.xf, body.u8(8) != 0); break;
    case 2: sheet.setError(at.row, at.col, at.xf, body.u8(8)); break;
    case 3:
        if (context.emptyText == CellContext::kNoText)
            context.emptyText = context.pool->add({});
        sheet.setString(at.row, at.col, at.xf, context.emptyText);
        break;
    default: break;
    }
}

void readFormulaText(const Record& record, CellContext& context, const PendingFormulaText& pending, Sheet& sheet)
{
    PieceReader reader(record);
    readCellText(reader, context);
    sheet.setString(pending.row, pending.col, pending.xf, context.pool->add(context.text));
}

} // namespace ll::xl::xls
