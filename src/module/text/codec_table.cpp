#include "codec_table.h"

// The converter behind each character-set code.
//
// Preference: an ICU converter; glibc iconv where ICU has none or where
// ICU's table departs from the page's published mapping in a way that
// matters; our own code only for forms that are small and fully specified
// (UTF-8 as a checked copy, UTF-16/UTF-32, non-lossy ASCII, 256-entry
// tables of single-byte pages); else the ASCII fallback (codec_fallback.h).
// Single-byte pages of any source are read once into tables
// (codec_single_byte.h).
//
// Why iconv rather than ICU for some pages:
// - DOS pages (437, 737, 775, 850-869): ICU's IBM tables rotate the
//   controls 0x1A, 0x1C and 0x7F; in a DBF file 0x1A ends the data.
// - 932 and the ICU Shift JIS tables carry the same rotation.
// - EUC-JP, ISO-2022-JP, EUC-CN, Big 5, Big 5 HKSCS, ISO-2022-KR: glibc's
//   tables match the published ones (and Python's) far more closely than
//   ICU's IBM variants; ICU's ISO-2022-KR cannot even write a backslash.
//
// Choices where converters disagree (tests/module/text/data/
// make_codec_vectors.py lists each point; codec_test.cpp pins them down):
// - "Unicode (UTF-16)" / "Unicode (UTF-32)" write a byte-order mark and
//   little-endian units, as the classic platform did on its machines;
//   decoding honours either mark, unmarked text is little-endian, an empty
//   text stays empty. The LE/BE entries never write a mark.
// - Windows pages (ICU): the bytes a page leaves unassigned read and write
//   as the C1 control of the same number, as Windows does.
// - 932: ASCII in the low half; for characters in both the NEC-selected
//   and the IBM extension rows, the IBM rows (FA-FC), as Windows writes.
// - Shift JIS and Shift JIS X0213 (glibc): 0x5C and 0x7E read as YEN SIGN
//   and OVERLINE (JIS X 0201 Roman); '\' and '~' still write as 5C/7E.
// - Mac Roman: the logo character U+F8FF is 0xF0, the euro 0xDB.
// - GB 18030: the 2005 table (U+1E3F is A8BC).
// - HZ and ISO-2022-KR: no shift or designation sequence unless Chinese or
//   Korean follows; the designation sits at the start of the text.
// - Non-lossy ASCII: \uXXXX for everything above U+007F, a doubled
//   backslash for the backslash (codec_nonlossy.h).
//
// Our own tables (charset_tables.cpp, generated from Perl's Encode, which
// carries the vendor's published mappings): NextStep, Symbol, Dingbats and
// the Mac Farsi, Romanian, Icelandic (glibc's MAC-IS is another table),
// Croatian and Arabic pages. In Farsi and Arabic, ASCII punctuation exists
// twice (one per writing direction); both bytes read as the ASCII
// character, which writes as the low byte.
//
// No converter on this platform, so the ASCII fallback: Big 5-E, Mac Mail,
// and the Mac script pages Inuit, Keyboard Symbols, Gaelic, Celtic,
// Tibetan, Simplified Chinese, Thai, Gujarati, Gurmukhi, Devanagari,
// Hebrew, Korean, Traditional Chinese and Japanese.

