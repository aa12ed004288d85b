// xbtable: the face of the DBF engine. The work is done by OpenTable (an
// open table's files and records) and the layout helpers; this file keeps
// the state between calls and turns failures into lastError().
#include "xbtable.h"

#include <unordered_map>
#include <vector>

#include "code_page_mark.h"
#include "date_text.h"
#include "dbf_error.h"
#include "field_names.h"
#include "field_shape.h"
#include "file_io.h"
#include "flavour.h"
#include "open_table.h"
#include "module/text/codec.h"

using namespace ll::dbf;

namespace {

std::string asciiUpper(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return out;
}

bool isAscii(std::string_view text)
{
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

constexpr uint32_t kMaxRecordLength = 0xFFFF;

} // namespace

struct xbtable::Impl {
    explicit Impl(std::shared_ptr<FileSystem> fileSystem) : files(std::move(fileSystem)) {}

    std::shared_ptr<FileSystem> files;
    int32_t charset = 1;
    const ll::text::Codec* codec = &ll::text::Codec::forCode(1);
    DateFormat dateFormat;
    Error failure;
    std::string errorText;

    // The table being prepared.
    std::optional<FlavourTraits> traits;
    int64_t memoSize = 512;
    std::vector<FieldDesc> fields;
    FieldNameFitter names;
    bool refusing = false;
    uint32_t recordLength = 1;

    std::unique_ptr<OpenTable> table;
    // Upper-cased field names of the open table, for indexOfField.
    std::unordered_map<std::string, int64_t> nameIndex;
    bool nameIndexValid = false;

    bool fail(Error error)
    {
        failure = std::move(error);
        errorText = describe(failure);
        return false;
    }

    void succeed()
    {
        if (failure.failure != Failure::None) {
            failure = Error {};
            errorText.clear();
        }
    }

    void closeTable()
    {
        if (!table)
            return;
        Error error;
        if (table->close(error))
            succeed();
        else if (error.failure != Failure::TableFailed || failure.failure == Failure::None)
            fail(error); // else keep the first failure's reason
        table.reset();
        nameIndexValid = false;
    }

    const std::vector<FieldDesc>& currentFields() const { return table ? table->layout().fields : fields; }

    const FieldDesc* field(int64_t index) const
    {
        const std::vector<FieldDesc>& list = currentFields();
        return index >= 0 && index < int64_t(list.size()) ? &list[size_t(index)] : nullptr;
    }

