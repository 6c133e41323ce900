// Knowledge Fusion rules and the workbooks they write.
#include <fstream>
#include <zip.h>
#include "files/paths.h"
#include "fixture.h"
#include "kf/excel.h"
#include "kf/rules.h"
#include "kf/xlsx.h"
#include "files/sheetjson.h"
#include "uf_cfi.h"
#include "uf_kf.h"
#include "uf_modl.h"

namespace fs = std::filesystem;

namespace {

std::string entry(const fs::path& file, const char* name) {
    int err = 0;
    zip_t* z = zip_open(file.c_str(), ZIP_RDONLY, &err);
    if (!z) return "";
    zip_stat_t st;
    std::string out;
    if (zip_stat(z, name, 0, &st) == 0) {
        zip_file_t* f = zip_fopen(z, name, 0);
        out.resize(st.size);
        zip_fread(f, out.data(), st.size);
        zip_fclose(f);
    }
    zip_close(z);
    return out;
}

const fs::path kTemplate = fs::path(VORTA_BINARY_DIR) / u8"base/qel-1/bom/明细表模版.xlsx";

}  // namespace

TEST(KfRules, WhatTheModuleWritesParsesAndTheRestIsRefused) {
    for (const char* ok : {R"(ug_excel_open_file("Z:\\a\\qel.xlsx",Write))", R"(ug_excel_write_range(open:,{1,4,3,4,3,"a \"b\", {c}"}))",
                           "{Write0:, Write1:,Write2: }", "{close:}", "ug_excel_close_file(open:,True)", "{}", "-1.5e3", "{1, {2, 3}}"})
        EXPECT_NO_THROW(host::kf::parse(ok)) << ok;
    for (const char* bad : {"", "open", "open: +", "f(", "{1,", "\"unclosed", "\"bad \\q\"", "Write0: Write1:", "1x", "f(x:) y"})
        EXPECT_THROW(host::kf::parse(bad), host::kf::KfError) << bad;
}

TEST(KfRules, RulesEvaluateOnceByReferenceAndFailuresAreLogged) {
    host::kf::Rules r;
    std::vector<std::string> log;
    auto collect = [&](const std::string& m) { log.push_back(m); };
    r.set("a", "Integer Parameter", "7");
    r.set("l", "List Parameter", "{a:, a:, True}");
    r.update(collect);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(3u, r.value("l").list.size());
    EXPECT_EQ(7, r.value("l").list[0].i);
    r.set("wrong", "Boolean Parameter", "1");
    r.set("loop", "List Parameter", "{loop:}");
    r.set("missing", "List Parameter", "{nothing:}");
    r.set("unknown", "Boolean Parameter", "no_such_function(1)");
    r.update(collect);
    EXPECT_EQ(4u, log.size());
    EXPECT_EQ(host::kf::Value::None, r.value("loop").kind);
    EXPECT_TRUE(r.remove("a"));
    EXPECT_FALSE(r.remove("a"));
    EXPECT_THROW(r.set("x", "Colour Parameter", "1"), host::kf::KfError);
}

using WorkbookTest = HostTest;

