#include "sheet_part.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "cell_values.h"
#include "date_styles.h"
#include "limits.h"
#include "module/xl/book.h"
#include "shared_strings.h"
#include "string_store.h"
#include "xml_reader.h"

namespace ll::xl::xlsx {

namespace {

// The cell types of the t attribute.
enum class ValueKind : uint8_t { Number, Shared, FormulaText, Inline, Boolean, Error, Date };

ValueKind valueKindOf(const char* t)
{
    switch (t[0]) {
    case 's':
        return t[1] == '\0' ? ValueKind::Shared : std::strcmp(t, "str") == 0 ? ValueKind::FormulaText : ValueKind::Number;
    case 'i':
        return std::strcmp(t, "inlineStr") == 0 ? ValueKind::Inline : ValueKind::Number;
    case 'b':
        return t[1] == '\0' ? ValueKind::Boolean : ValueKind::Number;
    case 'e':
        return t[1] == '\0' ? ValueKind::Error : ValueKind::Number;
    case 'd':
        return t[1] == '\0' ? ValueKind::Date : ValueKind::Number;
    default:
        return ValueKind::Number; // "n", and kinds we do not know read as numbers
    }
}

// The attribute's local name, fast for the usual unprefixed one-letter names.
std::string_view attributeName(const char* name)
{
    if (name[0] && !name[1])
        return {name, 1};
    return localName(name);
}

class SheetHandler final : public XmlHandler {
public:
    SheetHandler(const SheetContext& context, uint64_t partSize, Sheet& sheet)
        : context_(context), partSize_(partSize), sheet_(sheet) {}

    void startElement(std::string_view name, const char** attributes) override
    {
        if (!inSheetData_) {
            if (name == "dimension")
                readDimension(findAttribute(attributes, "ref"));
            else if (name == "sheetData")
                startSheetData();
            return;
        }
        switch (name.size()) {
        case 1:
            if (name[0] == 'c')
                startCell(attributes);
            else if (name[0] == 'v' && inCell_ && kind_ != ValueKind::Inline)
                startText(hasValue_);
            else if (name[0] == 't' && inInline_ && phoneticDepth_ == 0)
                collectText(true);
            break;
        case 2:
            if (name == "is" && inCell_ && kind_ == ValueKind::Inline) {
                if (!hasInline_)
                    text_.clear();
                hasInline_ = inInline_ = true; // the text comes in its <t> runs
            }
            break;
        case 3:
            if (name == "row")
                startRow(attributes);
            else if (name == "rPh")
                ++phoneticDepth_;
            break;
        default:
            break;
        }
    }

    void endElement(std::string_view name) override
    {
        if (!inSheetData_)
            return;
        switch (name.size()) {
        case 1:
            if (name[0] == 'c' && inCell_)
                finishCell();
            else if (name[0] == 'v' || name[0] == 't')
                collectText(false);
            break;
        case 2:
            if (name == "is")
                inInline_ = false;
            break;
        case 3:
            if (name == "rPh" && phoneticDepth_ > 0)
                --phoneticDepth_;
            break;
        case 9:
            if (name == "sheetData")
                inSheetData_ = false;
            break;
        default:
            break;
        }
    }

    void text(const char* data, size_t length) override
    {
        if (text_.size() + length > kMaxTextBytes) {
            fail({LoadErrorKind::TooLarge, "a cell text longer than " + std::to_string(kMaxTextBytes) + " bytes"});
            return;
        }
        text_.append(data, length);
    }

private:
    // The extent the file claims ("A1:J1000000"), used only to reserve room.
    void readDimension(const char* reference)
    {
        std::string_view text = reference ? reference : "";
        size_t colon = text.find(':');
        uint32_t firstRow = 0, firstCol = 0, lastRow = 0, lastCol = 0;
        if (colon == std::string_view::npos || !parseCellReference(text.substr(0, colon), firstRow, firstCol) ||
            !parseCellReference(text.substr(colon + 1), lastRow, lastCol) || lastRow < firstRow || lastCol < firstCol)
            return;
        claimedCells_ = (uint64_t(lastRow - firstRow) + 1) * (uint64_t(lastCol - firstCol) + 1);
    }

    void startSheetData()
    {
        inSheetData_ = true;
        uint64_t room =
            std::min({claimedCells_, partSize_ / kMinCellBytes, *context_.cellBudget, kMaxReservedCells});
        if (room > 0)
            sheet_.reserve(size_t(room));
        claimedCells_ = 0; // a second <sheetData> reserves nothing more
    }

    void startRow(const char** attributes)
    {
        uint32_t row = 0;
        const char* r = findAttribute(attributes, "r");
        if (r && parseRowNumber(r, row))
            rowNumber_ = uint64_t(row) + 1;
        else
            ++rowNumber_;
        columnNumber_ = 0;
    }

