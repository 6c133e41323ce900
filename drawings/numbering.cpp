// Drawing numbers and names onto the assembly, and layer mode: bodies onto layers, one sheet each.
#include <algorithm>
#include <cstdlib>
#include <map>
#include <uf.h>
#include <uf_assem.h>
#include <uf_draw.h>
#include <uf_layer.h>
#include <uf_modl.h>
#include <uf_obj.h>
#include <uf_object_types.h>
#include <uf_part.h>
#include <uf_plist.h>
#include <uf_ui.h>
#include "common/attributes.hpp"
#include "common/report.hpp"
#include "common/uf_bracket.hpp"
#include "components/assembly_queries.hpp"
#include "components/naming.hpp"
#include "drawings/BlockStyler2D.hpp"

namespace {

const char* kMarked = REMARK_MARKED;

void message(const std::string& text) { uc1601(text.c_str(), 1); }

int layerOf(tag_t object) {
    UF_OBJ_disp_props_t props{};
    UF_OBJ_ask_display_properties(object, &props);
    return props.layer;
}

int count(const std::vector<std::string>& list, const std::string& value) {
    return static_cast<int>(std::count(list.begin(), list.end(), value));
}

}  // namespace

void BlockStyler2D::所有实体写属性(bool& occurrenceSet, bool& plainSet, tag_t object, const std::string& value, const char* title) {
    if (occurrenceSet && plainSet) return;
    UfBracket bracket;
    if (UF_ASSEM_is_occurrence(object)) {
        occurrenceSet = true;
        写字符串属性(UF_ASSEM_ask_prototype_of_occ(object), title, value);
        写字符串属性(object, title, value);
    } else {
        plainSet = true;
        写字符串属性(object, title, value);
    }
}

int BlockStyler2D::批量修改零件图号() {
    写部件图号(true);
    return 0;
}

void BlockStyler2D::写部件图号(bool singleParts) {
    UfBracket bracket;
    beginRun();
    const std::string prefix = text(tuhao), assembly = text(ming);
    tag_t work = UF_ASSEM_ask_work_part();
    写字符串属性(work, ATTR_PART_NO, prefix);
    写字符串属性(work, ATTR_PART_NAME, assembly);
    std::vector<tag_t> multi, single;
    得到组件及零件的tag(multi, single);
    // Every component of the list by its drawing name, read once: each sub-assembly's number goes to all of them.
    std::map<std::string, std::vector<tag_t>> byName;
    for (tag_t c : components_) {
        std::vector<std::string> parts;
        得到路径名称部件(c, parts);
        byName[parts[0]].push_back(c);
    }
    for (tag_t c : multi) {
        std::vector<std::string> parts;
        得到路径名称部件(c, parts);
        const std::string number = prefix + "-" + parts[1];
        写字符串属性(c, ATTR_PART_NO, number);
        写字符串属性(c, ATTR_PART_NAME, parts[0]);
        for (tag_t same : byName[parts[0]]) {
            写字符串属性(same, ATTR_PART_NO, number);
            写字符串属性(same, ATTR_PART_NAME, parts[0]);
        }
    }
    if (singleParts) {
        for (tag_t c : single) {
            std::vector<std::string> parts;
            得到路径名称零件(c, parts);
            if (parts[0].empty()) {
                message("零件无名称属性,无法创建图号");
                continue;
            }
            const std::string number = prefix + "-" + parts[1];
            workBodies();
            for (tag_t b : bodiesByName_[parts[0]]) {
                bool occurrence = false, plain = false;
                所有实体写属性(occurrence, plain, b, number, ATTR_PART_NO);
                所有实体写属性(occurrence, plain, b, parts[0], ATTR_PART_NAME);
            }
            写字符串属性(c, ATTR_PART_NO, number);
            写字符串属性(c, ATTR_PART_NAME, parts[0]);
        }
    }
    running_ = false;
}

int BlockStyler2D::批量修改零件图号_图层出图() {
    UfBracket bracket;
    写部件图号(false);
    const std::string prefix = text(tuhao);
    std::vector<tag_t> bodies;
    得到工作部件所有的实体(bodies);
    for (tag_t b : bodies) {
        if (得到体的属性(b, ATTR_REMARK) != kMarked) continue;
        std::string number = 得到体的属性(b, ATTR_PART_NO);
        if (!naming::contains(number, "-")) continue;
        // The whole number after its prefix is kept, however long.
        bool occurrence = false, plain = false;
        所有实体写属性(occurrence, plain, b, prefix + "-" + drawing::afterFirstDash(number), ATTR_PART_NO);
    }
    return 0;
}

