// Names and sequence numbers of component part files. Text is GBK; "\" and "-" are only ever found
// at character starts, and nothing is cut to a fixed length.
#pragma once
#include <string>
#include <vector>

// Free sequence numbers from the used ones (sorted ascending, not empty): the gaps, then the numbers
// after the largest up to the count of used numbers plus 20. Always 0.
int 查找连续图号(std::vector<int> used, std::vector<int>& free);
// The number of ASCII digits in the text.
int 得到字符数字个数(const std::string& text);
// Mode 1: the file name without folder and without what follows its first ".prt"; mode 2: the folder.
std::string 获取文件名和路径(const std::string& path, int mode);

namespace naming {

// True when every byte of the text is a digit (the empty text too).
bool allDigits(const std::string& text);
// The text after the last "-", or the whole text when it has none.
std::string afterLastDash(const std::string& text);
// The text before the last "-", or the whole text when it has none.
std::string beforeLastDash(const std::string& text);
// Position of `part` in `text` at a character start, or npos.
size_t find(const std::string& text, const std::string& part);
bool contains(const std::string& text, const std::string& part);
// Position of the last ASCII character `c` of the text, or npos.
size_t lastOf(const std::string& text, char c);

// The part name read back from a component file name (without folder or extension):
// axle-100-2 and axle-2 give axle, A-B-100-3 gives B.
std::string partNameOfFile(const std::string& stem);

// The series code of a parent from its file name, or nothing when the parent is no parent of new parts:
// the numeric tail after the last "-" unless the name holds "数模"; empty for an assembly ("装配").
struct Series {
    bool parent = false;
    std::string code;
};
Series seriesOf(const std::string& stem);

// Name of a new part of the batch run: pn-n under an assembly parent, pn-S-n otherwise.
std::string batchPartName(const std::string& partName, const std::string& series, int number, bool assemblyParent);
// Journal identifier of a component of that name.
std::string componentIdentifier(const std::string& name);

// Sequence numbers handed out in order: the positive numbers no used number takes, ascending. This is
// the free-number list (the gaps, then the numbers after the largest) without its end, and without
// writing out the gap below a used number far out (a date code, say).
class NumberSource {
public:
    explicit NumberSource(std::vector<long long> used);
    int next();
private:
    std::vector<long long> used_;
    long long last_ = 0;
};

// The number a tail of digits stands for, or -1 when it has none or is too large for a sequence number.
long long sequenceNumber(const std::string& digits);
// A text's number as the standard library's atoi reads it: blanks, a sign, then the digits up to the
// first other character ("7A" is 7, "A" is 0); past the range of a long long it stays at its end
// instead of being undefined.
long long atoiValue(const std::string& text);

}  // namespace naming
