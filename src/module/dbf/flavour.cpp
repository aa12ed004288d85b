#include "flavour.h"

namespace ll::dbf {

FlavourTraits traitsFor(Flavour flavour)
{
    switch (flavour) {
    case Flavour::DBase3:
        return {flavour, 0x03, 0x83, MemoKind::Dbt3, 32, 32, 0, 10, 10, false, false};
    case Flavour::FoxPro:
        return {flavour, 0x03, 0xF5, MemoKind::Fpt, 32, 32, 0, 10, 10, true, false};
    case Flavour::DBase4:
        return {flavour, 0x03, 0x8B, MemoKind::Dbt4, 32, 32, 0, 10, 10, false, false};
    case Flavour::VisualFoxPro:
        return {flavour, 0x30, 0x30, MemoKind::Fpt, 32, 32, 263, 10, 4, true, true};
    case Flavour::Smt:
        return {flavour, 0x03, 0xE5, MemoKind::Smt, 32, 32, 0, 10, 10, false, false};
    case Flavour::DBase7:
        return {flavour, 0x04, 0x8C, MemoKind::Dbt4, 68, 48, 0, 31, 10, false, false};
    }
    return traitsFor(Flavour::DBase3);
}

std::optional<FlavourTraits> traitsForWriterCode(int code)
{
    switch (code) {
    case 0:
    case 6: // "as is": the dBase III layout
        return traitsFor(Flavour::DBase3);
    case 1:
        return traitsFor(Flavour::FoxPro);
    case 2:
        return traitsFor(Flavour::DBase4);
    case 3:
        return traitsFor(Flavour::VisualFoxPro);
    case 4:
        return traitsFor(Flavour::Smt);
    case 7:
        return traitsFor(Flavour::DBase7);
    default:
        return std::nullopt;
    }
}

std::optional<FlavourTraits> traitsForVersionByte(uint8_t version)
{
    switch (version) {
    case 0x02: // FoxBase
    case 0x03:
    case 0x83:
        return traitsFor(Flavour::DBase3);
    case 0x7B: // dBase IV with memo, as some writers mark it
    case 0x8B:
    case 0xCB:
        return traitsFor(Flavour::DBase4);
    case 0xF5:
    case 0xFB:
        return traitsFor(Flavour::FoxPro);
    case 0x30:
    case 0x31:
    case 0x32:
        return traitsFor(Flavour::VisualFoxPro);
    case 0xE5:
        return traitsFor(Flavour::Smt);
    case 0x04:
    case 0x8C:
        return traitsFor(Flavour::DBase7);
    default:
        return std::nullopt;
    }
}

bool versionHasMemo(uint8_t version)
{
    switch (version) {
    case 0x83:
    case 0x7B:
    case 0x8B:
    case 0xCB:
    case 0xF5:
    case 0xFB:
    case 0xE5:
    case 0x8C:
        return true;
    default:
        return false;
    }
}

int maxFieldCount(const FlavourTraits& traits)
{
    return (0xFFFF - traits.headerPrefix - 1 - traits.backlink) / traits.descriptorSize;
}

const char* memoExtension(MemoKind kind)
{
    switch (kind) {
    case MemoKind::Dbt3:
    case MemoKind::Dbt4:
        return ".dbt";
    case MemoKind::Fpt:
        return ".fpt";
    case MemoKind::Smt:
        return ".smt";
    case MemoKind::None:
        break;
    }
    return "";
}

} // namespace ll::dbf
