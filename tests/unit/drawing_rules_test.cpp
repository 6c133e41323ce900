// Rules of drawing output: scale and view places, sheet names, title-block markers, numbers.
#include <gtest/gtest.h>
#include "drawings/drawing_rules.hpp"

using namespace drawing;

TEST(DrawingScale, FitsFourViewsOntoTheSheet) {
    // A body set of 100 x 50 x 30 on A3.
    Layout l = fit(100, 50, 30, kA3);
    EXPECT_NEAR(1.9216, l.scale, 1e-4);
    EXPECT_NEAR(43.92, l.horizontalGap, 0.01);
    EXPECT_NEAR(39.68, l.verticalGap, 0.01);
    ViewPlaces p = places(l);
    EXPECT_NEAR(140.0, p.front.x, 0.01);
    EXPECT_NEAR(228.5, p.front.y, 0.01);
    EXPECT_NEAR(140.0, p.below.x, 0.01);
    EXPECT_NEAR(142.72, p.below.y, 0.01);
    EXPECT_NEAR(328.04, p.right.x, 0.01);
    EXPECT_NEAR(228.5, p.right.y, 0.01);
    EXPECT_NEAR(328.04, p.iso.x, 0.01);
    EXPECT_NEAR(142.72, p.iso.y, 0.01);
    EXPECT_NEAR(0.3 * l.scale, isoScale(l.scale), 1e-12);
    // A4 has its own width and allowances; a tall thin part is limited by the height.
    Layout a4 = fit(20, 20, 1000, kA4);
    EXPECT_NEAR(297.0 / (20 + 1000 + 155 / (297.0 / 1020)) / 1.2, a4.scale, 1e-9);
    // Nothing measured gives no usable scale: the sheet is drawn at 1.
    Layout none = fit(0, 0, 0, kA3);
    EXPECT_EQ(1.0, none.usable());
}

TEST(DrawingScale, ViewsStayInsideTheFrameClearOfTheTitleBlock) {
    // Where the four views fit, the sheet keeps its scale and places to the hundredth of a millimetre.
    Layout kept = fitOnSheet(100, 50, 30, kA3);
    EXPECT_NEAR(1.9216, kept.scale, 1e-4);
    EXPECT_NEAR(228.5, places(kept).front.y, 0.01);
    EXPECT_NEAR(328.04, places(kept).right.x, 0.01);
    // A 3 m post: the plain fit puts the isometric view on the title block and the front at the border.
    Layout post = fit(50, 50, 3000, kA4);
    EXPECT_FALSE(clearOnSheet(post, kA4));
    Layout fitted = fitOnSheet(50, 50, 3000, kA4);
    EXPECT_TRUE(clearOnSheet(fitted, kA4));
    EXPECT_LT(fitted.scale, post.scale);
    EXPECT_GT(fitted.scale, 0.8 * post.scale);  // reduced no more than it must be
    // Every proportion, tall, wide, deep or flat, on both sheets.
    const double sizes[] = {1, 20, 150, 800, 3000, 12000};
    for (const SheetFit* sheet : {&kA3, &kA4})
        for (double x : sizes)
            for (double y : sizes)
                for (double z : sizes) {
                    Layout l = fitOnSheet(x, y, z, *sheet);
                    EXPECT_TRUE(clearOnSheet(l, *sheet)) << x << " x " << y << " x " << z;
                    EXPECT_LE(l.scale, fit(x, y, z, *sheet).scale);
                    ViewRects r = viewRects(l);
                    EXPECT_GE(r.front.y0, sheet->titleBlock.y1);
                }
}

TEST(DrawingScale, ExtentsStartFromTheFirstBox) {
    Extents e;
    EXPECT_EQ(0, e.size(0));
    const double far[6] = {20000, 30000, -50000, 32000, 30500, -49000};
    e.add(far);
    EXPECT_EQ(12000, e.size(0));  // a plant longer than 10 m is measured right
    const double other[6] = {19000, 29000, -49500, 19500, 29500, -48000};
    e.add(other);
    EXPECT_EQ(13000, e.size(0));
    EXPECT_EQ(1500, e.size(1));
    EXPECT_EQ(2000, e.size(2));
}

