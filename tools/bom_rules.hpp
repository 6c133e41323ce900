// Rules of the bill of materials with no host calls: stock-kind codes, names of the workbooks, and the
// Knowledge Fusion formulas that write a row. Text is GBK.
#pragma once
#include <string>

namespace bomrules {

// The code of a stock text ("方管(50X50X3)" gives 2): its part before the first "(" from the table.
int stockCode(const std::string& suling);
// The text as a Knowledge Fusion string literal holds it: "\" and """ escaped, at character starts only
// (the second byte of a GBK character may be 0x5C), so that any value lands in its cell as typed.
std::string literal(const std::string& gbk);
// The formula that writes `value` into sheet 1 at (row, column).
std::string writeFormula(int row, int column, const std::string& value);
// The formula that opens the working workbook `working` (".xlsx" is added).
std::string openFormula(const std::string& working);
// A part's base name: its file name between the last "\" and the last "."; the whole name when it has neither.
std::string baseName(const std::string& partSpec);
// The folder as typed, with a "\" at its end so that files go inside it.
std::string folder(const std::string& typed);
// A mass in grams as the sheet shows it: kilograms with six decimals.
std::string kilograms(double grams);

}  // namespace bomrules
