#include "codec_iconv.h"

#include <iconv.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <utility>
#include <vector>

#include "codec_single_byte.h"
#include "codec_utf.h"
#include "codec_whole_text.h"
#include "utf8.h"

namespace ll::text {
namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(intptr_t(-1));
constexpr size_t kIconvError = size_t(-1);

// An owned iconv descriptor.
class Descriptor {
public:
    Descriptor() = default;
    Descriptor(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    Descriptor(Descriptor&& other) noexcept : cd_(std::exchange(other.cd_, kNoConverter)) {}
    Descriptor& operator=(Descriptor&& other) noexcept
    {
        std::swap(cd_, other.cd_);
        return *this;
    }
    ~Descriptor()
    {
        if (cd_ != kNoConverter)
            iconv_close(cd_);
    }
    bool valid() const { return cd_ != kNoConverter; }
    iconv_t get() const { return cd_; }
    void reset() const { iconv(cd_, nullptr, nullptr, nullptr, nullptr); }

private:
    iconv_t cd_ = kNoConverter;
};

// Runs one iconv step into out from offset `written`, growing out when it
// runs short. With in == nullptr, writes the sequence that ends the shift
// state. Returns false on input the converter rejects (errno tells why).
bool convert(const Descriptor& cd, const char** in, size_t* inLeft, std::string& out, size_t& written)
{
    for (;;) {
        if (out.size() - written < 16)
            out.resize(written + std::max<size_t>(64, out.size()));
        char* target = out.data() + written;
        size_t targetLeft = out.size() - written;
        size_t result = in ? iconv(cd.get(), const_cast<char**>(in), inLeft, &target, &targetLeft)
                           : iconv(cd.get(), nullptr, nullptr, &target, &targetLeft);
        written = size_t(target - out.data());
        if (result != kIconvError)
            return true;
        if (errno != E2BIG)
            return false;
        out.resize(out.size() * 2);
    }
}

SingleByteSource singleByteSource(const Descriptor& toPage, const Descriptor& fromPage)
{
    SingleByteSource source;
    source.decodeByte = [&fromPage](uint8_t byte, std::string& utf8) {
        fromPage.reset();
        const char in = char(byte);
        const char* p = &in;
        size_t left = 1;
        size_t written = 0;
        std::string out;
        if (!convert(fromPage, &p, &left, out, written) || left != 0 || !convert(fromPage, nullptr, nullptr, out, written))
            return false;
        utf8.append(out.data(), written);
        return true;
    };
    source.encodeChar = [&toPage](char32_t c) {
        toPage.reset();
        std::string in;
        appendUtf8(c, in);
        const char* p = in.data();
        size_t left = in.size();
        size_t written = 0;
        std::string out;
        if (!convert(toPage, &p, &left, out, written) || left != 0 || !convert(toPage, nullptr, nullptr, out, written))
            return -1;
        return written == 1 ? int(static_cast<unsigned char>(out[0])) : -1;
    };
    return source;
}

std::atomic<size_t> nextSlot{0};

struct Descriptors {
    Descriptor toPage;
    Descriptor fromPage;
};

class IconvCodec final : public WholeTextCodec {
public:
    IconvCodec(CharsetCode code, std::string name)
        : WholeTextCodec(code), name_(std::move(name)), slot_(nextSlot++),
          quirk_(name_ == "ISO-2022-KR" ? ShiftQuirk::Iso2022Kr : ShiftQuirk::None)
    {
    }

    CodecBackend backend() const override { return CodecBackend::Iconv; }
    bool singleByte() const override { return false; }
    std::string_view converterName() const override { return name_; }

    void encode(std::string_view utf8, std::string& out) const override
    {
        thread_local std::string cleaned;
        std::string_view text = utf8Replacing(utf8, cleaned);
        const Descriptors* cds = descriptors();
        if (!cds) {
            out.append(text.size(), kSubstitute);
            return;
        }
        const Descriptor& cd = cds->toPage;
        cd.reset();
        const size_t start = out.size();
        size_t written = start;
        out.resize(written + text.size() + 16);
        const char* in = text.data();
        size_t inLeft = text.size();
        while (inLeft > 0) {
            if (convert(cd, &in, &inLeft, out, written))
                continue;
            // A character the page lacks: skip it and write the page's
            // question mark through the converter, which keeps the shift
            // state right.
            const char* next = in;
            decodeOne(next, in + inLeft);
            inLeft -= size_t(next - in);
            in = next;
            const char* question = "?";
            size_t questionLeft = 1;
            if (!convert(cd, &question, &questionLeft, out, written))
                break;
        }
        convert(cd, nullptr, nullptr, out, written);
        out.resize(written);
        if (quirk_ == ShiftQuirk::Iso2022Kr)
            dropIdleIso2022KrHeader(out, start);
    }

    bool decode(std::string_view bytes, std::string& out) const override
    {
        const Descriptors* cds = descriptors();
        if (!cds)
            return false;
        const Descriptor& cd = cds->fromPage;
        cd.reset();
        size_t written = out.size();
        out.resize(written + bytes.size() * 2 + 16);
        const char* in = bytes.data();
        size_t inLeft = bytes.size();
        bool ok = convert(cd, &in, &inLeft, out, written) && inLeft == 0 && convert(cd, nullptr, nullptr, out, written);
        out.resize(written);
        return ok;
    }

private:
    const Descriptors* descriptors() const
    {
        thread_local std::vector<Descriptors> mine;
        if (slot_ >= mine.size())
            mine.resize(slot_ + 1);
        Descriptors& cds = mine[slot_];
        if (!cds.toPage.valid())
            cds = Descriptors{Descriptor(name_.c_str(), "UTF-8"), Descriptor("UTF-8", name_.c_str())};
        return cds.toPage.valid() && cds.fromPage.valid() ? &cds : nullptr;
    }

    std::string name_;
    size_t slot_;
    ShiftQuirk quirk_;
};

// A page is single-byte when no byte on its own reads as the start of a
// longer sequence (iconv says EINVAL, "incomplete", for a lead byte or an
// escape).
bool isSingleBytePage(const Descriptor& fromPage)
{
    std::string out;
    for (int b = 0; b < 256; ++b) {
        fromPage.reset();
        const char in = char(b);
        const char* p = &in;
        size_t left = 1;
        size_t written = 0;
        if (!convert(fromPage, &p, &left, out, written) && errno == EINVAL)
            return false;
    }
    return true;
}

} // namespace

std::unique_ptr<Codec> makeIconvCodec(CharsetCode code, const char* name)
{
    Descriptor toPage(name, "UTF-8");
    Descriptor fromPage("UTF-8", name);
    if (!toPage.valid() || !fromPage.valid())
        return nullptr;
    if (isSingleBytePage(fromPage))
        return std::make_unique<SingleByteCodec>(code, CodecBackend::Iconv, name, singleByteSource(toPage, fromPage));
    return std::make_unique<IconvCodec>(code, name);
}

} // namespace ll::text
