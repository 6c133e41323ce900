// Rules of the direct sheet commands: name style, numbering order, layers shown, cell key, scale.
#include <gtest/gtest.h>
#include "components/sheet_rules.hpp"

using namespace sheets;

namespace {

std::vector<std::string> ordered(const std::vector<std::string>& names) {
    std::vector<std::string> out;
    for (size_t i : numberingOrder(names, styleOf(names))) out.push_back(names[i]);
    return out;
}

}  // namespace

TEST(SheetStyle, NineInTenZeroPaddedNamesMakeTheStyle) {
    EXPECT_EQ(kPlain, styleOf({}));
    EXPECT_EQ(kZeroPadded, styleOf({"002-x", "001-y", "010-z"}));
    EXPECT_EQ(kPlain, styleOf({"3-a", "1-b"}));
    std::vector<std::string> ten(9, "001-a");
    ten.push_back("5-b");
    EXPECT_EQ(kZeroPadded, styleOf(ten));
    ten[8] = "6-c";
    EXPECT_EQ(kPlain, styleOf(ten));
    // Names shorter than three bytes are read as far as they go.
    EXPECT_EQ(kZeroPadded, styleOf({"00"}));
    EXPECT_EQ(kPlain, styleOf({"0"}));
}

TEST(SheetNumbering, PlainByLeadingNumberZeroPaddedByName) {
    EXPECT_EQ((std::vector<std::string>{"1-b", "1-d", "2-c", "3-a"}), ordered({"3-a", "1-b", "2-c", "1-d"}));
    EXPECT_EQ((std::vector<std::string>{"001-y", "002-x", "010-z"}), ordered({"002-x", "001-y", "010-z"}));
    // Names without a number count as 0 and come first, in their order; a layer group of 115 after 20.
    EXPECT_EQ((std::vector<std::string>{"总图", "x-1", "20-a", "115-b"}), ordered({"115-b", "总图", "20-a", "x-1"}));
}

TEST(SheetNumbering, LeadingNumberReadsDigitsUpToTheFirstDash) {
    EXPECT_EQ(115, leadingNumber("115-frame-2"));
    EXPECT_EQ(12, leadingNumber("12abc-x"));
    EXPECT_EQ(0, leadingNumber("-5"));
    EXPECT_EQ(7, leadingNumber("7"));
    // As atoi reads it: ten digits are a number, and a number past any range stays past every layer.
    EXPECT_EQ(1234567890, leadingNumber("1234567890-x"));
    EXPECT_TRUE(layersOfSheet(leadingNumber("99999999999999999999-x")).empty());
    // A GBK character whose second byte is "-" (0x2D) does not end the number's text.
    EXPECT_EQ(0, leadingNumber("\x81\x2d" "5-a"));
}

TEST(SheetLayers, ABlockOfFifteenOrOneLayer) {
    std::vector<LayerStatus> block = layersOfSheet(115);
    ASSERT_EQ(16u, block.size());
    EXPECT_EQ((LayerStatus{115, 1}), block.front());
    EXPECT_EQ((LayerStatus{129, 2}), block.back());
    EXPECT_EQ((std::vector<LayerStatus>{{120, 1}, {120, 2}}), layersOfSheet(120));
    // Below 100 the blocks go on every 15 layers.
    EXPECT_EQ(16u, layersOfSheet(85).size());
    // Sheet 0 shows every block and the parking layer.
    std::vector<LayerStatus> all = layersOfSheet(0);
    EXPECT_EQ(157u, all.size());
    EXPECT_EQ((LayerStatus{90, 2}), all.back());
    // No layer past the host's last is touched.
    for (const LayerStatus& s : layersOfSheet(250)) EXPECT_LE(s.layer, 256);
    EXPECT_TRUE(layersOfSheet(400).empty());
    EXPECT_TRUE(layersOfSheet(-7).empty());
}

TEST(SheetCellKey, ByStyle) {
    EXPECT_EQ("底板", cellKey("001-钢板-底板", kZeroPadded));
    EXPECT_EQ("frame", cellKey("115-frame-2", kPlain));
    EXPECT_EQ("底板", cellKey("5-底板", kPlain));
    EXPECT_EQ("", cellKey("总图", kPlain));
}

TEST(SheetScale, AFractionOfWholeNumbers) {
    struct Case { double s, numerator, denominator; } cases[] = {
        {0.5, 1, 2}, {2.5, 2, 1}, {0.3, 1, 3}, {1.0, 1, 1}, {0.333333, 1, 3}, {1.9216, 1, 1}, {0, 1, 1}, {-2, 1, 1},
    };
    for (const Case& c : cases) {
        Fraction f = scaleFraction(c.s);
        EXPECT_EQ(c.numerator, f.numerator) << c.s;
        EXPECT_EQ(c.denominator, f.denominator) << c.s;
    }
}