TEST(SheetNames, SubAssembliesAndSinglePartsFromTheirFileNames) {
    struct Case { std::string stem; bool assembly; std::string name, tail, sheet; } cases[] = {
        {"frame-2", true, "frame", "2", "2-0组件-frame"},
        {"QEL-frame-12", true, "frame", "12", "12-0组件-frame"},
        {"frame-A", true, "frame", "", "-0组件-frame"},
        {"plate-2-5", false, "plate", "2-5", "2-5-plate"},
        {"a-b-plate-2-5", false, "plate", "2-5", "2-5-plate"},
        {"plate-5", false, "plate", "5", "000-5-plate"},
        {"侧板-3", false, "侧板", "3", "000-3-侧板"},
        {"plate", false, "", "", ""},
    };
    for (auto& c : cases) {
        SheetName n = c.assembly ? assemblySheet(c.stem, "p") : partSheet(c.stem, "p");
        EXPECT_EQ(c.name, n.name) << c.stem;
        EXPECT_EQ(c.tail, n.tail) << c.stem;
        EXPECT_EQ(c.sheet, n.sheet) << c.stem;
        EXPECT_EQ(c.stem, n.stem);
    }
    EXPECT_TRUE(assemblyDrawn("frame-2"));
    for (const char* s : {"frame-A", "frame装配-2", "frame数模-2", "frame"}) EXPECT_FALSE(assemblyDrawn(s)) << s;
}

TEST(TitleBlock, TheFirstMarkerACellHoldsDecides) {
    TitleValues v{"Q235-钢板", "-2-5", "3", "7", "底板"};
    struct Case { std::string cell, becomes; bool changed; } cases[] = {
        {"定义材料", "Q235-钢板", true},
        {"定义后图号", "-2-5", true},
        {"图号:定义后图号 定义数量", "-2-5", true},
        {"定义数量", "3", true},
        {"定义总数", "7", true},
        {"定义图纸名称", "底板", true},
        {"设计", "设计", false},
        {"", "", false},
    };
    for (auto& c : cases) {
        bool changed = false;
        EXPECT_EQ(c.becomes, titleCell(c.cell, v, changed)) << c.cell;
        EXPECT_EQ(c.changed, changed) << c.cell;
    }
}

TEST(LayerPlan, BlocksOfFifteenAndNumbersAfterTheirDashes) {
    EXPECT_EQ(100, baseLayer(1));
    EXPECT_EQ(115, baseLayer(2));
    EXPECT_EQ(115 + 7, baseLayer(2) + 7);
    EXPECT_TRUE(outsideBlocks(1));
    EXPECT_TRUE(outsideBlocks(251));
    EXPECT_FALSE(outsideBlocks(100));
    EXPECT_EQ("-2-7", fromFirstDash("X-2-7"));
    EXPECT_EQ("2-7", afterFirstDash("X-2-7"));
    EXPECT_EQ("", afterFirstDash("X"));
    // Numbers are kept whole, however long.
    std::string longNo = "QEL-" + std::string(300, '9');
    EXPECT_EQ(std::string(300, '9'), afterFirstDash(longNo));
    EXPECT_EQ("P-2-1", layerNumber("P", "2", 1, false));
    EXPECT_EQ("P-4", layerNumber("P", "2", 4, true));
}

TEST(BackupNames, AnEarlierPrefixIsReplacedNotStacked) {
    std::vector<std::string> twoOfThree = {"BF-a", "BF-b", "c"};
    EXPECT_EQ("BF", previousPrefix(twoOfThree));
    for (auto& [from, to] : std::vector<std::pair<std::string, std::string>>{{"BF-a", "XY-a"}, {"BF-b", "XY-b"}, {"c", "XY-c"}})
        EXPECT_EQ(to, newStem(from, "XY", previousPrefix(twoOfThree)));
    std::vector<std::string> oneOfThree = {"BF-a", "c", "d"};
    EXPECT_EQ("", previousPrefix(oneOfThree));
    for (auto& [from, to] : std::vector<std::pair<std::string, std::string>>{{"BF-a", "XY-BF-a"}, {"c", "XY-c"}, {"d", "XY-d"}})
        EXPECT_EQ(to, newStem(from, "XY", previousPrefix(oneOfThree)));
    EXPECT_EQ("", previousPrefix({}));
    EXPECT_EQ("", previousPrefix({"a", "b"}));
}
