// Stock category, size record, material, specification, remark, identity, place key and mode.
#include "attributes/stock_rules.hpp"
#include <gtest/gtest.h>
#include <iconv.h>
#include <cmath>
#include <optional>

using namespace stock;

namespace {

// Decoded by the C library rather than by the code under test; nothing when the bytes are not GBK.
std::optional<std::string> gbk_to_utf8(const std::string& gbk) {
    iconv_t cd = iconv_open("UTF-8", "GBK");
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string in = gbk, out(gbk.size() * 4 + 4, '\0');
    char* src = in.data();
    char* dst = out.data();
    size_t left = in.size(), room = out.size();
    size_t rc = iconv(cd, &src, &left, &dst, &room);
    iconv_close(cd);
    if (rc == static_cast<size_t>(-1) || left != 0) return std::nullopt;
    out.resize(out.size() - room);
    return out;
}

// Byte pairs that spell 一 (D2 BB), 四 (CB C4) and G B only across a character boundary.
const std::string kStraddleYi = "\xB0\xD2\xBB\xA1";    // 耙弧
const std::string kStraddleSi = "\xB0\xCB\xC4\xE3";    // 八你
const std::string kStraddleGB = "\xC7GB";              // 荊B

}  // namespace

TEST(StockGbk, StraddlingSamplesAreValidGbk) {
    EXPECT_EQ(std::optional<std::string>(u8"耙弧"), gbk_to_utf8(kStraddleYi));
    EXPECT_EQ(std::optional<std::string>(u8"八你"), gbk_to_utf8(kStraddleSi));
    EXPECT_EQ(std::optional<std::string>(u8"荊B"), gbk_to_utf8(kStraddleGB));
}

TEST(StockGbk, FindMatchesOnlyAtCharacterStarts) {
    const std::size_t no = std::string::npos;
    struct Case { std::string text, part; std::size_t at; } cases[] = {
        {kStraddleYi, "一", no}, {kStraddleSi, "四", no}, {kStraddleGB, "GB", no},
        {"A一", "一", 1}, {kStraddleYi + "一", "一", 4}, {"钢板,折弯", ",", 4},
        {"钢板,折弯", "折弯", 5}, {"", "", 0}, {"折", "折弯", no},
    };
    for (const auto& c : cases) EXPECT_EQ(c.at, gbk_find(c.text, c.part)) << c.text << " / " << c.part;
}

TEST(StockCategory, SplitsAtFirstAndLastComma) {
    struct Case { std::string text, category, modifier; } cases[] = {
        {"钢板,折弯", "钢板", "折弯"}, {"圆钢,两边折弯", "圆钢", "两边折弯"}, {"钢板", "钢板", "钢板"},
        {"钢板,折弯,一边", "钢板", "折弯"}, {"a,b,c,d", "a", "b,c"}, {",折弯", "", "折弯"},
        {"钢板,", "钢板", ""}, {"", "", ""},
        // A stray lead byte must not swallow the separator after it.
        {"\xB0,x", "\xB0", "x"},
    };
    for (const auto& c : cases) {
        Category got = split_category(c.text);
        EXPECT_EQ(c.category, got.category) << c.text;
        EXPECT_EQ(c.modifier, got.modifier) << c.text;
    }
}

TEST(StockRecord, ParsesWholeAndDamagedRecords) {
    struct Case { std::string text; double a, b, c, d, e; } cases[] = {
        {"5,100-200-5.0,780.0", 5, 100, 200, 5, 780},
        {"2.0,300-500-2.0,12.5", 2, 300, 500, 2, 12.5},
        {"", 0, 0, 0, 0, 0},
        {"5", 5, 0, 0, 0, 0},
        {"abc,-,-,", 0, 0, 0, 0, 0},
        // One hyphen and one comma: first and last coincide and the pieces run on.
        {"5,100-200", 5, 100, 200, 200, 100},
        {"5,100-200-5.0", 5, 100, 200, 5, 100},
        {"\xB0" "5,100-200-5.0,1", 0, 100, 200, 5, 1},
    };
    for (const auto& c : cases) {
        Record r = parse_record(c.text);
        EXPECT_EQ(c.a, r.a) << c.text;
        EXPECT_EQ(c.b, r.b) << c.text;
        EXPECT_EQ(c.c, r.c) << c.text;
        EXPECT_EQ(c.d, r.d) << c.text;
        EXPECT_EQ(c.e, r.e) << c.text;
    }
}

