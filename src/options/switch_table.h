#pragma once
// The command line's switches: what each one reads from its argument and
// which option it fills. One table drives both the matching and the help.

#include <QString>
#include <QStringView>

#include <cstdint>
#include <span>

class myOptions;

// How a switch reads its value from the argument.
enum class SwitchReading {
    WholeArgument, // the lower-cased argument must equal the switch text
    Keyword,       // recognised by how the lower-cased argument ends
    OneFlag,       // 1 when the lower-cased argument ends with "=1", else 0
    Text,          // what follows the switch text, case kept (may be empty)
    Number,        // the decimal integer at the start of the value
};

// One argument seen by a switch: as written and lower-cased, plus the
// length of the switch text that matched.
struct SwitchArgument {
    QString written;
    QString lowered;
    qsizetype switchLength = 0;

    // The text after the switch, case kept.
    QString value() const { return written.mid(switchLength); }
};

struct SwitchDefinition {
    const char* text;        // lower case, e.g. "-output="
    SwitchReading reading;
    const char* valuesHelp;  // the values it takes, for the help
    const char* whatItDoes;  // one line, for the help
    void (*apply)(myOptions& options, const SwitchArgument& argument);
};

// Every switch, in the order of testing.
std::span<const SwitchDefinition> switchTable();

// Applies the first switch that the argument matches (switch texts compared
// with the lower-cased argument). False when none matches; the options are
// then unchanged.
bool applySwitch(const QString& argument, myOptions& options);

// The decimal integer at the start of a text: leading blanks and one sign
// allowed, anything after the digits ignored, 0 without digits. Saturates
// at the limits of int64_t instead of overflowing.
int64_t leadingInteger(QStringView text);
