#pragma once
// A small reader of the cells of an .xlsx workbook's first sheet, for tests: the zip's central
// directory, its deflated entries through zlib, and the string cells of sheet1.xml looked up in
// sharedStrings.xml.
#include <map>
#include <string>

namespace kes::test {

// Cell reference ("A1") to text; empty when the file is no workbook this reader understands.
std::map<std::string, std::string> ReadXlsxCells(const std::string& path);

} // namespace kes::test