TEST(StockRecord, ParsesOutline) {
    struct Case { std::string text; double p, q, r; } cases[] = {
        {"50,300-500", 50, 300, 500}, {"", 0, 0, 0}, {"50", 50, 0, 0}, {"50,300", 50, 300, 0}, {"50-300", 50, 0, 300},
    };
    for (const auto& c : cases) {
        Outline o = parse_outline(c.text);
        EXPECT_EQ(c.p, o.p) << c.text;
        EXPECT_EQ(c.q, o.q) << c.text;
        EXPECT_EQ(c.r, o.r) << c.text;
    }
}

TEST(StockRecord, FormatsAndReadsBack) {
    EXPECT_EQ("5,100-200-5.0,780.0", format_plain_record(5, 100, 200, 5, 780));
    EXPECT_EQ("5,100-200-0.0,780.1", format_plain_record(4.6, 99.7, 200.4, 0, 780.06));
    EXPECT_EQ("2.0,300-500-2.0,12.3", format_bent_record(2, 300, 500, 2, 12.34));
    EXPECT_EQ("50,300-500", format_outline(50, 300, 499.6));
    Record r = parse_record(format_bent_record(1.5, 300, 500, 1.5, 42.25));
    EXPECT_EQ(1.5, r.a);
    EXPECT_EQ(1.5, r.d);
    EXPECT_EQ(500, r.c);
    // Huge figures are never cut short.
    std::string big = format_plain_record(1e20, 1e20, 1e20, 1e20, 1e20);
    EXPECT_EQ(1e20, parse_record(big).e) << big;
}