namespace ll::text {
namespace {

constexpr CharsetCode cf(uint32_t value)
{
    return CharsetCode(0x80000000u + value);
}

constexpr CodecBackend kIcu = CodecBackend::Icu;
constexpr CodecBackend kIconv = CodecBackend::Iconv;
constexpr CodecBackend kOwn = CodecBackend::Own;
constexpr CodecBackend kNone = CodecBackend::AsciiFallback;

constexpr CodecSpec kSpecs[] = {
    {1, kIcu, "US-ASCII"},                         // Western (ASCII)
    {2, kOwn, "nextstep"},                        // Western (NextStep)
    {3, kIconv, "EUC-JP"},                      // Japanese (EUC)
    {4, kOwn, "UTF-8"},                            // Unicode (UTF-8)
    {5, kIcu, "ISO-8859-1"},                       // Western (ISO Latin 1)
    {6, kOwn, "MacSymbol"},                       // Symbol (Mac OS)
    {7, kOwn, "non-lossy-ASCII"},                  // Non-lossy ASCII
    {8, kIconv, "CP932"},                // Japanese (Windows, DOS)
    {9, kIcu, "ISO-8859-2"},                       // Central European (ISO Latin 2)
    {10, kOwn, "UTF-16"},                          // Unicode (UTF-16)
    {11, kIcu, "windows-1251"},                    // Cyrillic (Windows)
    {12, kIcu, "windows-1252"},                    // Western (Windows Latin 1)
    {13, kIcu, "windows-1253"},                    // Greek (Windows)
    {14, kIcu, "windows-1254"},                    // Turkish (Windows Latin 5)
    {15, kIcu, "windows-1250"},                    // Central European (Windows Latin 2)
    {21, kIconv, "ISO-2022-JP"},                     // Japanese (ISO 2022-JP)
    {30, kIcu, "macos-0_2-10.2"},                  // Western (Mac OS Roman)
    {CharsetCode(0x9C000100u), kOwn, "UTF-32LE"},  // Unicode (UTF-32LE)
    {CharsetCode(0x98000100u), kOwn, "UTF-32BE"},  // Unicode (UTF-32BE)
    {CharsetCode(0x94000100u), kOwn, "UTF-16LE"},  // Unicode (UTF-16LE)
    {CharsetCode(0x90000100u), kOwn, "UTF-16BE"},  // Unicode (UTF-16BE)
    {CharsetCode(0x8C000100u), kOwn, "UTF-32"},    // Unicode (UTF-32)
    {cf(0x0C02), kIcu, "ibm-37_P100-1995"},        // Western (EBCDIC Latin 1)
    {cf(0x0A09), kNone, nullptr},                  // Traditional Chinese (Big 5-E)
    {cf(0x0A08), kIcu, "ibm-1168_P100-2002"},      // Ukrainian (KOI8-U)
    {cf(0x0A06), kIconv, "BIG5-HKSCS"},      // Traditional Chinese (Big 5 HKSCS)
    {cf(0x0A05), kIcu, "HZ"},                      // Simplified Chinese (HZ GB 2312)
    {cf(0x0A04), kNone, nullptr},                  // Western (Mac Mail)
    {cf(0x0A03), kIconv, "BIG5"},        // Traditional Chinese (Big 5)
    {cf(0x0A02), kIcu, "ibm-878_P100-1996"},       // Cyrillic (KOI8-R)
    {cf(0x0A01), kIconv, "SJIS"},       // Japanese (Shift JIS)
    {cf(0x0940), kIcu, "ibm-970_P110_P110-2006_U2"},  // Korean (EUC)
    {cf(0x0931), kIcu, "euc-tw-2014"},             // Traditional Chinese (EUC)
    {cf(0x0930), kIconv, "EUC-CN"},      // Simplified Chinese (EUC)
    {cf(0x0840), kIconv, "ISO-2022-KR"},             // Korean (ISO 2022-KR)
    {cf(0x0632), kIcu, "gb18030"},                 // Chinese (GB 18030)
    {cf(0x0631), kIcu, "windows-936-2000"},        // Chinese (GBK)
    {cf(0x0628), kIconv, "SHIFT_JISX0213"},        // Japanese (Shift JIS X0213)
    {cf(0x0508), kIcu, "ibm-5354_P100-1998"},      // Vietnamese (Windows)
    {cf(0x0507), kIcu, "windows-1257"},            // Baltic Rim (Windows)
    {cf(0x0506), kIcu, "windows-1256"},            // Arabic (Windows)
    {cf(0x0505), kIcu, "windows-1255"},            // Hebrew (Windows)
    {cf(0x0423), kIcu, "windows-950-2000"},        // Traditional Chinese (Windows
    {cf(0x0422), kIcu, "windows-949-2000"},        // Korean (Windows
    {cf(0x0421), kIcu, "windows-936-2000"},        // Simplified Chinese (Windows
    {cf(0x041D), kIcu, "windows-874-2000"},        // Thai (Windows
    {cf(0x041C), kIconv, "CP869"},       // Greek (DOS Greek 2)
    {cf(0x041B), kIconv, "CP866"},       // Cyrillic (DOS): DOS Russian
    {cf(0x041A), kIconv, "CP865"},       // Nordic (DOS)
    {cf(0x0419), kIconv, "CP864"},       // Arabic (DOS)
    {cf(0x0418), kIconv, "CP863"},       // Canadian French (DOS)
    {cf(0x0417), kIconv, "CP862"},       // Hebrew (DOS)
    {cf(0x0416), kIconv, "CP861"},       // Icelandic (DOS)
    {cf(0x0415), kIconv, "CP860"},       // Portuguese (DOS)
    {cf(0x0414), kIconv, "CP857"},       // Turkish (DOS)
    {cf(0x0413), kIconv, "CP855"},       // Cyrillic (DOS): DOS Cyrillic
    {cf(0x0412), kIconv, "CP852"},       // Central European (DOS Latin 2)
    {cf(0x0411), kIconv, "CP851"},       // Greek (DOS Greek 1)
    {cf(0x0410), kIconv, "CP850"},       // Western (DOS Latin 1)
    {cf(0x0406), kIconv, "CP775"},       // Baltic Rim (DOS)
    {cf(0x0405), kIconv, "CP737"},       // Greek (DOS)
    {cf(0x0400), kIconv, "CP437"},       // Latin-US (DOS)
    {cf(0x0210), kIconv, "ISO-8859-16"},           // Romanian (ISO Latin 10)
    {cf(0x020F), kIcu, "ISO-8859-15"},             // Western (ISO Latin 9)
    {cf(0x020E), kIcu, "ISO-8859-14"},             // Celtic (ISO Latin 8)
    {cf(0x020D), kIcu, "ISO-8859-13"},             // Baltic Rim (ISO Latin 7)
    {cf(0x020B), kIcu, "ISO-8859-11"},             // Thai (ISO 8859-11)
    {cf(0x020A), kIcu, "ISO-8859-10"},             // Nordic (ISO Latin 6)
    {cf(0x0209), kIcu, "ISO-8859-9"},              // Turkish (ISO Latin 5)
    {cf(0x0208), kIcu, "ISO-8859-8"},              // Hebrew (ISO 8859-8)
    {cf(0x0207), kIcu, "ISO-8859-7"},              // Greek (ISO 8859-7)
    {cf(0x0206), kIcu, "ISO-8859-6"},              // Arabic (ISO 8859-6)
    {cf(0x0205), kIcu, "ISO-8859-5"},              // Cyrillic (ISO 8859-5)
    {cf(0x0204), kIcu, "ISO-8859-4"},              // Central European (ISO Latin 4)
    {cf(0x0203), kIcu, "ISO-8859-3"},              // Western (ISO Latin 3)
    {cf(0x00EC), kNone, nullptr},                  // Inuit (Mac OS)
    {cf(0x0098), kIconv, "MAC-UK"},                // Cyrillic (Mac OS Ukrainian)
    {cf(0x008C), kOwn, "MacFarsi"},                // Farsi (Mac OS)
    {cf(0x0029), kNone, nullptr},                  // Keyboard Symbols (Mac OS)
    {cf(0x0028), kNone, nullptr},                  // Gaelic (Mac OS)
    {cf(0x0027), kNone, nullptr},                  // Celtic (Mac OS)
    {cf(0x0026), kOwn, "MacRomanian"},             // Romanian (Mac OS)
    {cf(0x0025), kOwn, "MacIcelandic"},            // Icelandic (Mac OS)
    {cf(0x0024), kOwn, "MacCroatian"},             // Croatian (Mac OS)
    {cf(0x0023), kIcu, "macos-35-10.2"},           // Turkish (Mac OS)
    {cf(0x0022), kOwn, "MacDingbats"},             // Dingbats (Mac OS)
    {cf(0x001D), kIcu, "macos-29-10.2"},           // Central European (Mac OS)
    {cf(0x001A), kNone, nullptr},                  // Tibetan (Mac OS)
    {cf(0x0019), kNone, nullptr},                  // Simplified Chinese (Mac OS)
    {cf(0x0015), kNone, nullptr},                  // Thai (Mac OS)
    {cf(0x000B), kNone, nullptr},                  // Gujarati (Mac OS)
    {cf(0x000A), kNone, nullptr},                  // Gurmukhi (Mac OS)
    {cf(0x0009), kNone, nullptr},                  // Devanagari (Mac OS)
    {cf(0x0007), kIcu, "macos-7_3-10.2"},          // Cyrillic (Mac OS)
    {cf(0x0006), kIcu, "macos-6_2-10.4"},          // Greek (Mac OS)
    {cf(0x0005), kNone, nullptr},                  // Hebrew (Mac OS)
    {cf(0x0004), kOwn, "MacArabic"},               // Arabic (Mac OS)
    {cf(0x0003), kNone, nullptr},                  // Korean (Mac OS)
    {cf(0x0002), kNone, nullptr},                  // Traditional Chinese (Mac OS)
    {cf(0x0001), kNone, nullptr},                  // Japanese (Mac OS)
};
static_assert(std::size(kSpecs) == 100);

} // namespace

std::span<const CodecSpec> codecSpecs()
{
    return kSpecs;
}

const CodecSpec* findCodecSpec(CharsetCode code)
{
    for (const CodecSpec& spec : kSpecs)
        if (spec.code == code)
            return &spec;
    return nullptr;
}

} // namespace ll::text
