// Component mode: a sheet for every sub-assembly and single part, and the general arrangement.
#include <cstdio>
#include <set>
#include <uf.h>
#include <uf_assem.h>
#include <uf_draw.h>
#include <uf_layer.h>
#include <uf_modl.h>
#include <uf_obj.h>
#include <uf_part.h>
#include <uf_plist.h>
#include "common/attributes.hpp"
#include "common/report.hpp"
#include "common/uf_bracket.hpp"
#include "components/assembly_queries.hpp"
#include "components/naming.hpp"
#include "drawings/BlockStyler2D.hpp"

namespace {

std::vector<std::string> partsOf(const drawing::SheetName& n) { return {n.name, n.tail, n.sheet, n.path, n.stem}; }

int count(const std::vector<std::string>& list, const std::string& value) {
    int n = 0;
    for (const std::string& s : list) n += s == value;
    return n;
}

}  // namespace

void BlockStyler2D::得到路径名称部件(tag_t component, std::vector<std::string>& parts) {
    std::string path = 得到新建组件的路径(component);
    parts = partsOf(drawing::assemblySheet(获取文件名和路径(path, 1), path));
}

void BlockStyler2D::得到路径名称零件(tag_t component, std::vector<std::string>& parts) {
    std::string path = 得到新建组件的路径(component);
    parts = partsOf(drawing::partSheet(获取文件名和路径(path, 1), path));
}

bool BlockStyler2D::判断图纸是否存在(const std::string& sheetName) {
    if (running_) return sheetNames_.count(sheetName) > 0;
    UfBracket bracket;
    int n = 0;
    tag_t* sheets = nullptr;
    UF_DRAW_ask_drawings(&n, &sheets);
    bool found = false;
    for (int i = 0; i < n && !found; ++i) found = wholeName(sheets[i]) == sheetName;
    if (sheets) UF_free(sheets);
    return found;
}

void BlockStyler2D::得到当前文件名称和路径(std::string& stem, std::string& path) {
    UfBracket bracket;
    char name[MAX_FSPEC_BUFSIZE] = "";
    UF_PART_ask_part_name(UF_PART_ask_display_part(), name);
    path = name;
    size_t slash = naming::lastOf(path, '\\');
    stem.clear();
    if (slash == std::string::npos) return;
    stem = path.substr(slash + 1);
    size_t dot = naming::lastOf(stem, '.');
    if (dot != std::string::npos) stem = stem.substr(0, dot);
}

int BlockStyler2D::找重叠体(const std::vector<tag_t>& bodies) {
    UfBracket bracket;
    std::set<std::string> keys;
    for (tag_t b : bodies) {
        double box[6] = {0, 0, 0, 0, 0, 0};
        UF_MODL_ask_bounding_box(b, box);
        char key[256];
        std::snprintf(key, sizeof key, "%.0fx%.0fx%.0f-%.0fx%.0fx%.0f", box[0], box[1], box[2], box[3], box[4], box[5]);
        keys.insert(key);
    }
    return static_cast<int>(keys.size());
}

int BlockStyler2D::得到数量及总数(tag_t prototype, tag_t parent, int& quantity, int& total) {
    std::string name = nameOf(prototype);
    // The names under a parent are counted once a run: many single parts share one parent.
    auto counted = quantitiesUnder_.find(parent);
    if (!running_ || counted == quantitiesUnder_.end()) {
        std::vector<tag_t> under;
        得到组件下所有的实体(parent, under);
        std::map<std::string, int> names;
        for (tag_t b : under) ++names[nameOf(b)];
        counted = quantitiesUnder_.insert_or_assign(parent, names).first;
    }
    auto q = counted->second.find(name);
    quantity = q == counted->second.end() ? 0 : q->second;
    workBodies();
    auto it = bodiesByName_.find(name);
    total = it == bodiesByName_.end() ? 0 : 找重叠体(it->second);
    return 0;
}

