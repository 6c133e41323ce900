// Rules of the bill of materials: stock-kind codes, names of the workbooks, the formulas of a row.
#include <gtest/gtest.h>
#include "tools/bom_rules.hpp"

using namespace bomrules;

TEST(BomRules, StockKindsByTheTextBeforeTheirSize) {
    struct Case { std::string suling; int code; } cases[] = {
        {"", 1}, {"(50X50X3)", 1}, {"方管(50X50X3)", 2}, {"方管", 2}, {"矩形管(80X40X3)", 3}, {"钢板(5.0X100X200)", 4},
        {"扁钢(60X8)", 5}, {"无缝钢管(219X6)", 6}, {"圆钢(30)", 7}, {"角钢(50X50X5)", 8}, {"ZW24钢板网", 9}, {"EVA板40°(10)", 10},
        {"PP板", 11}, {"PU板", 12}, {"ABS板(3)", 13}, {"PU软管", 14}, {"铝板(3)", 15}, {"铝板", 15}, {"方管 (50X50)", 15},
    };
    for (auto& c : cases) EXPECT_EQ(c.code, stockCode(c.suling)) << c.suling;
}

TEST(BomRules, ValuesGoIntoFormulasEscapedAndWhole) {
    EXPECT_EQ("ug_excel_write_range(open:,{1,4,3,4,3,\"A\"})", writeFormula(4, 3, "A"));
    EXPECT_EQ(R"(a \"q\", {b} \\ c)", literal(R"(a "q", {b} \ c)"));
    // 表 is 0xB1 0xED, 淺 ends in 0x5C: a double-byte character is never escaped.
    EXPECT_EQ("淺\\\\", literal("淺\\"));
    std::string longText(2000, 'x');
    EXPECT_NE(std::string::npos, writeFormula(5, 9, longText).find(longText));
    EXPECT_EQ("ug_excel_open_file(\"Z:\\\\out\\\\qel.xlsx\",Write)", openFormula("Z:\\out\\qel"));
}

TEST(BomRules, WorkbookNamesAndMasses) {
    EXPECT_EQ("press-1", baseName("Z:\\plant\\press-1.prt"));
    EXPECT_EQ("a.b", baseName("Z:\\p\\a.b.prt"));
    EXPECT_EQ("Untitled", baseName("Untitled"));
    EXPECT_EQ("Z:\\out\\", folder("Z:\\out"));
    EXPECT_EQ("Z:\\out\\", folder("Z:\\out\\"));
    EXPECT_EQ("", folder(""));
    EXPECT_EQ("2.500000", kilograms(2500));
    EXPECT_EQ("0.000000", kilograms(0));
}