    std::string nameOf(const FieldDesc& f) const
    {
        std::string_view raw = f.name;
        while (!raw.empty() && raw.back() == ' ')
            raw.remove_suffix(1);
        if (!table || isAscii(raw))
            return std::string(raw);
        std::string out;
        decodeLenient(*codec, raw, out);
        return out;
    }
};

xbtable::xbtable() : xbtable(systemFileSystem()) {}

xbtable::xbtable(std::shared_ptr<FileSystem> files) : d(std::make_unique<Impl>(std::move(files))) {}

xbtable::~xbtable()
{
    d->closeTable();
}

void xbtable::setEncoding(int32_t charsetCode)
{
    d->charset = charsetCode;
    d->codec = &ll::text::Codec::forCode(charsetCode);
    d->nameIndexValid = false;
}

bool xbtable::prepareNewTable(int flavour, int64_t memoSize, int /*driver*/)
{
    d->closeTable();
    d->fields.clear();
    d->refusing = false;
    d->recordLength = 1;
    d->traits = traitsForWriterCode(flavour);
    if (!d->traits)
        return d->fail(makeError(Failure::UnknownFlavour, {}, flavour));
    d->memoSize = memoSize;
    d->names = FieldNameFitter(size_t(d->traits->nameLength));
    d->succeed();
    return true;
}

bool xbtable::addField(std::string_view name, char fieldType, int64_t length, int64_t decimal)
{
    if (!d->traits)
        return d->fail(makeError(Failure::NotPrepared));
    const int64_t index = int64_t(d->fields.size());
    if (d->refusing)
        return d->fail(makeError(Failure::FieldRefused, {}, index));
    std::optional<FieldShape> shape = fitFieldShape(fieldType, length, decimal, *d->traits);
    if (!shape)
        return d->fail(makeError(Failure::UnknownFieldType, {}, static_cast<unsigned char>(fieldType)));
    if (index >= maxFieldCount(*d->traits)) {
        d->refusing = true;
        return d->fail(makeError(Failure::TooManyFields, {}, index, maxFieldCount(*d->traits)));
    }
    if (uint64_t(d->recordLength) + shape->width > kMaxRecordLength) {
        d->refusing = true;
        return d->fail(makeError(Failure::RecordTooLong, {}, int64_t(d->recordLength) + shape->width, kMaxRecordLength));
    }
    FieldDesc field;
    field.name = d->names.fit(name, size_t(index));
    field.type = shape->type;
    field.width = shape->width;
    field.decimals = shape->decimals;
    d->fields.push_back(std::move(field));
    d->recordLength += shape->width;
    d->succeed();
    return true;
}

bool xbtable::createTable(const std::string& path)
{
    if (!d->traits)
        return d->fail(makeError(Failure::NotPrepared));
    d->closeTable();
    TableLayout layout;
    layout.traits = *d->traits;
    layout.fields = d->fields;
    layout.languageDriver = languageDriverFor(d->charset, d->codec->converterName(), d->codec->available());
    Error error;
    d->table = OpenTable::create(*d->files, path, std::move(layout), d->memoSize,
                                 error);
    if (!d->table)
        return d->fail(error);
    d->succeed();
    return true;
}

bool xbtable::openDBFfile(const std::string& path)
{
    d->closeTable();
    Error error;
    d->table = OpenTable::open(*d->files, path, error);
    if (!d->table)
        return d->fail(error);
    d->succeed();
    return true;
}

void xbtable::closeDBFfile()
{
    d->closeTable();
}

void xbtable::clearRecord()
{
    if (d->table)
        d->table->clearRecord();
}

bool xbtable::isMemoField(int64_t index) const
{
    const FieldDesc* field = d->field(index);
    if (!field)
        return false;
    if (d->table)
        return isMemoKind(d->table->kind(size_t(index)));
    return field->type == 'M';
}

bool xbtable::setField(int64_t index, std::string_view text, double number)
{
    if (!d->table)
        return d->fail(makeError(Failure::NotOpen));
    Error error;
    if (index < 0 || !d->table->setField(size_t(index), text, number, *d->codec, d->dateFormat, error))
        return d->fail(index < 0 ? makeError(Failure::FieldIndex, {}, index, fieldCount()) : error);
    d->succeed();
    return true;
}

bool xbtable::appendRecord(int flag)
{
    if (!d->table)
        return d->fail(makeError(Failure::NotOpen));
    Error error;
    if (!d->table->appendRecord(flag != 0, error))
        return d->fail(error);
    d->succeed();
    return true;
}

bool xbtable::isWritable() const
{
    return d->table && d->table->writable();
}

int64_t xbtable::recCount() const
{
    return d->table ? d->table->recordCount() : 0;
}

int64_t xbtable::fieldCount() const
{
    return int64_t(d->currentFields().size());
}

std::string xbtable::fieldName(int64_t index) const
{
    const FieldDesc* field = d->field(index);
    return field ? d->nameOf(*field) : std::string();
}

int64_t xbtable::fieldLength(int64_t index) const
{
    const FieldDesc* field = d->field(index);
    return field ? int64_t(field->width) : 0;
}

char xbtable::fieldType(int64_t index) const
{
    const FieldDesc* field = d->field(index);
    return field ? field->type : char(0);
}

bool xbtable::isNumericField(int64_t index) const
{
    const FieldDesc* field = d->field(index);
    if (!field)
        return false;
    if (d->table)
        return isNumericKind(d->table->kind(size_t(index)));
    return field->type == 'N' || field->type == 'F';
}

int64_t xbtable::fieldDecimals(int64_t index) const
{
    const FieldDesc* field = d->field(index);
    return field ? int64_t(field->decimals) : 0;
}

bool xbtable::getRecord(int64_t recordNumber)
{
    if (!d->table)
        return d->fail(makeError(Failure::NotOpen));
    Error error;
    if (!d->table->selectRecord(recordNumber, error))
        return d->fail(error);
    d->succeed();
    return true;
}

bool xbtable::isDeleted() const
{
    return d->table && d->table->currentDeleted();
}

std::optional<std::string> xbtable::getString(int64_t index) const
{
    if (!d->table || index < 0)
        return std::nullopt;
    return d->table->fieldText(size_t(index), *d->codec, d->dateFormat);
}

int64_t xbtable::indexOfField(std::string_view name) const
{
    std::string wanted = asciiUpper(name);
    while (!wanted.empty() && wanted.back() == ' ')
        wanted.pop_back();
    if (!d->table) {
        for (size_t i = 0; i < d->fields.size(); ++i)
            if (asciiUpper(d->fields[i].name) == wanted)
                return int64_t(i);
        return NotFound;
    }
    if (!d->nameIndexValid) {
        d->nameIndex.clear();
        const std::vector<FieldDesc>& fields = d->table->layout().fields;
        for (size_t i = 0; i < fields.size(); ++i)
            d->nameIndex.emplace(asciiUpper(d->nameOf(fields[i])), int64_t(i));
        d->nameIndexValid = true;
    }
    auto it = d->nameIndex.find(wanted);
    return it == d->nameIndex.end() ? NotFound : it->second;
}

void xbtable::setDateFormat(std::string_view order)
{
    if (std::optional<DateOrder> parsed = dateOrderFromText(order))
        d->dateFormat.order = *parsed;
}

void xbtable::setDateDelimiter(char delimiter)
{
    d->dateFormat.delimiter = delimiter;
}

int64_t xbtable::blockSize(int64_t index)
{
    return index >= 0 && index <= 11 ? int64_t(16) << index : 512;
}

void xbtable::setIntDateFormat(int64_t index)
{
    std::optional<DateFormat> format = dateFormatForIndex(index);
    if (!format)
        return;
    static constexpr const char* kOrderNames[] = {"dmy", "mdy", "ymd", "asis"};
    setDateFormat(kOrderNames[int(format->order)]);
    setDateDelimiter(format->delimiter);
}

const std::string& xbtable::lastError() const
{
    return d->errorText;
}

const Error& xbtable::lastFailure() const
{
    return d->failure;
}