void BlockStyler2D::批量创建图纸及视图_assm() {
    UfBracket bracket;
    beginRun();
    ProgressBar bar;
    int workLayer = 1;
    UF_LAYER_ask_work_layer(&workLayer);
    UF_LAYER_set_status(drawing::kIgnoredLayer, UF_LAYER_ACTIVE_LAYER);
    std::vector<tag_t> multi, single;
    得到组件及零件的tag(multi, single);
    const int M = static_cast<int>(multi.size()), S = static_cast<int>(single.size());
    bar.start(0, M + 1 + S);
    for (int i = 0; i < M; ++i) {
        tag_t c = multi[i];
        std::vector<std::string> parts;
        得到路径名称部件(c, parts);
        if (!drawing::assemblyDrawn(parts[4]) || 判断图纸是否存在(parts[2])) continue;
        double scale = 0;
        A3部件比例设置(c, scale);
        scale = layout_.usable();
        std::string total = std::to_string(count(instanceNames_, parts[4]));
        bar.step(i);
        if (!创建图纸页(parts[0], "-" + parts[1], parts[2], "1", total, "", scale, "\\qel-1\\bom\\A3_bujian.prt", parts[3], parts[4])) continue;
        tag_t sheet = NULL_TAG;
        UF_DRAW_ask_current_drawing(&sheet);
        UF_DRAW_rename_drawing(sheet, const_cast<char*>(parts[2].c_str()));
        UF_DRAW_upd_out_of_date_views(sheet);
    }
    for (int j = 0; j < S; ++j) {
        tag_t c = single[j];
        std::vector<std::string> parts;
        得到路径名称零件(c, parts);
        if (判断图纸是否存在(parts[2]) || naming::contains(parts[4], "数模") || naming::lastOf(parts[4], '-') == std::string::npos) continue;
        std::vector<tag_t> bodies;
        得到组件下所有的实体(c, bodies);
        if (bodies.empty()) continue;
        tag_t b = bodies.front();
        std::string material = 得到体的属性(b, ATTR_SPEC) + "-" + 得到体的属性(b, ATTR_MATERIAL);
        tag_t prototype = UF_ASSEM_is_occurrence(b) ? UF_ASSEM_ask_prototype_of_occ(b) : b;
        double scale = 0;
        // Measured as its own part holds it, which is how its views draw it.
        A4比例设置(prototype, scale);
        scale = layout_.usable();
        int quantity = 0, total = 0;
        得到数量及总数(prototype, UF_ASSEM_ask_parent_component(c), quantity, total);
        bar.step(M + 1 + j);
        if (!创建图纸页(parts[0], "-" + parts[1], parts[2], std::to_string(quantity), std::to_string(total), material, scale,
                       "\\qel-1\\bom\\A4_nj.prt", parts[3], parts[4]))
            continue;
        tag_t sheet = NULL_TAG;
        UF_DRAW_ask_current_drawing(&sheet);
        UF_DRAW_rename_drawing(sheet, const_cast<char*>(parts[2].c_str()));
    }
    std::string stem, path;
    得到当前文件名称和路径(stem, path);
    double scale = 0;
    A3总图比例设置(UF_ASSEM_ask_work_part(), scale);
    scale = layout_.usable();
    const std::string general = "000-0-总图";
    if (创建图纸页("", "-ooo", general, "1", "1", "", scale, "\\qel-1\\bom\\A3_zong.prt", path, stem)) {
        tag_t sheet = NULL_TAG;
        UF_DRAW_ask_current_drawing(&sheet);
        UF_DRAW_rename_drawing(sheet, const_cast<char*>(general.c_str()));
    }
    bar.step(M + 1 + S);
    UF_PLIST_update_all_plists();
    int n = 0;
    tag_t* sheets = nullptr;
    UF_DRAW_ask_drawings(&n, &sheets);
    for (int i = 0; i < n; ++i) UF_DRAW_upd_out_of_date_views(sheets[i]);
    if (sheets) UF_free(sheets);
    UF_LAYER_set_status(workLayer, UF_LAYER_ACTIVE_LAYER);
    bar.end();
    endRun();
}
