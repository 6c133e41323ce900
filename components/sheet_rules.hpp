// Rules of the direct sheet commands with no host calls: the sheet-name style, the order sheets are
// numbered in, which layers a sheet shows, the key of its title-block cell and its scale as a fraction.
// Text is GBK; "-" is found at character starts only.
#pragma once
#include <string>
#include <vector>

namespace sheets {

// Sheet names are zero-padded (001-…) or plain (number-name-…, the number a layer group).
enum Style { kZeroPadded = 1, kPlain = 2 };
// Zero-padded when at least nine in ten names have two "0" among their first three bytes; plain
// when fewer, or when there are no sheets.
Style styleOf(const std::vector<std::string>& names);

// The number a plain name starts with, up to its first "-" (the whole name without one): its
// leading digits as atoi reads them, 0 when there are none.
long long leadingNumber(const std::string& name);

// The order sheets are numbered in, as indices into the names: plain names by their leading number,
// zero-padded names as byte strings; equal keys keep the listing order.
std::vector<size_t> numberingOrder(const std::vector<std::string>& names, Style style);

// Layer statuses (host values) that show the layers of a plain sheet whose name starts with L, in
// the order they are set, after every layer but the work layer is hidden and before layer 171 goes
// back to selectable.
struct LayerStatus {
    int layer, status;
    bool operator==(const LayerStatus& o) const { return layer == o.layer && status == o.status; }
};
std::vector<LayerStatus> layersOfSheet(long L);

// The key a sheet's entries are matched by: after the last "-" (zero-padded), between the first and
// the second "-" (plain).
std::string cellKey(const std::string& sheetName, Style style);

// A drawing scale as the sheet builder takes it: s:1 for s at least 1 (s cut to an integer), else
// 1:(1/s cut to an integer).
struct Fraction {
    double numerator, denominator;
};
Fraction scaleFraction(double s);

}  // namespace sheets