void BlockStyler2D::得到所有出图的数组zong_tag_ys(std::vector<std::string>& names, std::vector<tag_t>& bodies) {
    UfBracket bracket;
    tag_t part = UF_ASSEM_ask_work_part();
    for (tag_t t = UF_OBJ_cycle_objs_in_part(part, UF_solid_type, NULL_TAG); t != NULL_TAG; t = UF_OBJ_cycle_objs_in_part(part, UF_solid_type, t)) {
        int type = 0, subtype = 0, bodyType = 0;
        UF_OBJ_ask_type_and_subtype(t, &type, &subtype);
        if (subtype != UF_solid_body_subtype) continue;
        UF_MODL_ask_body_type(t, &bodyType);
        if (bodyType != UF_MODL_SOLID_BODY) continue;
        std::string remark = 得到体的属性(t, ATTR_REMARK), name = 得到体的属性(t, ATTR_PART_NAME);
        if (remark != kMarked || name.empty()) continue;
        names.push_back(name);
        bodies.push_back(t);
    }
}

void BlockStyler2D::得到出过图的数组b及未出过图的数组a(tag_t component, std::vector<tag_t>& drawn, std::vector<tag_t>& undrawn) {
    UfBracket bracket;
    drawn.clear();
    undrawn.clear();
    const std::string tail = naming::afterLastDash(wholeName(component));
    const int layer = layerOf(component);
    std::vector<tag_t> bodies;
    得到组件下所有的实体(component, bodies);
    std::vector<std::string> undrawnNames;
    for (tag_t b : bodies) {
        if (得到体的属性(b, ATTR_REMARK) != kMarked) continue;
        std::string name = 得到体的属性(b, ATTR_PART_NAME), number = 得到体的属性(b, ATTR_PART_NO);
        madeNames_.push_back(name);
        if (!naming::contains(number, "-")) {
            if (std::find(undrawnNames.begin(), undrawnNames.end(), name) == undrawnNames.end()) {
                undrawnNames.push_back(name);
                undrawn.push_back(b);
            }
            continue;
        }
        const long long n = naming::atoiValue(naming::afterLastDash(number));
        const std::string head = naming::beforeLastDash(number);
        if (!naming::contains(number, tail) && naming::contains(head, "-")) continue;
        drawnBodies_.push_back(b);
        const int at = layerOf(b);
        if (at != layer && at != drawing::kParkingLayer) {
            largest_ = std::max(largest_, n);
            drawn.push_back(b);
        }
    }
}