    void startCell(const char** attributes)
    {
        const char* reference = nullptr;
        const char* style = nullptr;
        kind_ = ValueKind::Number;
        for (const char** a = attributes; a[0]; a += 2) {
            std::string_view attribute = attributeName(a[0]);
            if (attribute.size() != 1)
                continue;
            if (attribute[0] == 'r')
                reference = a[1];
            else if (attribute[0] == 's')
                style = a[1];
            else if (attribute[0] == 't')
                kind_ = valueKindOf(a[1]);
        }
        uint32_t row = 0, col = 0;
        if (reference && parseCellReference(reference, row, col)) {
            columnNumber_ = uint64_t(col) + 1;
        } else {
            // No (usable) reference: the next column of the current row.
            ++columnNumber_;
            row = rowNumber_ >= 1 && rowNumber_ <= UINT32_MAX ? uint32_t(rowNumber_ - 1) : UINT32_MAX;
            col = columnNumber_ <= UINT32_MAX ? uint32_t(columnNumber_ - 1) : UINT32_MAX;
        }
        uint64_t xf = 0;
        if (!style || !parseIndex(style, xf))
            xf = 0;
        row_ = row;
        col_ = col;
        xf_ = uint32_t(std::min<uint64_t>(xf, 0x0FFFFFFF));
        inCell_ = true;
        hasValue_ = hasInline_ = inInline_ = false;
        phoneticDepth_ = 0;
    }

    // Starts collecting a value's text; flag records that the cell has one.
    void startText(bool& flag)
    {
        flag = true;
        text_.clear();
        collectText(true);
    }

    void finishCell()
    {
        inCell_ = false;
        if (row_ >= kMaxRows || col_ >= kMaxCols)
            return; // past the grid: the model would refuse it anyway
        if (*context_.cellBudget == 0) {
            fail({LoadErrorKind::TooLarge, "more than " + std::to_string(kMaxCells) + " cells"});
            return;
        }
        if (store())
            --*context_.cellBudget;
    }

    // Puts the finished cell into the sheet; false when it is dropped.
    bool store()
    {
        bool hasText = kind_ == ValueKind::Inline ? hasInline_ : hasValue_;
        // A cached empty text result is a text; any other empty value is a
        // cell with a style but no value.
        if (!hasText || (text_.empty() && kind_ != ValueKind::FormulaText && kind_ != ValueKind::Inline))
            return sheet_.setBlank(row_, col_, xf_);

        switch (kind_) {
        case ValueKind::Number: {
            double value = 0;
            return parseNumber(text_, value) && sheet_.setNumber(row_, col_, xf_, value);
        }
        case ValueKind::Shared: {
            uint64_t index = 0;
            const SharedStrings& table = context_.sharedStrings;
            if (context_.sharedStringsLater)
                return parseIndex(text_, index) && index < kOwnTextMark &&
                       sheet_.setString(row_, col_, xf_, uint32_t(index));
            if (!parseIndex(text_, index) || index >= table.count)
                return false;
            return sheet_.setString(row_, col_, xf_, table.first + uint32_t(index));
        }
        case ValueKind::FormulaText:
        case ValueKind::Inline:
            return storeText();
        case ValueKind::Boolean: {
            double value = 0;
            if (parseNumber(text_, value))
                return sheet_.setBoolean(row_, col_, xf_, value != 0);
            if (text_ == "true" || text_ == "false")
                return sheet_.setBoolean(row_, col_, xf_, text_ == "true");
            return false;
        }
        case ValueKind::Error:
            return sheet_.setError(row_, col_, xf_, errorCode(text_));
        case ValueKind::Date: {
            double serial = 0;
            if (isoDateToSerial(text_, context_.date1904, serial))
                return sheet_.setNumber(row_, col_, context_.dateStyles.dateStyleFor(xf_), serial);
            return storeText(); // not a date after all: keep what the file says
        }
        }
        return false;
    }

    bool storeText()
    {
        std::string_view text = text_;
        if (hasEscapes(text)) {
            decoded_.clear();
            decodeEscapes(text, decoded_);
            text = decoded_;
        }
        uint32_t index = 0;
        if (!context_.strings.add(text, index)) {
            fail({LoadErrorKind::TooLarge, "more than " + std::to_string(kMaxStrings) + " strings"});
            return false;
        }
        if (context_.sharedStringsLater)
            index |= kOwnTextMark;
        return sheet_.setString(row_, col_, xf_, index);
    }

    const SheetContext& context_;
    uint64_t partSize_;
    Sheet& sheet_;
    uint64_t claimedCells_ = 0;
    bool inSheetData_ = false;
    uint64_t rowNumber_ = 0;    // 1-based, 0 before the first row
    uint64_t columnNumber_ = 0; // 1-based column of the previous cell in the row

    // The cell being read.
    bool inCell_ = false;
    uint32_t row_ = 0, col_ = 0, xf_ = 0;
    ValueKind kind_ = ValueKind::Number;
    bool hasValue_ = false;  // saw <v>
    bool hasInline_ = false; // saw <is>
    bool inInline_ = false;
    int phoneticDepth_ = 0;
    std::string text_;
    std::string decoded_;
};

} // namespace

LoadError readSheetPart(ChunkSource& source, std::string_view partName, uint64_t partSize,
                        const SheetContext& context, Sheet& sheet)
{
    SheetHandler handler(context, partSize, sheet);
    LoadError error = parseXml(source, handler, partName);
    sheet.finish();
    return error;
}

} // namespace ll::xl::xlsx
