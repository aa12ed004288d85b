#include "open_table.h"

#include <algorithm>
#include <cstring>

#include "memo_layout.h"
#include "module/text/codec.h"

namespace ll::dbf {
namespace {

constexpr size_t kReadWindowBytes = 64 * 1024;

// The path without its extension, and the file name alone.
std::string withoutExtension(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return path;
    return path.substr(0, dot);
}

std::string baseName(const std::string& path)
{
    std::string stem = withoutExtension(path);
    size_t slash = stem.find_last_of('/');
    return slash == std::string::npos ? stem : stem.substr(slash + 1);
}

std::string upper(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return text;
}

// The memo file of an existing table: its kind and path, when one exists.
struct MemoLocation {
    MemoKind kind = MemoKind::None;
    std::string path;
};

MemoLocation findMemoFile(FileSystem& files, const std::string& tablePath, const TableLayout& layout)
{
    std::string stem = withoutExtension(tablePath);
    std::vector<MemoKind> candidates;
    if (versionHasMemo(layout.version) && layout.traits.memo != MemoKind::None)
        candidates.push_back(layout.traits.memo);
    // Tables whose version byte does not say which memo file they have.
    for (MemoKind kind : {MemoKind::Fpt, MemoKind::Dbt3, MemoKind::Smt})
        if (std::find(candidates.begin(), candidates.end(), kind) == candidates.end())
            candidates.push_back(kind);
    if (layout.traits.flavour == Flavour::VisualFoxPro)
        candidates = {MemoKind::Fpt};
    for (MemoKind kind : candidates) {
        std::string extension = memoExtension(kind);
        for (const std::string& path : {stem + extension, stem + upper(extension)})
            if (files.exists(path))
                return {kind, path};
    }
    return {candidates.front(), stem + memoExtension(candidates.front())};
}

bool hasMemoFields(const std::vector<FieldKind>& kinds)
{
    return std::any_of(kinds.begin(), kinds.end(), isMemoKind);
}

std::vector<FieldKind> kindsOf(const TableLayout& layout)
{
    std::vector<FieldKind> kinds;
    kinds.reserve(layout.fields.size());
    for (const FieldDesc& field : layout.fields)
        kinds.push_back(fieldKindOf(field, layout.traits.flavour));
    return kinds;
}

} // namespace

OpenTable::OpenTable(std::unique_ptr<File> file, std::string path, TableLayout layout, std::unique_ptr<MemoFile> memo,
                     bool writable)
    : file_(std::move(file)), path_(std::move(path)), layout_(std::move(layout)), memo_(std::move(memo)),
      kinds_(kindsOf(layout_))
{
    const size_t length = layout_.recordLength;
    record_.assign(length, ' ');
    emptyRecord_.assign(length, ' ');
    currentRecord_.assign(length, ' ');
    memoSlot_.assign(layout_.fields.size(), -1);
    for (size_t i = 0; i < layout_.fields.size(); ++i) {
        const FieldDesc& field = layout_.fields[i];
        writeEmpty(field, kinds_[i], emptyRecord_.data() + field.offset);
        if (isMemoKind(kinds_[i])) {
            memoSlot_[i] = int(memoText_.size());
            memoText_.emplace_back();
        }
    }
    memoSet_.assign(memoText_.size(), 0);
    record_ = emptyRecord_;
    if (writable)
        appender_ = std::make_unique<RecordAppender>(*file_, path_, memo_.get(), layout_.headerLength,
                                                     layout_.recordLength, layout_.recordCount, today());
}

OpenTable::~OpenTable()
{
    Error ignored;
    close(ignored);
}

std::unique_ptr<OpenTable> OpenTable::open(FileSystem& files, const std::string& path, Error& error)
{
    int code = 0;
    bool writable = true;
    std::unique_ptr<File> file = files.open(path, OpenMode::ReadWrite, code);
    if (!file) {
        writable = false;
        file = files.open(path, OpenMode::Read, code);
    }
    if (!file) {
        error = makeError(Failure::CannotOpen, path, 0, 0, code);
        return nullptr;
    }
    int64_t size = file->size();
    if (size < 0) {
        error = makeError(Failure::ReadFailed, path, 0, 0, file->errorCode());
        return nullptr;
    }
    std::string head(size_t(std::min<int64_t>(size, int64_t(kMaxHeaderBytes))), '\0');
    if (file->readAt(0, head.data(), head.size()) != int64_t(head.size())) {
        error = makeError(Failure::ReadFailed, path, 0, 0, file->errorCode());
        return nullptr;
    }
    std::optional<TableLayout> layout = parseHeader(head, size, error);
    if (!layout) {
        error.path = path;
        return nullptr;
    }
    std::unique_ptr<MemoFile> memo;
    if (hasMemoFields(kindsOf(*layout))) {
        MemoLocation where = findMemoFile(files, path, *layout);
        Error memoError;
        if (files.exists(where.path))
            memo = MemoFile::open(files, where.path, where.kind, writable, memoError);
    }
    return std::unique_ptr<OpenTable>(new OpenTable(std::move(file), path, std::move(*layout), std::move(memo), writable));
}

std::unique_ptr<OpenTable> OpenTable::create(FileSystem& files, const std::string& path, TableLayout layout,
                                             int64_t memoBlockSize, Error& error)
{
    computeLayout(layout);
    layout.recordCount = 0;
    const bool withMemo = hasMemoFields(kindsOf(layout));
    layout.version = withMemo ? layout.traits.versionMemo : layout.traits.versionPlain;
    layout.flags = withMemo && layout.traits.memoFlagInByte28 ? 0x02 : 0x00;

    int code = 0;
    std::unique_ptr<File> file = files.open(path, OpenMode::Create, code);
    if (!file) {
        error = makeError(Failure::CannotCreate, path, 0, 0, code);
        return nullptr;
    }
    std::string bytes = encodeHeader(layout, today());
    bytes += char(0x1A);
    int64_t written = file->writeAt(0, bytes.data(), bytes.size());
    if (written != int64_t(bytes.size())) {
        error = makeError(Failure::WriteFailed, path, written, int64_t(bytes.size()), file->errorCode());
        file.reset();
        files.remove(path);
        return nullptr;
    }
    std::unique_ptr<MemoFile> memo;
    if (withMemo) {
        MemoKind kind = layout.traits.memo;
        std::string memoPath = withoutExtension(path) + memoExtension(kind);
        memo = MemoFile::create(files, memoPath, kind, newMemoBlockSize(kind, memoBlockSize), baseName(path), error);
        if (!memo) {
            file.reset();
            files.remove(path);
            files.remove(memoPath);
            return nullptr;
        }
    }
    return std::unique_ptr<OpenTable>(new OpenTable(std::move(file), path, std::move(layout), std::move(memo), true));
}

int64_t OpenTable::recordCount() const
{
    return appender_ ? appender_->recordCount() : int64_t(layout_.recordCount);
}

void OpenTable::clearRecord()
{
    std::memcpy(record_.data(), emptyRecord_.data(), record_.size());
    std::fill(memoSet_.begin(), memoSet_.end(), 0);
}

bool OpenTable::setField(size_t index, std::string_view text, double number, const text::Codec& codec,
                         const DateFormat& format, Error& error)
{
    if (index >= layout_.fields.size()) {
        error = makeError(Failure::FieldIndex, path_, int64_t(index), int64_t(layout_.fields.size()));
        return false;
    }
    const FieldDesc& field = layout_.fields[index];
    char* dst = record_.data() + field.offset;
    switch (FieldKind kind = kinds_[index]) {
    case FieldKind::Character:
        writeCharacter(codec, text, dst, field.width);
        return true;
    case FieldKind::Numeric:
        writeNumeric(text, number, field, dst);
        return true;
    case FieldKind::Logical:
        writeLogical(text, dst);
        return true;
    case FieldKind::Date:
        writeDate(text, format, dst);
        return true;
    case FieldKind::MemoDigits:
    case FieldKind::MemoBinary:
    case FieldKind::MemoSmt: {
        if (!memo_) {
            error = makeError(Failure::MemoFileMissing, withoutExtension(path_) + memoExtension(layout_.traits.memo));
            return false;
        }
        auto slot = size_t(memoSlot_[index]);
        memoText_[slot].clear();
        codec.encode(text, memoText_[slot]);
        memoSet_[slot] = memoText_[slot].empty() ? 0 : 1;
        writeMemoPointer(kind, MemoPointer {}, dst, field.width);
        return true;
    }
    case FieldKind::Integer:
    case FieldKind::Double:
    case FieldKind::Currency:
    case FieldKind::DateTime:
        writeBinary(kind, text, number, format, dst);
        return true;
    case FieldKind::Unsupported:
        break;
    }
    error = makeError(Failure::FieldNotWritable, path_, int64_t(index), field.type);
    return false;
}

bool OpenTable::appendRecord(bool deleted, Error& error)
{
    if (!appender_) {
        error = makeError(Failure::ReadOnly, path_);
        return false;
    }
    if (appender_->failed()) {
        error = makeError(Failure::TableFailed, path_);
        return false;
    }
    for (size_t i = 0; i < kinds_.size(); ++i) {
        int slot = memoSlot_[i];
        if (slot < 0 || !memoSet_[size_t(slot)])
            continue;
        const std::string& bytes = memoText_[size_t(slot)];
        MemoPointer pointer;
        pointer.empty = false;
        pointer.length = uint32_t(bytes.size());
        if (!memo_->append(bytes, pointer.block, error))
            return false;
        const FieldDesc& field = layout_.fields[i];
        writeMemoPointer(kinds_[i], pointer, record_.data() + field.offset, field.width);
        memoSet_[size_t(slot)] = 0;
    }
    record_[0] = deleted ? '*' : ' ';
    return appender_->append(record_.data(), error);
}

bool OpenTable::loadWindow(int64_t number, Error& error)
{
    const int64_t length = layout_.recordLength;
    const int64_t onDisk = appender_ ? int64_t(appender_->countedRecords()) : int64_t(layout_.recordCount);
    int64_t count = std::min<int64_t>(std::max<int64_t>(1, int64_t(kReadWindowBytes) / length), onDisk - number);
    window_.resize(size_t(count * length));
    int64_t got = file_->readAt(int64_t(layout_.headerLength) + number * length, window_.data(), window_.size());
    if (got < length) {
        windowCount_ = 0;
        error = makeError(Failure::ReadFailed, path_, int64_t(layout_.headerLength) + number * length, 0,
                          file_->errorCode());
        return false;
    }
    windowFirst_ = number;
    windowCount_ = got / length;
    return true;
}

bool OpenTable::selectRecord(int64_t number, Error& error)
{
    if (number == current_ && number >= 0)
        return true;
    if (number < 0 || number >= recordCount()) {
        error = makeError(Failure::RecordIndex, path_, number, recordCount());
        return false;
    }
    const size_t length = layout_.recordLength;
    if (const char* queued = appender_ ? appender_->queuedRecord(number) : nullptr) {
        std::memcpy(currentRecord_.data(), queued, length);
    } else {
        if (number < windowFirst_ || number >= windowFirst_ + windowCount_) {
            if (!loadWindow(number, error)) {
                current_ = -1;
                return false;
            }
        }
        std::memcpy(currentRecord_.data(), window_.data() + size_t(number - windowFirst_) * length, length);
    }
    current_ = number;
    return true;
}

std::optional<std::string> OpenTable::fieldText(size_t index, const text::Codec& codec, const DateFormat& format)
{
    if (current_ < 0 || index >= layout_.fields.size())
        return std::nullopt;
    const FieldDesc& field = layout_.fields[index];
    const char* src = currentRecord_.data() + field.offset;
    std::string out;
    FieldKind kind = kinds_[index];
    if (!isMemoKind(kind)) {
        if (!readFieldText(kind, field, src, codec, format, out))
            return std::nullopt;
        return out;
    }
    MemoPointer pointer = readMemoPointer(kind, src, field.width);
    if (!pointer.valid)
        return std::nullopt;
    if (pointer.empty)
        return out;
    if (!memo_)
        return std::nullopt;
    std::optional<uint32_t> length;
    if (kind == FieldKind::MemoSmt)
        length = pointer.length;
    if (!memo_->read(pointer.block, length, memoScratch_))
        return std::nullopt;
    decodeLenient(codec, memoScratch_, out);
    return out;
}

bool OpenTable::close(Error& error)
{
    if (!file_)
        return true;
    bool ok = true;
    if (appender_) {
        ok = appender_->finish(error);
        appender_.reset();
    }
    Error memoError;
    if (memo_ && !memo_->close(memoError) && ok) {
        error = memoError;
        ok = false;
    }
    memo_.reset();
    if (!file_->close() && ok) {
        error = makeError(Failure::WriteFailed, path_, 0, 0, file_->errorCode());
        ok = false;
    }
    file_.reset();
    return ok;
}

} // namespace ll::dbf
