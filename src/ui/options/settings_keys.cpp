#include "settings_keys.h"

#include <climits>

#include "options/charsets.h"

namespace {

using O = myOptions;

constexpr OptionKey text(const char* name, OptionKey::TextGetter get, OptionKey::TextSetter set)
{
    return {name, get, set};
}

constexpr OptionKey integer(const char* name, OptionKey::Getter get, OptionKey::Setter set, int64_t minimum,
                            int64_t maximum)
{
    return {name, nullptr, nullptr, get, set, minimum, maximum};
}

constexpr OptionKey flag(const char* name, OptionKey::Getter get, OptionKey::Setter set)
{
    return integer(name, get, set, 0, 1);
}

constexpr int64_t kLastOverwriteCode = 4;   // ask
constexpr int64_t kLastFlavour = 6;         // as is
constexpr int64_t kLastDatePattern = 9;
constexpr int64_t kLastSpacesRule = 2;
constexpr int64_t kLastBlockSize = 11;      // 32768 bytes
constexpr int64_t kLastQuoteStyle = 2;
constexpr int64_t kLastLogical = 4;         // the command line's own pair
constexpr int64_t kLastPrecision = 9;       // 8 decimals

const OptionKey kKeys[] = {
    text("outputFile", &O::outputFile, &O::setOutputFile),
    flag("separateFiles", &O::separateFiles, &O::setSeparateFiles),
    integer("overwriteFile", &O::overwriteFile, &O::setOverwriteFile, 0, kLastOverwriteCode),
    integer("overwriteTable", &O::overwriteTable, &O::setOverwriteTable, 0, kLastOverwriteCode),
    flag("fileHeader", &O::fileHeader, &O::setFileHeader),
    flag("fileBody", &O::fileBody, &O::setFileBody),
    text("delimiterRecords", &O::delimiterRecords, &O::setDelimiterRecords),
    text("delimiterFields", &O::delimiterFields, &O::setDelimiterFields),
    integer("typeOfFile", &O::typeOfFile, &O::setTypeOfFile, 0, kLastFlavour),
    flag("typesInFile", &O::typesInFile, &O::setTypesInFile),
    integer("sourceCharset", &O::sourceCharset, &O::setSourceCharset, 0, kCharsetCount - 1),
    integer("targetCharset", &O::targetCharset, &O::setTargetCharset, 0, kCharsetCount - 1),
    integer("dateFormat", &O::dateFormat, &O::setDateFormat, 0, kLastDatePattern),
    flag("textInQuotes", &O::textInQuotes, &O::setTextInQuotes),
    flag("allInQuotes", &O::allInQuotes, &O::setAllInQuotes),
    text("escapeChar", &O::escapeChar, &O::setEscapeChar),
    text("escapeQuote", &O::escapeQuote, &O::setEscapeQuote),
    flag("removeCRLF", &O::removeCRLF, &O::setRemoveCRLF),
    integer("removeSpaces", &O::removeSpaces, &O::setRemoveSpaces, 0, kLastSpacesRule),
    integer("blockSize", &O::blockSize, &O::setBlockSize, 0, kLastBlockSize),
    flag("recallDeleted", &O::recallDeleted, &O::setRecallDeleted),
    flag("numberOfRecord", &O::numberOfRecord, &O::setNumberOfRecord),
    flag("deletionMark", &O::deletionMark, &O::setDeletionMark),
    flag("cData", &O::cData, &O::setCData),
    flag("brackets", &O::brackets, &O::setBrackets),
    flag("backticks", &O::backticks, &O::setBackticks),
    flag("fieldNames", &O::fieldNames, &O::setFieldNames),
    integer("addGo", &O::addGo, &O::setAddGo, 0, INT_MAX),
    flag("dropTable", &O::dropTable, &O::setDropTable),
    integer("quotesType", &O::quotesType, &O::setQuotesType, 0, kLastQuoteStyle),
    integer("logical", &O::logical, &O::setLogical, 0, kLastLogical),
    flag("firstLine", &O::firstLine, &O::setFirstLine),
    flag("secondLine", &O::secondLine, &O::setSecondLine),
    flag("allCharacter", &O::allCharacter, &O::setAllCharacter),
    // A carried index whose pop-up this view does not hold.
    integer("FloatPoint", &O::fp, &O::setFp, 0, INT_MAX),
    integer("precision", &O::precision, &O::setPrecision, 0, kLastPrecision),
};

const OptionKey* key(const char* name)
{
    for (const OptionKey& entry : kKeys)
        if (qstrcmp(entry.name, name) == 0)
            return &entry;
    return nullptr;
}

struct RestoringOrder {
    const OptionKey* keys[std::size(kKeys)];
    RestoringOrder()
    {
        static const char* const kNames[] = {
            "outputFile", "escapeChar", "escapeQuote", "delimiterRecords", "delimiterFields",
            "separateFiles", "overwriteFile", "overwriteTable", "fileHeader", "fileBody", "typesInFile",
            "typeOfFile", "sourceCharset", "targetCharset", "dateFormat", "textInQuotes", "allInQuotes",
            "removeCRLF", "removeSpaces", "blockSize", "recallDeleted", "numberOfRecord", "deletionMark",
            "cData", "brackets", "backticks", "fieldNames", "addGo", "dropTable", "quotesType", "logical",
            "firstLine", "secondLine", "allCharacter", "FloatPoint", "precision",
        };
        static_assert(std::size(kNames) == std::size(kKeys));
        for (size_t i = 0; i < std::size(kNames); ++i)
            keys[i] = key(kNames[i]);
    }
};

} // namespace

std::span<const OptionKey> optionKeysInSavingOrder()
{
    return kKeys;
}

std::span<const OptionKey* const> optionKeysInRestoringOrder()
{
    static const RestoringOrder order;
    return order.keys;
}
