// The text rules take whatever a designer types or a file holds: random bytes, stray halves of
// double-byte characters, missing separators. None may crash or read past its text (run under the
// sanitizers too); the splits must stay whole characters.
#include <gtest/gtest.h>
#include <random>
#include "attributes/stock_rules.hpp"
#include "components/naming.hpp"

namespace {

std::string randomText(std::mt19937& rng) {
    static const std::string pieces[] = {",", "-", "\\", ".prt", "0", "7", "钢板", "折弯", "一", "二", "GB", "淺", "\x81", "\xfe", "a", "Φ"};
    std::string s;
    int n = std::uniform_int_distribution<int>(0, 12)(rng);
    for (int i = 0; i < n; ++i) s += pieces[std::uniform_int_distribution<size_t>(0, std::size(pieces) - 1)(rng)];
    return s;
}

}  // namespace

TEST(TextRobustness, RulesTakeAnyTextWithoutFaults) {
    std::mt19937 rng(23);
    for (int i = 0; i < 3000; ++i) {
        std::string a = randomText(rng), b = randomText(rng), c = randomText(rng), d = randomText(rng);
        stock::Category cat = stock::split_category(a);
        EXPECT_LE(cat.category.size(), a.size());
        stock::parse_record(b);
        stock::parse_outline(c);
        stock::material_of(a);
        stock::specification_of(a, b);
        stock::remark_of(d, a, b, c);
        std::string name = 获取文件名和路径(a, 1), folder = 获取文件名和路径(a, 2);
        EXPECT_LE(name.size() + folder.size(), a.size());
        naming::partNameOfFile(b);
        naming::seriesOf(c);
        EXPECT_LE(naming::afterLastDash(d).size(), d.size());
    }
}
