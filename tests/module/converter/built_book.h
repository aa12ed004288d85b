#pragma once
// A workbook written by the test's XlsxBuilder and opened through the
// reader layer, released with the fixture.

#include <gtest/gtest.h>

#include "module/xl/xl_api.h"
#include "support/test_support.h"
#include "support/xlsx_builder.h"

class BuiltBook {
public:
    BuiltBook(const testsupport::XlsxBuilder& builder, const testsupport::TempDir& dir, const std::string& name = "book.xlsx")
        : path_(dir.file(name))
    {
        EXPECT_TRUE(builder.save(path_));
        book_ = xlCreateXMLBookCA();
        xlBookSetLocaleA(book_, "UTF-8");
        loaded_ = xlBookLoadA(book_, path_.c_str()) != 0;
        EXPECT_TRUE(loaded_) << xlBookErrorMessageA(book_);
    }
    ~BuiltBook() { xlBookReleaseA(book_); }
    BuiltBook(const BuiltBook&) = delete;
    BuiltBook& operator=(const BuiltBook&) = delete;

    BookHandle book() const { return book_; }
    SheetHandle sheet(int index = 0) const { return loaded_ ? xlBookGetSheetA(book_, index) : nullptr; }
    const std::string& path() const { return path_; }

private:
    std::string path_;
    BookHandle book_ = nullptr;
    bool loaded_ = false;
};