TEST_F(WorkbookTest, CellsAreWrittenIntoACopyAndTheRestOfTheFileStays) {
    ASSERT_TRUE(fs::exists(kTemplate));
    const std::string working = host::paths::toWindows((dir / "qel").string());
    ASSERT_EQ(0, uc4567(host::paths::toWindows(kTemplate.string()).c_str(), working.c_str(), 1, 254, 254));
    ASSERT_TRUE(fs::exists(dir / "qel.xlsx")) << working;  // a workbook gets its extension
    host::Part& p = part("a.prt");
    ASSERT_EQ(0, UF_KF_init_part(p.tag));
    // The path's "\" is escaped in the rule, as the module escapes it.
    std::string escaped;
    for (char c : "ug_excel_open_file(\"" + working + ".xlsx\",Write)") escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
    ASSERT_EQ(0, UF_KF_create_rule_no_update("Root:", "open", "Integer Parameter", escaped.c_str(), nullptr));
    ASSERT_EQ(0, UF_KF_create_rule_no_update("Root:", "w", "Boolean Parameter", "ug_excel_write_range(open:,{1,4,2,4,3,\"Q-1\",\"0012\"})", nullptr));
    ASSERT_EQ(0, UF_KF_create_rule_no_update("Root:", "n", "Boolean Parameter", "ug_excel_write_range(open:,{1,4,7,4,7,\"0.780000\"})", nullptr));
    ASSERT_EQ(0, UF_KF_create_rule_no_update("Root:", "c", "Boolean Parameter", "ug_excel_close_file(open:,True)", nullptr));
    EXPECT_NE(0, UF_KF_create_rule_no_update("Root:", "bad", "Boolean Parameter", "ug_excel_close_file(open:,", nullptr));
    EXPECT_NE(0, UF_KF_create_rule_no_update("Other:", "x", "Boolean Parameter", "True", nullptr));
    EXPECT_EQ(2u, host::session().syslog.size());  // the refused rules said why
    host::session().syslog.clear();
    ASSERT_EQ(0, UF_MODL_update());
    for (auto& l : host::session().syslog) ADD_FAILURE() << l;
    std::string sheet = entry(dir / "qel.xlsx", "xl/worksheets/sheet1.xml");
    EXPECT_NE(std::string::npos, sheet.find(R"(<c r="B4" t="inlineStr"><is><t xml:space="preserve">Q-1</t></is></c>)")) << sheet.substr(0, 3000);
    EXPECT_NE(std::string::npos, sheet.find(R"(<t xml:space="preserve">0012</t>)"));  // a code, not a number
    EXPECT_NE(std::string::npos, sheet.find(R"(<c r="G4"><v>0.780000</v></c>)"));
    EXPECT_NE(std::string::npos, sheet.find(R"(<c r="H4"><f>)"));                       // the template's formula stays
    EXPECT_EQ(entry(kTemplate, "xl/styles.xml"), entry(dir / "qel.xlsx", "xl/styles.xml"));
    EXPECT_FALSE(fs::exists(dir / "qel.xlsx.writing"));
}

TEST(WorkbookNumbers, PlainDecimalsAreNumbersAndCodesStayText) {
    for (const char* n : {"0", "1", "12", "-3", "0.780000", "2.5", "-0.5"}) EXPECT_TRUE(host::xlsx::plainNumber(n)) << n;
    for (const char* t : {"", "-", "007", "1e5", "+1", "1.", ".5", "1,5", "Q-1", "1 "}) EXPECT_FALSE(host::xlsx::plainNumber(t)) << t;
    // Fifteen digits a number keeps; a longer code would lose digits for good.
    for (const char* n : {"123456789012345", "0.00012345678901234", "-12345678.9012345"}) EXPECT_TRUE(host::xlsx::plainNumber(n)) << n;
    for (const char* t : {"1234567890123456", "12345678901234567890", "202312080001000123", "1.234567890123456"})
        EXPECT_FALSE(host::xlsx::plainNumber(t)) << t;
    EXPECT_EQ("A", host::xlsx::columnName(1));
    EXPECT_EQ("J", host::xlsx::columnName(10));
    EXPECT_EQ("AA", host::xlsx::columnName(27));
}

// Readers meet files they did not write: what fuzzing found stays refused with the readers' own errors.
TEST(ReadersRefuseDamage, AWorkbookClaimingAHugePartAndASheetOfNoFormat) {
    // A 30 KB archive whose directory claims a part of 4 GB: refused, not allocated.
    const std::string huge = VORTA_SOURCE_DIR "/tests/fuzz/corpus/workbook/5b8c249c5c8e667308860718cb455273bb642c4b";
    try {
        host::xlsx::Workbook w(huge);
        FAIL() << "a workbook claiming a 4 GB part was read";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("no workbook"), std::string::npos) << e.what();
    }
    // A "format" that is no string is a foreign file, told as the host tells it.
    for (const char* text : {"{\"format\":{}}", "{\"format\":7}", "{\"format\":[\"vorta-part\"]}"})
        EXPECT_THROW(host::sheetjson::firstSheet(text, "t.prt"), host::HostError) << text;
}
