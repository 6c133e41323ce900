// Attributes, cycling, object state and the procedural boundary of the stand-in.
#include <cstring>
#include "fixture.h"
#include "uf_assem.h"
#include "uf_attr.h"
#include "uf_disp.h"
#include "uf_draw.h"
#include "draft/drafting.h"
#include "uf_layer.h"
#include "uf_obj.h"
#include "uf_part.h"

namespace {

int assign(tag_t o, const char* title, const char* value) {
    UF_ATTR_value_t v;
    v.type = UF_ATTR_string;
    v.value.string = const_cast<char*>(value);
    return UF_ATTR_assign(o, const_cast<char*>(title), v);
}

std::string read(tag_t o, const char* title, int type = UF_ATTR_any) {
    UF_ATTR_value_t v;
    EXPECT_EQ(0, UF_ATTR_read_value(o, const_cast<char*>(title), type, &v));
    if (v.type != UF_ATTR_string || !v.value.string) return "<absent>";
    std::string s = v.value.string;
    UF_free(v.value.string);
    return s;
}

}  // namespace

using AttrTest = HostTest;

TEST_F(AttrTest, StringsAreReadWholeAndReplacedInPlace) {
    host::Part& p = part("a.prt");
    tag_t b = plate(p, "b").tag;
    std::string longText(5000, 'x');
    longText += "钢板,折弯";
    ASSERT_EQ(0, assign(b, "REMARK", longText.c_str()));
    ASSERT_EQ(0, assign(b, "DB_PART_NAME", "底板"));
    ASSERT_EQ(0, assign(b, "REMARK", "按图制作"));
    EXPECT_EQ("按图制作", read(b, "REMARK"));
    EXPECT_EQ("底板", read(b, "DB_PART_NAME"));
    // Replacing keeps the order titles were first given in.
    ASSERT_EQ(0, assign(b, "guige", longText.c_str()));
    EXPECT_EQ(longText, read(b, "guige"));
    auto& attrs = host::session().object(b).attrs;
    ASSERT_EQ(3u, attrs.size());
    EXPECT_EQ("REMARK", attrs[0].title);
    EXPECT_EQ("guige", attrs[2].title);
}

TEST_F(AttrTest, AbsentTitlesAndOtherTypesReadAsNothing) {
    host::Part& p = part("a.prt");
    tag_t b = plate(p, "b").tag;
    EXPECT_EQ("<absent>", read(b, "DB_PART_NAME"));
    UF_ATTR_value_t n;
    n.type = UF_ATTR_integer;
    n.value.integer = 7;
    ASSERT_EQ(0, UF_ATTR_assign(b, const_cast<char*>("COUNT"), n));
    EXPECT_EQ("<absent>", read(b, "COUNT", UF_ATTR_string));
    UF_ATTR_value_t v;
    ASSERT_EQ(0, UF_ATTR_read_value(b, const_cast<char*>("COUNT"), UF_ATTR_any, &v));
    EXPECT_EQ(UF_ATTR_integer, v.type);
    EXPECT_EQ(7, v.value.integer);
    // Titles are case-sensitive.
    assign(b, "REMARK", "外购件");
    int found = -1;
    UF_ATTR_find_attribute(b, UF_ATTR_any, const_cast<char*>("remark"), &found);
    EXPECT_EQ(0, found);
    UF_ATTR_find_attribute(b, UF_ATTR_any, const_cast<char*>("REMARK"), &found);
    EXPECT_EQ(UF_ATTR_string, found);
}

TEST_F(AttrTest, DeleteAllHonoursTheType) {
    host::Part& p = part("a.prt");
    tag_t b = plate(p, "b").tag;
    assign(b, "DB_PART_NO", "100-1");
    UF_ATTR_value_t n;
    n.type = UF_ATTR_real;
    n.value.real = 2.5;
    UF_ATTR_assign(b, const_cast<char*>("W"), n);
    ASSERT_EQ(0, UF_ATTR_delete_all(b, UF_ATTR_string));
    EXPECT_EQ("<absent>", read(b, "DB_PART_NO"));
    int count = 0;
    UF_ATTR_count_attributes(b, UF_ATTR_any, &count);
    EXPECT_EQ(1, count);
    ASSERT_EQ(0, UF_ATTR_delete_all(b, UF_ATTR_any));
    UF_ATTR_count_attributes(b, UF_ATTR_any, &count);
    EXPECT_EQ(0, count);
}

