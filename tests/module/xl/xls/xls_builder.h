#pragma once
// Builds .xls bytes for the tests: BIFF records and streams, and a compound
// file around them whose layout the tests can then damage on purpose.

#include <cstdint>
#include <string>
#include <vector>

namespace ll::xl {
class Book;
}

namespace xlsbuild {

std::string u8(uint8_t v);
std::string u16(uint16_t v);
std::string u32(uint32_t v);
std::string f64(double v);
// One record: id, length, body (no CONTINUE splitting).
std::string record(uint16_t id, const std::string& body);
// Row, column and style: the start of every cell record.
std::string place(uint16_t row, uint16_t col, uint16_t xf);
// BIFF8 strings: character count (two bytes), option byte, characters.
std::string biff8Text(const std::string& latin1);
std::string biff8Wide(const std::u16string& text);

struct SheetContent {
    std::string name;           // BIFF8: Latin-1; BIFF5: bytes in the code page
    uint8_t type = 0;           // BOUNDSHEET type: 0 worksheet, 1 macro, 2 chart
    std::string records;        // the records between the sheet's BOF and EOF
    bool withEof = true;
};

// A workbook stream: globals BOF, the given globals records, one BOUNDSHEET
// per sheet, EOF, then each sheet's substream.
std::string workbookStream(int biff, const std::string& globals, const std::vector<SheetContent>& sheets);
// The smallest workbook: one sheet holding the given records.
std::string oneSheet(const std::string& cells, int biff = 8);

// Every stored cell of a sheet as "row,col type:value", with " xfN" for a
// style other than 0: "0,1 n:1.5", "2,0 s:text", "1,1 b:1", "3,3 e:7",
// "4,0 blank xf2".
std::vector<std::string> cellsOf(const ll::xl::Book& book, size_t sheet = 0);

struct CfbOptions {
    uint32_t sectorShift = 9;   // 9: 512-byte sectors, 12: 4096
    uint32_t minFatSectors = 1; // more than 109 puts FAT sectors in the DIFAT
    bool reversed = false;      // chain the regular streams' sectors backwards
};

struct Stream {
    std::u16string name;
    std::string data;
};

// A compound file and where its parts landed.
struct CfbImage {
    std::string bytes;
    uint32_t sectorSize = 512;
    std::vector<uint32_t> fatSectors;   // in FAT order
    std::vector<uint32_t> difatSectors;
    std::vector<uint32_t> streamSectors; // the first stream's chain, in order (regular streams)
    uint32_t directorySector = 0;
    uint32_t miniFatSector = 0;

    size_t offsetOf(uint32_t sector) const { return size_t(sector + 1) * sectorSize; }
    void setU32(size_t at, uint32_t value);
    void setFatEntry(uint32_t sector, uint32_t next);
    // The directory entry `index` (0 is the root), field at `field`.
    void setEntryU32(uint32_t index, size_t field, uint32_t value);
};

CfbImage compoundFile(const std::vector<Stream>& streams, const CfbOptions& options = {});

} // namespace xlsbuild
