#include "components/sheet_rules.hpp"
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include "components/naming.hpp"

namespace sheets {

Style styleOf(const std::vector<std::string>& names) {
    if (names.empty()) return kPlain;
    size_t padded = 0;
    for (const std::string& n : names) padded += std::count(n.begin(), n.begin() + std::min<size_t>(3, n.size()), '0') >= 2;
    return static_cast<double>(padded) / static_cast<double>(names.size()) >= 0.9 ? kZeroPadded : kPlain;
}

long long leadingNumber(const std::string& name) {
    const size_t dash = naming::find(name, "-");
    return naming::atoiValue(dash == std::string::npos ? name : name.substr(0, dash));
}

std::vector<size_t> numberingOrder(const std::vector<std::string>& names, Style style) {
    std::vector<size_t> order(names.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    if (style == kPlain) {
        std::vector<long> keys;
        for (const std::string& n : names) keys.push_back(leadingNumber(n));
        std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return keys[a] < keys[b]; });
    } else {
        std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return names[a] < names[b]; });
    }
    return order;
}

std::vector<LayerStatus> layersOfSheet(long L) {
    std::vector<LayerStatus> out;
    if (L == 0) {
        for (int l = 100; l <= 255; ++l) out.push_back({l, 2});
        out.push_back({90, 2});
        return out;
    }
    // Layers outside the host's range are not touched: a sheet number is no promise of a layer.
    auto valid = [](long l) { return l >= 1 && l <= 256; };
    if (L < -14 || L > 256) return out;
    if ((L - 100) % 15 == 0) {
        if (valid(L)) out.push_back({static_cast<int>(L), 1});
        for (long l = L; l <= L + 14; ++l)
            if (valid(l)) out.push_back({static_cast<int>(l), 2});
    } else if (valid(L)) {
        out.push_back({static_cast<int>(L), 1});
        out.push_back({static_cast<int>(L), 2});
    }
    return out;
}

std::string cellKey(const std::string& name, Style style) {
    if (style == kZeroPadded) return naming::afterLastDash(name);
    const size_t first = naming::find(name, "-");
    if (first == std::string::npos) return "";
    const std::string rest = name.substr(first + 1);
    const size_t second = naming::find(rest, "-");
    return second == std::string::npos ? rest : rest.substr(0, second);
}

Fraction scaleFraction(double s) {
    if (!(s > 0) || !std::isfinite(s)) return {1, 1};
    // A hair above the cut, so that a scale stored as 0.333333 is 1:3 and not 1:2.
    if (s >= 1.0) return {std::trunc(s + 1e-6), 1};
    return {1, std::trunc(1 / s + 1e-6)};
}

}  // namespace sheets
