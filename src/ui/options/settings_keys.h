#pragma once
// The keys under which the options are saved, their fields, and the values
// each accepts when read back. The key names and types are the saved
// settings' format and never change.

#include <QStringView>

#include <cstdint>
#include <span>

#include "options/my_options.h"

struct OptionKey {
    using Getter = int64_t (myOptions::*)() const;
    using Setter = void (myOptions::*)(int64_t);
    using TextGetter = OptionalText (myOptions::*)() const;
    using TextSetter = void (myOptions::*)(OptionalText);

    const char* name;
    // A text key has the text accessors, an integer key the others.
    TextGetter getText = nullptr;
    TextSetter setText = nullptr;
    Getter get = nullptr;
    Setter set = nullptr;
    // Integer values outside these bounds are refused at restore: they
    // are the items of the field's pop-up or radio group, 0/1 for a check
    // box, the 100 character sets, or what a count control can hold.
    int64_t minimum = 0;
    int64_t maximum = 0;

    bool isText() const { return getText != nullptr; }
};

// Every option key in the order of writing ("outputFile" ... "precision").
std::span<const OptionKey> optionKeysInSavingOrder();
// The same keys in the order of restoring: the texts first.
std::span<const OptionKey* const> optionKeysInRestoringOrder();

// The keys of the window's state.
inline constexpr char kOutputHistoryKey[] = "OutputHistory";
inline constexpr char kSourceFilesKey[] = "SourceFiles";
inline constexpr char kExpandedKey[] = "Expanded";
inline constexpr char kSelectionKey[] = "Selection";
