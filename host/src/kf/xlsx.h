// Workbooks (.xlsx) as the host's spreadsheet functions see them: cells of the first sheet written
// in memory, everything else of the file kept as it was, and the file written whole on close.
#pragma once
#include <map>
#include <memory>
#include <string>

namespace host::xlsx {

class Workbook {
public:
    // Reads the workbook at `path` (on disk). Throws std::runtime_error naming the file when it is no workbook.
    explicit Workbook(const std::string& path);
    ~Workbook();
    // Writes a cell of the first sheet (row and column from 1), UTF-8. A plain decimal number (no
    // sign but "-", no leading zeros, no exponent, at most 15 digits) is stored as a number, anything
    // else as text; a leading apostrophe stores the rest as text, whatever it looks like.
    void write(int row, int column, const std::string& utf8);
    // Writes the workbook to its file: aside first, then renamed over it. Throws when it cannot.
    void save();
    const std::string& path() const { return path_; }
    // Rows of the first sheet from `fromRow` on whose cell in `column` holds a value.
    int rowsWithValue(int column, int fromRow) const;
private:
    bool resolvePrintArea();
    struct State;
    std::unique_ptr<State> s_;
    std::string path_;
};

// Whether the text is a number as a workbook stores one.
bool plainNumber(const std::string& text);
// "A" for 1, "J" for 10, "AA" for 27.
std::string columnName(int column);

}  // namespace host::xlsx
