#include "codec_icu.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>

#include <atomic>
#include <vector>

#include "codec_single_byte.h"
#include "codec_utf.h"
#include "codec_whole_text.h"

namespace ll::text {
namespace {

struct ConverterCloser {
    void operator()(UConverter* cnv) const { ucnv_close(cnv); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

// ICU's own substitution drops "default ignorable" characters (soft
// hyphen, variation selectors, ...) that a page lacks; we write a question
// mark for every character a page lacks, as the table codecs do.
void substituteEveryCharacter(const void*, UConverterFromUnicodeArgs* args, const UChar*, int32_t, UChar32,
                              UConverterCallbackReason reason, UErrorCode* status)
{
    if (reason == UCNV_UNASSIGNED || reason == UCNV_ILLEGAL || reason == UCNV_IRREGULAR) {
        *status = U_ZERO_ERROR;
        ucnv_cbFromUWriteSub(args, 0, status);
    }
}

// A converter that stops at invalid input when decoding and writes the
// page's question mark for what it cannot encode.
ConverterPtr openConverter(const char* name)
{
    UErrorCode status = U_ZERO_ERROR;
    ConverterPtr cnv(ucnv_open(name, &status));
    if (U_FAILURE(status))
        return nullptr;
    ucnv_setToUCallBack(cnv.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    ucnv_setFromUCallBack(cnv.get(), substituteEveryCharacter, nullptr, nullptr, nullptr, &status);
    static const UChar question[] = {u'?'};
    ucnv_setSubstString(cnv.get(), question, 1, &status);
    return U_SUCCESS(status) ? std::move(cnv) : nullptr;
}

SingleByteSource singleByteSource(UConverter* cnv)
{
    SingleByteSource source;
    source.decodeByte = [cnv](uint8_t byte, std::string& utf8) {
        ucnv_resetToUnicode(cnv);
        const char in = char(byte);
        const char* from = &in;
        UChar units[8];
        UChar* target = units;
        UErrorCode status = U_ZERO_ERROR;
        ucnv_toUnicode(cnv, &target, units + 8, &from, &in + 1, nullptr, true, &status);
        if (U_FAILURE(status))
            return false;
        return appendUtf16AsUtf8(std::u16string_view(reinterpret_cast<char16_t*>(units), size_t(target - units)), utf8);
    };
    source.encodeChar = [cnv](char32_t c) {
        ucnv_resetFromUnicode(cnv);
        UErrorCode status = U_ZERO_ERROR;
        ucnv_setFromUCallBack(cnv, UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
        UChar units[2];
        int32_t count = 0;
        U16_APPEND_UNSAFE(units, count, UChar32(c));
        const UChar* from = units;
        char bytes[8];
        char* target = bytes;
        ucnv_fromUnicode(cnv, &target, bytes + 8, &from, units + count, nullptr, true, &status);
        return (U_SUCCESS(status) && target == bytes + 1) ? int(static_cast<unsigned char>(bytes[0])) : -1;
    };
    return source;
}

// One converter per thread and codec: the codecs live for the process,
// so each gets a slot number for the per-thread list.
std::atomic<size_t> nextSlot{0};

struct ThreadConverters {
    std::vector<ConverterPtr> bySlot;
};

class IcuCodec final : public WholeTextCodec {
public:
    IcuCodec(CharsetCode code, std::string name, UConverterType type)
        : WholeTextCodec(code), name_(std::move(name)), slot_(nextSlot++)
    {
        if (type == UCNV_HZ)
            quirk_ = ShiftQuirk::Hz;
    }

    CodecBackend backend() const override { return CodecBackend::Icu; }
    bool singleByte() const override { return false; }
    std::string_view converterName() const override { return name_; }

    void encode(std::string_view utf8, std::string& out) const override
    {
        UConverter* cnv = converter();
        thread_local std::u16string units;
        utf8ToUtf16Replacing(utf8, units);
        if (!cnv) {
            out.append(units.size(), kSubstitute);
            return;
        }
        ucnv_resetFromUnicode(cnv);
        size_t start = out.size();
        size_t written = 0;
        const UChar* source = reinterpret_cast<const UChar*>(units.data());
        const UChar* sourceEnd = source + units.size();
        size_t room = size_t(UCNV_GET_MAX_BYTES_FOR_STRING(units.size(), ucnv_getMaxCharSize(cnv)));
        for (;;) {
            out.resize(start + room);
            char* target = out.data() + start + written;
            UErrorCode status = U_ZERO_ERROR;
            ucnv_fromUnicode(cnv, &target, out.data() + out.size(), &source, sourceEnd, nullptr, true, &status);
            written = size_t(target - (out.data() + start));
            if (status != U_BUFFER_OVERFLOW_ERROR)
                break;
            room *= 2;
        }
        out.resize(start + written);
        if (quirk_ == ShiftQuirk::Hz)
            tidyHz(out, start);
    }

    bool decode(std::string_view bytes, std::string& out) const override
    {
        UConverter* cnv = converter();
        if (!cnv)
            return false;
        ucnv_resetToUnicode(cnv);
        thread_local std::u16string units;
        units.resize(bytes.size() + 16);
        size_t produced = 0;
        const char* source = bytes.data();
        const char* sourceEnd = source + bytes.size();
        UErrorCode status;
        for (;;) {
            UChar* begin = reinterpret_cast<UChar*>(units.data());
            UChar* target = begin + produced;
            status = U_ZERO_ERROR;
            ucnv_toUnicode(cnv, &target, begin + units.size(), &source, sourceEnd, nullptr, true, &status);
            produced = size_t(target - begin);
            if (status != U_BUFFER_OVERFLOW_ERROR)
                break;
            units.resize(units.size() * 2);
        }
        return U_SUCCESS(status) && appendUtf16AsUtf8(std::u16string_view(units.data(), produced), out);
    }

private:
    UConverter* converter() const
    {
        thread_local ThreadConverters mine;
        if (slot_ >= mine.bySlot.size())
            mine.bySlot.resize(slot_ + 1);
        ConverterPtr& cnv = mine.bySlot[slot_];
        if (!cnv)
            cnv = openConverter(name_.c_str());
        return cnv.get();
    }

    std::string name_;
    size_t slot_;
    ShiftQuirk quirk_ = ShiftQuirk::None;
};

} // namespace

std::unique_ptr<Codec> makeIcuCodec(CharsetCode code, const char* name)
{
    ConverterPtr probe = openConverter(name);
    if (!probe)
        return nullptr;
    if (ucnv_getMaxCharSize(probe.get()) == 1 && ucnv_getType(probe.get()) != UCNV_ISO_2022)
        return std::make_unique<SingleByteCodec>(code, CodecBackend::Icu, name, singleByteSource(probe.get()));
    return std::make_unique<IcuCodec>(code, name, ucnv_getType(probe.get()));
}

} // namespace ll::text
