#include "sheet_reader.h"

#include "biff_record_ids.h"
#include "module/xl/book.h"
#include "record_iterator.h"

namespace ll::xl::xls {

namespace {

bool isBof(uint16_t id)
{
    return id == rid::Bof || id == rid::Bof2 || id == rid::Bof3 || id == rid::Bof4;
}

// Records that may stand between a FORMULA and its STRING.
bool keepsFormulaPending(uint16_t id)
{
    return id == rid::String || id == rid::SharedFormula || id == rid::Array || id == rid::Table;
}

} // namespace

BiffError readSheet(ByteView stream, size_t offset, CellContext& context, Sheet& sheet, size_t& bytesRead)
{
    bytesRead = 0;
    if (offset >= stream.size)
        return {BiffFailure::SheetOutOfRange, offset, stream.size};
    RecordIterator records(stream, offset);
    Record record;
    if (!records.next(record))
        return {BiffFailure::Truncated, offset};
    if (!isBof(record.id))
        return {BiffFailure::NoBof, record.id, offset};

    PendingFormulaText pending;
    size_t nested = 0; // depth inside embedded substreams
    while (records.next(record)) {
        if (nested > 0) {
            if (isBof(record.id))
                ++nested;
            else if (record.id == rid::Eof)
                --nested;
            continue;
        }
        if (pending.active && !keepsFormulaPending(record.id))
            pending.active = false;

        switch (record.id) {
        case rid::LabelSst: readLabelSst(record.body, context, sheet); break;
        case rid::Number: readNumber(record.body, sheet); break;
        case rid::Rk: readRk(record.body, sheet); break;
        case rid::MulRk: readMulRk(record.body, sheet); break;
        case rid::Blank: readBlank(record.body, sheet); break;
        case rid::MulBlank: readMulBlank(record.body, sheet); break;
        case rid::BoolErr: readBoolErr(record.body, sheet); break;
        case rid::Label:
        case rid::RString: readLabel(record, context, sheet); break;
        case rid::Formula: readFormula(record.body, context, sheet, pending); break;
        case rid::String:
            if (pending.active)
                readFormulaText(record, context, pending, sheet);
            pending.active = false;
            break;
        case rid::Eof: bytesRead = records.offset() - offset; return {};
        default:
            if (isBof(record.id))
                nested = 1;
            break;
        }
    }
    bytesRead = records.offset() - offset;
    if (records.truncated())
        return {BiffFailure::Truncated, records.offset()};
    return {BiffFailure::MissingEof, records.offset()};
}

} // namespace ll::xl::xls