TEST(StockMaterial, KnownCategoriesAreQ235OthersPassThrough) {
    struct Case { std::string text, material; } cases[] = {
        {"钢板", "Q235"}, {"钢板,折弯", "Q235"}, {"扁钢,折弯", "Q235"}, {"方管", "Q235"}, {"矩形管", "Q235"},
        {"角钢", "Q235"}, {"圆钢,两边折弯", "Q235"}, {"无缝钢管", "Q235"}, {"焊管", "Q235"}, {"ZW24钢板网", "Q235"},
        {"铝板", "铝板"}, {"铝板,折弯", "铝板,折弯"}, {"钢板网", "钢板网"}, {",钢板", ",钢板"}, {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(c.material, material_of(c.text)) << c.text;
}

TEST(StockSpecification, FormatsByCategory) {
    const std::string plate = "5,100-200-5.0,780.0";
    struct Case { std::string text, record, spec; } cases[] = {
        {"钢板", plate, "钢板(5.0X100X200)"}, {"钢板,折弯", "2.0,300-500-2.0,1", "钢板(2.0X300X500)"},
        {"方管", "40,60-3000-2.5,1", "方管(60X40X2.5-3000)"}, {"矩形管", "40,60-3000-2.5,1", "矩形管(60X40X2.5-3000)"},
        {"角钢", "40,40-900-4.0,1", "角钢(40X40X4.0-900)"}, {"无缝钢管", "32,32-1000-3.5,1", "无缝钢管(Φ32X3.5-1000)"},
        {"焊管", "32,32-1000-3.5,1", "焊管(Φ32X3.5-1000)"}, {"扁钢", "5,50-600-5.0,1", "扁钢(5.0X50-600)"},
        {"圆钢", "20,20-400-5.0,1", "圆钢(Φ20-400)"}, {"圆钢,两边折弯", "20,20-400-5.0,1", "圆钢(Φ20-420)"},
        {"圆钢,两边折弯,x", "20,20-400-5.0,1", "圆钢(Φ20-420)"}, {"圆钢,一边折弯", "20,20-400-5.0,1", "圆钢(Φ20-400)"},
        {"圆钢,两边折弯 ", "20,20-400-5.0,1", "圆钢(Φ20-400)"}, {"ZW24钢板网", plate, "ZW24钢板网(5X100X200)"},
        {"铝板", plate, "铝板(5X100X200)"}, {"铝板,折弯", plate, "铝板(5X100X200)"},
        {"", plate, ""}, {",钢板", plate, ""}, {"钢板", "", "钢板(0.0X0X0)"},
        // Shorter than thick: a spacer and a sleeve keep their diameter and length apart.
        {"圆钢", "20,30-30-0.0,1", "圆钢(Φ30-20)"}, {"无缝钢管", "20,60-60-3.6,1", "无缝钢管(Φ60X3.6-20)"},
        {"圆钢", "30,30-30-0.0,1", "圆钢(Φ30-30)"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.spec, specification_of(c.text, c.record)) << c.text;
    EXPECT_EQ(std::optional<std::string>(u8"圆钢(Φ20-420)"), gbk_to_utf8(specification_of("圆钢,两边折弯", "20,20-400-5.0,1")));
}

TEST(StockRemark, FollowsTheRulesInOrder) {
    const std::string rec = "2.0,300-500-2.0,1";
    struct Case { std::string number, category, outline, remark; bool failed; } cases[] = {
        {"GB/T 5783", "钢板,折弯一", "50,300-400", "外购件", false},
        {"GB", "", "", "外购件", false},
        {"gb5783", "", "", "按图制作", false},
        {"G", "", "", "按图制作", false},
        {"国标5783", "", "", "按图制作", false},
        {kStraddleGB, "", "", "按图制作", false},
        {"QEL-001", "钢板,折弯", "50,300-500", "按图制作", false},
        {"", "扁钢,折弯一", "5,50-600", "一边折弯50外包(50X600)", false},
        {"", "扁钢,折弯二", "5,50-600", "两边折弯50外包(50X600)", false},
        {"", "扁钢,折弯", "5,50-600", "折弯50外包(50X600)", false},
        {"", "钢板,折弯,一边", "50,300-400", "一边折弯50外包(300X400)", false},
        {"", "钢板,折弯二", "50,300-400", "二边折弯50外包(300X400)", false},
        {"", "钢板,折弯三", "50,300-400", "三边折弯50外包(300X400)", false},
        {"", "钢板,折弯四", "50,300-400", "四边折弯50外包(300X400)", false},
        {"", "钢板,折弯", "50,300-500", "", true},
        {"", "钢板,折弯", "50,300-400", "折弯50外包(300X400)", false},
        {"", "钢板,折弯", "50,250-500", "折弯50外包(250X500)", false},
        // Rule order decides, not the position of the word in the text.
        {"", "钢板,折弯二一", "50,300-400", "一边折弯50外包(300X400)", false},
        {"", "扁钢,折弯二三", "5,50-600", "两边折弯50外包(50X600)", false},
        {"", "钢板,折弯三四", "50,300-400", "三边折弯50外包(300X400)", false},
        {"", "钢板,折弯一", "50,300-500", "一边折弯50外包(300X500)", false},
        {"", "钢板,折弯 扁钢,折弯", "5,50-600", "折弯50外包(50X600)", false},
        {"", "钢板,折弯" + kStraddleYi, "50,300-400", "折弯50外包(300X400)", false},
        {"", "钢板,折弯" + kStraddleSi, "50,300-400", "折弯50外包(300X400)", false},
        {"", "钢板,一边折弯", "50,300-400", "", false},
        {"", "钢板", "50,300-400", "", false},
    };
    for (const auto& c : cases) {
        Remark r = remark_of(c.number, c.category, rec, c.outline);
        EXPECT_EQ(c.remark, r.text) << c.number << " / " << c.category << " / " << c.outline;
        EXPECT_EQ(c.failed, r.unfold_failed) << c.number << " / " << c.category << " / " << c.outline;
    }
    EXPECT_EQ("折弯50外包(300X400)", remark_of("", "钢板,折弯", "garbage", "50,300-400").text);
}

TEST(StockIdentity, TolerancesAreInclusive) {
    const BodyFigures ref{10, 24, 1000.0, 785.0};
    struct Case { BodyFigures other; bool same; } cases[] = {
        {{10, 24, 1000.0, 785.0}, true},   {{10, 24, 1005.0, 785.0}, true},   {{10, 24, 995.0, 785.0}, true},
        {{10, 24, 1005.001, 785.0}, false}, {{10, 24, 994.999, 785.0}, false}, {{10, 24, 1000.0, 788.0}, true},
        {{10, 24, 1000.0, 782.0}, true},   {{10, 24, 1000.0, 788.001}, false}, {{10, 24, 1000.0, 781.999}, false},
        {{11, 24, 1000.0, 785.0}, false},  {{10, 23, 1000.0, 785.0}, false},  {{10, 24, std::nan(""), 785.0}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.same, same_body(ref, c.other)) << c.other.volume << " " << c.other.mass;
        EXPECT_EQ(c.same, same_body(c.other, ref)) << c.other.volume << " " << c.other.mass;
    }
    // A 50x6x400 flat bar and a 20x20x300 square bar: six faces, twelve edges, 120 000 mm3 each, and
    // surfaces of 45 400 and 24 800 mm2. A surface the kernel does not give decides nothing.
    const BodyFigures flat{6, 12, 120000.0, 936.0, 45400.0};
    EXPECT_FALSE(same_body(flat, {6, 12, 120000.0, 936.0, 24800.0}));
    EXPECT_TRUE(same_body(flat, {6, 12, 120000.0, 936.0, 45405.0}));
    EXPECT_FALSE(same_body(flat, {6, 12, 120000.0, 936.0, 45405.001}));
    EXPECT_TRUE(same_body(flat, {6, 12, 120000.0, 936.0, -1}));
}

TEST(StockPlaceKey, RoundsCornersToWholeMillimetres) {
    struct Case { double box[6]; std::string key; } cases[] = {
        {{0.4, 0.6, 10, 200.4, 99.6, 5}, "0x1x10-200x100x5"},
        {{-0.4, -0.6, -1e-12, 1.4, 1.6, 0}, "0x-1x0-1x2x0"},
        {{-120.2, 35.5, 0, 80, 36.5, 12}, "-120x36x0-80x36x12"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.key, place_key(c.box));
    double a[6] = {0.4, 0, 0, 10.4, 10, 10}, b[6] = {-0.3, 0, 0, 9.6, 10, 10}, d[6] = {0.6, 0, 0, 10.4, 10, 10};
    EXPECT_EQ(place_key(a), place_key(b));
    EXPECT_NE(place_key(a), place_key(d));
}

TEST(StockWorkingMode, NumberedSheetsMakeModeOne) {
    auto sheets = [](int numbered, int other) {
        std::vector<std::string> v(numbered, "001");
        v.insert(v.end(), other, "A01");
        return v;
    };
    struct Case { std::vector<std::string> names; int mode; } cases[] = {
        {{"001", "002", "003"}, 1}, {{"001", "A01"}, 2}, {{}, 2}, {sheets(9, 1), 1}, {sheets(18, 2), 1},
        {sheets(8, 1), 2}, {sheets(17, 2), 2}, {{"00"}, 1}, {{"0"}, 2}, {{""}, 2}, {{"0A0"}, 1}, {{"A00"}, 1},
        {{"100"}, 1}, {{"A0B0"}, 2}, {{"Sheet1"}, 2}, {{"图纸001"}, 2},
    };
    for (const auto& c : cases) EXPECT_EQ(c.mode, working_mode(c.names)) << c.names.size();
}