TEST_F(AttrTest, BadCallsFailWithAStatusAndLeaveTheObjectAlone) {
    host::Part& p = part("a.prt");
    tag_t b = plate(p, "b").tag;
    EXPECT_EQ(UF_err_invalid_tag, assign(999999, "REMARK", "x"));
    EXPECT_NE(0, assign(b, "", "x"));
    UF_ATTR_value_t v;
    v.type = UF_ATTR_string;
    v.value.string = nullptr;
    EXPECT_NE(0, UF_ATTR_assign(b, const_cast<char*>("REMARK"), v));
    EXPECT_TRUE(host::session().object(b).attrs.empty());
    // Every failure is told to the system log with the function's name.
    ASSERT_FALSE(host::session().syslog.empty());
    EXPECT_EQ(0u, host::session().syslog.back().rfind("UF_ATTR_assign failed", 0));
    // Outside the initialise/terminate bracket the host refuses.
    UF_terminate();
    EXPECT_EQ(UF_err_program_not_initialized, assign(b, "REMARK", "x"));
    UF_initialize();
}

using CycleTest = HostTest;

TEST_F(CycleTest, ObjectsComeInCreationOrderSkippingDeadOnesAndOtherTypes) {
    host::Part& p = part("a.prt");
    tag_t a = plate(p, "a").tag;
    host::session().create(p, UF_view_type, 0);
    tag_t b = plate(p, "b").tag;
    tag_t c = plate(p, "c").tag;
    tag_t d = plate(p, "d").tag;
    ASSERT_EQ(0, UF_OBJ_delete_object(c));
    std::vector<tag_t> seen;
    for (tag_t t = UF_OBJ_cycle_objs_in_part(p.tag, UF_solid_type, NULL_TAG); t; t = UF_OBJ_cycle_objs_in_part(p.tag, UF_solid_type, t))
        seen.push_back(t);
    EXPECT_EQ((std::vector<tag_t>{a, b, d}), seen);
    EXPECT_EQ(UF_OBJ_DELETED, UF_OBJ_ask_status(c));
    // Deleting the object the cycle stands on lets the cycle go on from its place, not start over.
    ASSERT_EQ(0, UF_OBJ_delete_object(b));
    EXPECT_EQ(d, UF_OBJ_cycle_objs_in_part(p.tag, UF_solid_type, b));
    EXPECT_EQ(NULL_TAG, UF_OBJ_cycle_objs_in_part(p.tag, UF_solid_type, 424242));
}

TEST_F(CycleTest, OccurrenceBodiesComeAfterTheAssemblysOwnBodies) {
    host::Part& child = part("frame-2.prt");
    tag_t proto = plate(child, "横梁").tag;
    host::Part& top = part("plant.prt");
    tag_t own = plate(top, "底板").tag;
    host::Instance in;
    in.pid = top.nextPid++;
    in.file = child.path;
    in.name = "frame-2";
    top.instances.push_back(in);
    host::session().syncOccurrences(top);
    std::vector<tag_t> bodies;
    for (tag_t t = UF_OBJ_cycle_objs_in_part(top.tag, UF_solid_type, NULL_TAG); t; t = UF_OBJ_cycle_objs_in_part(top.tag, UF_solid_type, t))
        bodies.push_back(t);
    ASSERT_EQ(2u, bodies.size());
    EXPECT_EQ(own, bodies[0]);
    tag_t comp = UF_OBJ_cycle_objs_in_part(top.tag, UF_component_type, NULL_TAG);
    ASSERT_NE(NULL_TAG, comp);
    EXPECT_EQ(NULL_TAG, UF_OBJ_cycle_objs_in_part(top.tag, UF_component_type, comp));
    tag_t occ = UF_ASSEM_cycle_objs_in_comp(comp, NULL_TAG);
    EXPECT_EQ(bodies[1], occ);
    EXPECT_TRUE(UF_ASSEM_is_occurrence(occ));
    EXPECT_EQ(proto, UF_ASSEM_ask_prototype_of_occ(occ));
    EXPECT_EQ(comp, UF_ASSEM_ask_parent_component(occ));
    // A second sync finds everything in place and makes nothing new.
    size_t n = top.objects.size();
    host::session().syncOccurrences(top);
    EXPECT_EQ(n, top.objects.size());
}

