#pragma once
// Field names fitted to a flavour: ASCII letters, digits and '_' only, upper
// case, starting with a letter, at most 10 characters (31 in dBase 7), and
// unique within the table. A clash gets a suffix "_1", "_2", ... with the
// name shortened to keep within the length (NAME, NAME_1; ABCDEFGHIJ,
// ABCDEFGH_1). A name with nothing left after cleaning becomes FLD_nnnn
// after its field's position; one that starts with a digit or '_' gets an
// "F" in front.

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace ll::dbf {

class FieldNameFitter {
public:
    explicit FieldNameFitter(size_t maxLength = 10) : maxLength_(maxLength) {}

    // The fitted name for the field at position index; remembers it.
    std::string fit(std::string_view wanted, size_t index);

private:
    size_t maxLength_;
    std::unordered_set<std::string> used_;
    std::unordered_map<std::string, size_t> nextSuffix_;
};

} // namespace ll::dbf
