// The compound-file layer, through loadXlsFromMemory: sound layouts load,
// damaged ones fail as the right kind of error, and none hangs.

#include <gtest/gtest.h>

#include <functional>

#include "module/xl/book.h"
#include "module/xl/load.h"
#include "xls_builder.h"

using namespace xlsbuild;
using ll::xl::LoadErrorKind;

namespace {

constexpr uint32_t kEndOfChain = 0xFFFFFFFE;

// A workbook stream of about `bytes` bytes: filler records, then the number
// 42 at row 0, column 0, so the cell lies in the stream's last sectors.
std::string streamOf(size_t bytes)
{
    std::string filler;
    while (filler.size() + 8228 < bytes)
        filler += record(0x00EF, std::string(8224, 'x')); // a record no reader looks at
    while (filler.size() + 24 < bytes)
        filler += record(0x00EF, std::string(20, 'x'));
    return oneSheet(filler + record(0x0203, place(0, 0, 0) + f64(42)));
}

struct ContainerCase {
    const char* name;
    std::string stream;                         // the workbook stream's content
    std::u16string streamName = u"Workbook";
    CfbOptions options = {};
    std::function<void(CfbImage&)> damage = {}; // applied to the finished file
    LoadErrorKind expected = LoadErrorKind::None;
    const char* detail = "";                    // part of the error's text
};

void PrintTo(const ContainerCase& c, std::ostream* os) { *os << c.name; }

class ContainerTest : public testing::TestWithParam<ContainerCase> {};

TEST_P(ContainerTest, LoadsOrFailsAsExpected)
{
    const ContainerCase& c = GetParam();
    std::vector<Stream> streams{{c.streamName, c.stream}};
    if (c.streamName == u"Other")
        streams.push_back({u"Workbook", c.stream});
    CfbImage image = compoundFile(streams, c.options);
    if (c.damage)
        c.damage(image);

    ll::xl::Book book(ll::xl::Book::Kind::Xls);
    ll::xl::LoadError error = ll::xl::loadXlsFromMemory(image.bytes.data(), image.bytes.size(), book);
    EXPECT_EQ(error.kind, c.expected) << describe(error);
    EXPECT_NE(describe(error).find(c.detail), std::string::npos) << describe(error);
    if (c.expected == LoadErrorKind::None) {
        ASSERT_EQ(book.sheets.size(), 1u);
        const ll::xl::Cell* cell = book.sheets[0]->cellAt(0, 0);
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->value.number, 42.0);
    }
}

const std::string kLarge = streamOf(12000);
const std::string kSmall = streamOf(600);

INSTANTIATE_TEST_SUITE_P(
    Layouts, ContainerTest,
    testing::Values(
        ContainerCase{"sectors_of_512", kLarge},
        ContainerCase{"sectors_of_4096", streamOf(20000), u"Workbook", {12}},
        ContainerCase{"chain_running_backwards", kLarge, u"Workbook", {9, 1, true}},
        ContainerCase{"stream_in_the_mini_stream", kSmall},
        ContainerCase{"name_in_other_case", kLarge, u"WORKBOOK"},
        ContainerCase{"biff5_stream_name", kLarge, u"Book"},
        // 7.5 MB needs more than the header's 109 FAT sectors: the FAT
        // entries of the stream's end are listed in a DIFAT sector.
        ContainerCase{"fat_listed_in_difat", streamOf(7'500'000)},
        ContainerCase{"difat_sector_pointing_to_itself", streamOf(7'500'000), u"Workbook", {},
                      [](CfbImage& f) {
                          f.setU32(f.offsetOf(f.difatSectors[0]) + f.sectorSize - 4, f.difatSectors[0]);
                          f.setU32(0x2C, 400); // claims more FAT than there is
                          f.setU32(0x48, 1000);
                      }},
        ContainerCase{"sibling_loop_in_directory", kLarge, u"Workbook", {},
                      [](CfbImage& f) { f.setEntryU32(1, 0x44, 1); }},
        // The tree loops before reaching the workbook; the flat scan finds it.
        ContainerCase{"tree_loop_hides_the_stream", kLarge, u"Other", {},
                      [](CfbImage& f) { f.setEntryU32(1, 0x48, 1); }},
        ContainerCase{"no_workbook_stream", kLarge, u"Data", {}, {}, LoadErrorKind::NotAWorkbook,
                      "no workbook stream"},
        ContainerCase{"cyclic_fat", kLarge, u"Workbook", {},
                      [](CfbImage& f) { f.setFatEntry(f.streamSectors[2], f.streamSectors[1]); },
                      LoadErrorKind::Corrupt, "loops back"},
        ContainerCase{"fat_names_sector_past_the_end", kLarge, u"Workbook", {},
                      [](CfbImage& f) { f.setFatEntry(f.streamSectors[1], 0x00FFFFFF); },
                      LoadErrorKind::Corrupt, "names sector 16777215"},
        ContainerCase{"chain_shorter_than_the_stream", kLarge, u"Workbook", {},
                      [](CfbImage& f) { f.setFatEntry(f.streamSectors[1], kEndOfChain); },
                      LoadErrorKind::Corrupt, "holds 2 sectors"},
        ContainerCase{"fat_sector_past_the_end", kLarge, u"Workbook", {},
                      [](CfbImage& f) { f.setU32(0x4C, 0x7FFFFFF0); }, LoadErrorKind::Corrupt},
        ContainerCase{"file_cut_inside_the_stream", kLarge, u"Workbook", {},
                      [](CfbImage& f) { f.bytes.resize(f.offsetOf(f.streamSectors[3]) + 100); },
                      LoadErrorKind::Corrupt},
        ContainerCase{"absurd_stream_size", kLarge, u"Workbook", {},
                      [](CfbImage& f) { f.setEntryU32(1, 0x78, 0xFFFFFFF0); }, LoadErrorKind::Corrupt},
        ContainerCase{"mini_fat_loop", kSmall, u"Workbook", {},
                      [](CfbImage& f) { f.setU32(f.offsetOf(f.miniFatSector) + 8, 1); },
                      LoadErrorKind::Corrupt, "loops back"},
        ContainerCase{"big_endian_marker", kLarge, u"Workbook", {},
                      [](CfbImage& f) { f.bytes.replace(0x1C, 2, u16(0xFEFF)); }, LoadErrorKind::Corrupt,
                      "field 65279"},
        ContainerCase{"header_cut_short", kLarge, u"Workbook", {}, [](CfbImage& f) { f.bytes.resize(300); },
                      LoadErrorKind::Corrupt, "cut short"},
        ContainerCase{"not_a_compound_file", kLarge, u"Workbook", {},
                      [](CfbImage& f) { f.bytes = "PK\x03\x04 this is a zip"; }, LoadErrorKind::NotAWorkbook},
        ContainerCase{"empty_file", kLarge, u"Workbook", {}, [](CfbImage& f) { f.bytes.clear(); },
                      LoadErrorKind::NotAWorkbook}),
    [](const auto& c) { return std::string(c.param.name); });

TEST(ContainerTest, BareBiffStreamLoadsWithoutContainer)
{
    std::string stream = streamOf(600);
    ll::xl::Book book(ll::xl::Book::Kind::Xls);
    ASSERT_FALSE(ll::xl::loadXlsFromMemory(stream.data(), stream.size(), book));
    EXPECT_EQ(book.sheets.at(0)->cellAt(0, 0)->value.number, 42.0);
}

} // namespace