using DisplayTest = HostTest;

TEST_F(DisplayTest, LayersColoursAndBlankingAreCheckedAndKept) {
    host::Part& p = part("a.prt");
    tag_t b = plate(p, "b").tag;
    EXPECT_EQ(0, UF_OBJ_set_layer(b, 171));
    EXPECT_NE(0, UF_OBJ_set_layer(b, 0));
    EXPECT_NE(0, UF_OBJ_set_layer(b, 257));
    EXPECT_EQ(0, UF_OBJ_set_color(b, 186));
    EXPECT_NE(0, UF_OBJ_set_translucency(b, 101));
    EXPECT_EQ(0, UF_OBJ_set_blank_status(b, UF_OBJ_BLANKED));
    UF_OBJ_disp_props_t d;
    ASSERT_EQ(0, UF_OBJ_ask_display_properties(b, &d));
    EXPECT_EQ(171, d.layer);
    EXPECT_EQ(186, d.color);
    EXPECT_EQ(UF_OBJ_BLANKED, d.blank_status);

    int status = -1;
    UF_LAYER_set_status(171, UF_LAYER_INACTIVE_LAYER);
    UF_LAYER_ask_status(171, &status);
    EXPECT_EQ(UF_LAYER_INACTIVE_LAYER, status);
    // The work layer cannot be hidden; making another layer the work layer frees the old one.
    EXPECT_NE(0, UF_LAYER_set_status(1, UF_LAYER_INACTIVE_LAYER));
    UF_LAYER_set_status(5, UF_LAYER_WORK_LAYER);
    UF_LAYER_ask_status(1, &status);
    EXPECT_EQ(UF_LAYER_ACTIVE_LAYER, status);

    UF_DISP_set_highlight(b, 1);
    UF_PART_cleanup(UF_PART_cleanup_highlight);
    int h = 1;
    UF_DISP_ask_highlight(b, &h);
    EXPECT_EQ(0, h);
}

TEST_F(DisplayTest, NamesAreCutOnCharacterBoundaries) {
    host::Part& p = part("a.prt");
    tag_t b = plate(p, "b").tag;
    // 40 bytes of two-byte characters do not fit the 31-byte buffer: 15 whole characters come back.
    std::string name;
    for (int i = 0; i < 20; ++i) name += "钢";
    UF_OBJ_set_name(b, name.c_str());
    char out[UF_OBJ_NAME_BUFSIZE];
    ASSERT_EQ(0, UF_OBJ_ask_name(b, out));
    EXPECT_EQ(30u, std::strlen(out));
    EXPECT_EQ(name.substr(0, 30), out);
}

using SheetIndexTest = HostTest;

// Sheets are found by name at constant cost, through renames by either call, deletions and sheets
// named after they were made; a name two sheets cannot share is refused.
TEST_F(SheetIndexTest, SheetsAreFoundByTheNamesTheyHaveNow) {
    host::Session& s = host::session();
    host::Part& p = s.newPart((dir / "sheets-1.prt").string());
    host::Object& a = s.addSheet(p, "a");
    host::Object& b = s.addSheet(p, "b");
    EXPECT_EQ(&a, s.sheetNamed(p, "a"));
    ASSERT_EQ(0, UF_DRAW_rename_drawing(a.tag, const_cast<char*>("c")));
    EXPECT_EQ(nullptr, s.sheetNamed(p, "a"));
    EXPECT_EQ(&a, s.sheetNamed(p, "c"));
    EXPECT_NE(0, UF_DRAW_rename_drawing(b.tag, const_cast<char*>("c")));
    EXPECT_EQ("b", b.name);
    ASSERT_EQ(0, UF_OBJ_set_name(b.tag, "d"));
    EXPECT_EQ(&b, s.sheetNamed(p, "d"));
    host::draft::deleteSheet(a);
    EXPECT_EQ(nullptr, s.sheetNamed(p, "c"));
    host::Object& again = s.addSheet(p, "c");
    EXPECT_EQ(&again, s.sheetNamed(p, "c"));
}