int BlockStyler2D::图层出图() {
    UfBracket bracket;
    beginRun();
    ProgressBar bar;
    const std::string prefix = text(tuhao);
    std::vector<std::string> allNames;
    std::vector<tag_t> allMarked;
    得到所有出图的数组zong_tag_ys(allNames, allMarked);
    std::vector<tag_t> comps;
    得到所有组件的数组(comps);
    for (tag_t c : components_)
        if (drawing::outsideBlocks(layerOf(c))) UF_OBJ_set_layer(c, drawing::kParkingLayer);
    UF_LAYER_set_status(drawing::kParkingLayer, UF_LAYER_REFERENCE_LAYER);
    UF_LAYER_set_status(drawing::kIgnoredLayer, UF_LAYER_REFERENCE_LAYER);
    // Marked bodies of the whole part by name, read once: numbers go to every body of a name.
    std::map<std::string, std::vector<tag_t>> markedByName;
    for (size_t i = 0; i < allMarked.size(); ++i) markedByName[allNames[i]].push_back(allMarked[i]);
    for (tag_t c : comps) {
        设置组件精确显示(c);
        std::vector<tag_t> drawn, undrawn;
        得到出过图的数组b及未出过图的数组a(c, drawn, undrawn);
        struct Clear {
            BlockStyler2D& d;
            ~Clear() { d.madeNames_.clear(); d.drawnBodies_.clear(); d.largest_ = 0; }
        } clear{*this};
        const std::string stem = componentStem(c), tail = naming::afterLastDash(stem);
        const std::string name = drawing::assemblySheet(stem, "").name;
        const long long N = naming::sequenceNumber(tail);
        if (!naming::allDigits(tail) || N < 0) continue;
        const long long L = drawing::baseLayer(N);
        // Layers end at 256: a component (from 12 on) or a body whose layer would pass it is the one
        // thing not placed, and the user is told which.
        auto offLayers = [&](const std::string& what, long long layer) {
            message(what + "\n图层 " + std::to_string(layer) + " 超出图层范围(1 至 256),未放到该图层");
        };
        if (L < 1 || L > UF_LAYER_MAX_LAYER) {
            offLayers(stem, L);
            continue;
        }
        if (layerOf(c) != L) UF_OBJ_set_layer(c, static_cast<int>(L));
        auto place = [&](tag_t b, long long n) {
            if (n < 0) return;
            if (L + n <= UF_LAYER_MAX_LAYER) UF_OBJ_set_layer(b, static_cast<int>(L + n));
            else offLayers(得到体的属性(b, ATTR_PART_NAME) + " " + 得到体的属性(b, ATTR_PART_NO), L + n);
        };
        std::vector<long long> used = {0};
        for (tag_t b : drawn) {
            // Read as atoi reads it: X-2-7A is number 7.
            const long long n = naming::atoiValue(naming::afterLastDash(得到体的属性(b, ATTR_PART_NO)));
            used.push_back(n);
            place(b, n);
        }
        // Numbers past the free list go on in order, without gaps or repeats.
        naming::NumberSource numbers(used);
        const bool assembly = naming::contains(stem, "装配");
        for (tag_t b : undrawn) {
            if (naming::contains(得到体的属性(b, ATTR_PART_NO), "-")) continue;
            const int k = numbers.next();
            写字符串属性(b, ATTR_PART_NO, drawing::layerNumber(prefix, tail, k, assembly));
            place(b, k);
        }
        for (tag_t b : undrawn) {
            const std::string number = 得到体的属性(b, ATTR_PART_NO);
            for (tag_t same : markedByName[得到体的属性(b, ATTR_PART_NAME)]) {
                bool occurrence = false, plain = false;
                所有实体写属性(occurrence, plain, same, number, ATTR_PART_NO);
            }
        }
        bar.start(0, static_cast<int>(undrawn.size() + 2 + drawn.size()));
        if (!assembly) {
            const int M = layerOf(c);
            const std::string sheetName = std::to_string(M) + "-" + name + "-" + tail;
            layout_ = drawing::Layout();
            double scale = 0;
            A3部件比例设置(c, scale, false);
            if (创建工程图(name, "-" + tail, sheetName, "1", std::to_string(count(instanceNames_, stem)), "", layout_.usable(),
                           "\\qel-1\\bom\\A3_bujian.prt", c)) {
                bar.step(1);
                UF_DRAW_rename_drawing(currentSheet_, const_cast<char*>(sheetName.c_str()));
                UF_LAYER_set_status(M, UF_LAYER_REFERENCE_LAYER);
            }
        }
        auto bodySheet = [&](tag_t b, int position) {
            const std::string material = 得到体的属性(b, ATTR_MATERIAL), partName = 得到体的属性(b, ATTR_PART_NAME);
            const std::string spec = 得到体的属性(b, ATTR_SPEC), number = drawing::fromFirstDash(得到体的属性(b, ATTR_PART_NO));
            const int Lb = layerOf(b);
            const std::string sheetName = std::to_string(Lb) + "-" + partName + number;
            double scale = 0;
            A4比例设置(b, scale);
            if (!创建工程图(partName, number, sheetName, std::to_string(count(madeNames_, partName)), std::to_string(count(allNames, partName)),
                            spec + "-" + material, layout_.usable(), "\\qel-1\\bom\\A4_nj.prt", b))
                return;
            bar.step(position);
            UF_DRAW_rename_drawing(currentSheet_, const_cast<char*>(sheetName.c_str()));
            UF_LAYER_set_status(Lb, UF_LAYER_REFERENCE_LAYER);
        };
        for (size_t j = 0; j < undrawn.size(); ++j) bodySheet(undrawn[j], static_cast<int>(j) + 2);
        for (size_t j = 0; j < drawn.size(); ++j) bodySheet(drawn[j], static_cast<int>(undrawn.size() + 3 + j));
    }
    double scale = 0;
    A3总图比例设置(UF_ASSEM_ask_work_part(), scale);
    const std::string general = "0-总图-000";
    if (创建工程图("", "OOO", general, "", "", "", layout_.usable(), "\\qel-1\\bom\\A3_zong.prt", NULL_TAG))
        UF_DRAW_rename_drawing(currentSheet_, const_cast<char*>(general.c_str()));
    UF_PLIST_update_all_plists();
    int n = 0;
    tag_t* sheets = nullptr;
    UF_DRAW_ask_drawings(&n, &sheets);
    for (int i = 0; i < n; ++i) UF_DRAW_upd_out_of_date_views(sheets[i]);
    if (sheets) UF_free(sheets);
    bar.end();
    endRun();
    return 0;
}
