#include "biff_text.h"

#include "code_page.h"

namespace ll::xl::xls {

namespace {

void putCodePoint(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out.push_back(char(c));
    } else if (c < 0x800) {
        out.push_back(char(0xC0 | (c >> 6)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(char(0xE0 | (c >> 12)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else {
        out.push_back(char(0xF0 | (c >> 18)));
        out.push_back(char(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    }
}

constexpr char32_t kReplacement = 0xFFFD;

} // namespace

void appendLatin1(ByteView bytes, std::string& out)
{
    for (size_t i = 0; i < bytes.size; ++i) {
        uint8_t b = bytes.data[i];
        if (b < 0x80) {
            out.push_back(char(b));
        } else {
            out.push_back(char(0xC0 | (b >> 6)));
            out.push_back(char(0x80 | (b & 0x3F)));
        }
    }
}

void Utf16Appender::put(char16_t unit)
{
    if (pendingHigh_) {
        if (unit >= 0xDC00 && unit <= 0xDFFF) {
            putCodePoint(out_, 0x10000 + ((char32_t(pendingHigh_) - 0xD800) << 10) + (unit - 0xDC00));
            pendingHigh_ = 0;
            return;
        }
        putCodePoint(out_, kReplacement);
        pendingHigh_ = 0;
    }
    if (unit >= 0xD800 && unit <= 0xDBFF)
        pendingHigh_ = unit;
    else if (unit >= 0xDC00 && unit <= 0xDFFF)
        putCodePoint(out_, kReplacement);
    else
        putCodePoint(out_, unit);
}

void Utf16Appender::append(const char16_t* units, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        put(units[i]);
}

void Utf16Appender::appendLittleEndian(ByteView bytes)
{
    for (size_t i = 0; i + 1 < bytes.size; i += 2) {
        char16_t unit = bytes.u16(i);
        if (unit < 0x80 && !pendingHigh_)
            out_.push_back(char(unit));
        else
            put(unit);
    }
}

void Utf16Appender::finish()
{
    if (pendingHigh_)
        putCodePoint(out_, kReplacement);
    pendingHigh_ = 0;
}

bool readBiff8Characters(PieceReader& reader, uint32_t count, bool wide, std::string& out)
{
    Utf16Appender appender(out);
    uint32_t got = 0;
    while (got < count) {
        size_t want = size_t(count - got) * (wide ? 2 : 1);
        ByteView part = reader.take(want < reader.leftInPiece() ? want : reader.leftInPiece() & ~size_t(wide));
        if (wide) {
            appender.appendLittleEndian(part);
            got += uint32_t(part.size / 2);
        } else {
            appendLatin1(part, out);
            got += uint32_t(part.size);
        }
        if (got == count)
            break;
        // The characters go on in the next CONTINUE record, which starts
        // with the option byte for its part of the string. A stray odd byte
        // at the end of this piece is dropped.
        uint8_t options;
        if (!reader.nextPiece() || !reader.u8(options)) {
            appender.finish();
            return false;
        }
        wide = (options & 0x01) != 0;
    }
    appender.finish();
    return true;
}

bool readBiff8String(PieceReader& reader, Biff8StringForm form, std::string& out)
{
    out.clear();
    uint32_t count = 0;
    if (form == Biff8StringForm::ShortCount) {
        uint8_t shortCount;
        if (!reader.u8(shortCount))
            return false;
        count = shortCount;
    } else {
        uint16_t longCount;
        if (!reader.u16(longCount))
            return false;
        count = longCount;
    }
    uint8_t options;
    if (!reader.u8(options))
        return false;
    uint16_t runs = 0;
    uint32_t phoneticBytes = 0;
    if (form == Biff8StringForm::SharedString) {
        if ((options & 0x08) && !reader.u16(runs))
            return false;
        if ((options & 0x04) && !reader.u32(phoneticBytes))
            return false;
    }
    if (!readBiff8Characters(reader, count, (options & 0x01) != 0, out))
        return false;
    // Formatting runs (4 bytes each) and phonetic data carry no text.
    return reader.skip(uint64_t(runs) * 4 + phoneticBytes);
}

bool readByteString(PieceReader& reader, bool longCount, CodePage& codePage, std::string& out)
{
    out.clear();
    uint32_t count = 0;
    if (longCount) {
        uint16_t value;
        if (!reader.u16(value))
            return false;
        count = value;
    } else {
        uint8_t value;
        if (!reader.u8(value))
            return false;
        count = value;
    }
    while (count > 0) {
        if (reader.atPieceEnd() && !reader.nextPiece())
            return false;
        ByteView part = reader.take(count);
        codePage.appendUtf8(part, out);
        count -= uint32_t(part.size);
    }
    return true;
}

} // namespace ll::xl::xls
