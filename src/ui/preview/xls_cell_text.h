#pragma once
// How the workbook preview shows a sheet cell:
//   dates            "yyyy.mm.dd", with " hh:mm:ss" when the time is not
//                    midnight (left)
//   custom formats   with a point: fixed-point, D decimals, right-justified
//                    in W characters (W the format text's length, D the
//                    characters after its first point); without: the value
//                    truncated to a 32-bit integer in W characters (right)
//   other numbers    "%f" without needless zeros (right)
//   texts            as they are (left); booleans "1"/"0" (centred)
//   anything else    empty

#include <string>

#include "module/xl/xl_api.h"
#include "preview_cell.h"

// scratch is reused between calls so that numbers cost no allocation of
// their own beyond the returned text.
PreviewCell xlsPreviewCell(BookHandle book, SheetHandle sheet, int row, int col, std::string& scratch);
