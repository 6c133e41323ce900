#include "components/assembly_queries.hpp"
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <io.h>
#include <NXOpen/TaggedObject.hxx>
#include <NXOpen/Part.hxx>
#include <NXOpen/PartCollection.hxx>
#include <NXOpen/Session.hxx>
#include <uf.h>
#include <uf_assem.h>
#include <uf_obj.h>
#include <uf_part.h>
#include "common/attributes.hpp"
#include "components/naming.hpp"

namespace {


std::vector<tag_t> objectsOf(tag_t component, int type, int subtype) {
    std::vector<tag_t> out;
    for (tag_t t = UF_ASSEM_cycle_objs_in_comp(component, NULL_TAG); t != NULL_TAG; t = UF_ASSEM_cycle_objs_in_comp(component, t)) {
        int ty = 0, st = 0;
        UF_OBJ_ask_type_and_subtype(t, &ty, &st);
        if (ty == type && st == subtype) out.push_back(t);
    }
    return out;
}

}  // namespace

std::string componentStem(tag_t component) { return 获取文件名和路径(得到新建组件的路径(component), 1); }

// The procedural name field holds only 30 bytes, and names longer than that must not collide.
std::string wholeName(tag_t object) {
    auto* o = dynamic_cast<NXOpen::NXObject*>(NXOpen::NXObjectManager::Get(object));
    return o ? std::string(o->Name().GetText()) : std::string();
}

int 得到装配下的boy(bool& occurrenceSeen, bool& bodySeen, tag_t body, tag_t& out) {
    if (occurrenceSeen && bodySeen) return 0;
    UF_initialize();
    if (UF_ASSEM_is_occurrence(body)) {
        occurrenceSeen = true;
        out = UF_ASSEM_ask_prototype_of_occ(body);
    } else {
        bodySeen = true;
        out = body;
    }
    UF_terminate();
    return 0;
}

void ASSEM_cycle_all_part(tag_t occurrence, std::vector<tag_t>& components, std::vector<std::string>& instanceNames) {
    UF_initialize();
    tag_t* children = nullptr;
    int n = UF_ASSEM_ask_part_occ_children(occurrence, &children);
    for (int i = 0; i < n; ++i) {
        ASSEM_cycle_all_part(children[i], components, instanceNames);
        components.push_back(children[i]);
        instanceNames.push_back(wholeName(children[i]));
    }
    if (children) UF_free(children);
    UF_terminate();
}

std::vector<tag_t> 所有组件() {
    UF_initialize();
    std::vector<tag_t> components;
    std::vector<std::string> names;
    tag_t root = UF_ASSEM_ask_root_part_occ(UF_PART_ask_display_part());
    if (root != NULL_TAG) ASSEM_cycle_all_part(root, components, names);
    UF_terminate();
    return components;
}

void 得到所有组件的数组(std::vector<tag_t>& out) {
    std::set<std::string> seen;
    for (tag_t c : 所有组件())
        if (seen.insert(wholeName(c)).second) out.push_back(c);
}

int 得到组件的tag(std::vector<tag_t>& out) {
    UF_initialize();
    std::vector<tag_t> all, candidates;
    得到所有组件的数组(all);
    for (tag_t c : all) {
        std::vector<tag_t> bodies;
        得到组件下所有的实体(c, bodies);
        if (bodies.size() > 1) candidates.push_back(c);
    }
    std::vector<int> numbers;
    // Candidates match a number by the leading digits of their tail, so base-10a goes with a base-10;
    // each is asked its name once and kept by that number, in the order met.
    std::map<int, std::vector<tag_t>> byNumber;
    for (tag_t c : candidates) {
        std::string tail = naming::afterLastDash(componentStem(c));
        if (naming::allDigits(tail)) numbers.push_back(std::atoi(tail.c_str()));
        byNumber[std::atoi(tail.c_str())].push_back(c);
    }
    std::sort(numbers.begin(), numbers.end());
    for (int n : numbers) {
        const std::vector<tag_t>& same = byNumber[n];
        out.insert(out.end(), same.begin(), same.end());
    }
    UF_terminate();
    return 0;
}

int 得到组件下所有的实体(tag_t component, std::vector<tag_t>& out) {
    UF_initialize();
    for (tag_t b : objectsOf(component, UF_solid_type, UF_solid_body_subtype)) out.push_back(b);
    UF_terminate();
    return 0;
}

int 得到组件下的组件(tag_t component, std::vector<tag_t>& out) {
    UF_initialize();
    std::set<std::string> seen;
    for (tag_t c : objectsOf(component, UF_component_type, UF_part_occurrence_subtype))
        if (seen.insert(wholeName(c)).second) out.push_back(c);
    UF_terminate();
    return 0;
}

int 得到出图的体(tag_t component, std::vector<tag_t>& out) {
    UF_initialize();
    std::vector<tag_t> bodies;
    得到组件下所有的实体(component, bodies);
    std::set<std::string> taken;
    for (tag_t b : bodies) {
        if (得到体的属性(b, ATTR_REMARK) != REMARK_MARKED) continue;
        if (naming::contains(得到体的属性(b, ATTR_PART_NO), "-")) continue;
        if (taken.insert(得到体的属性(b, ATTR_PART_NAME)).second) out.push_back(b);
    }
    UF_terminate();
    return 0;
}

std::string 得到新建组件的路径(tag_t component) {
    UF_initialize();
    char part[MAX_FSPEC_BUFSIZE] = "", refset[MAX_ENTITY_NAME_BUFSIZE], instance[MAX_ENTITY_NAME_BUFSIZE];
    double origin[3], matrix[9], transform[4][4];
    UF_ASSEM_ask_component_data(component, part, refset, instance, origin, matrix, transform);
    UF_terminate();
    return part;
}

int 遍历内存(const std::string& name, int& state) {
    state = 100;
    // The host finds a loaded part by its file name at once; asking it beats walking every loaded part.
    UF_initialize();
    tag_t part = UF_PART_ask_part_tag(name.c_str());
    if (part != NULL_TAG) {
        char full[MAX_FSPEC_BUFSIZE] = "";
        UF_PART_ask_part_name(part, full);
        std::string path = full;
        size_t slash = naming::lastOf(path, '\\');
        if ((slash == std::string::npos ? path : path.substr(slash + 1)) == name) state = 10;
    }
    UF_terminate();
    return 0;
}

int 得到所有组件的名称(std::vector<std::string>& names) {
    std::vector<tag_t> components;
    得到所有组件的数组(components);
    for (tag_t c : components) names.push_back(naming::partNameOfFile(componentStem(c)));
    return 0;
}

void 得到目录下所有文件名(const std::string& folder, std::vector<std::string>& files) {
    _finddata64i32_t entry;
    intptr_t handle = _findfirst64i32((folder + "\\*").c_str(), &entry);
    if (handle == -1) return;
    do {
        std::string name = entry.name;
        if (entry.attrib & _A_SUBDIR) {
            if (name != "." && name != "..") 得到目录下所有文件名(folder + "\\" + name, files);
        } else {
            files.push_back(folder + "\\" + name);
        }
    } while (_findnext64i32(handle, &entry) == 0);
    _findclose(handle);
}

std::vector<std::string> 查找可用名称(const std::string& base, const char* format, std::string& folder) {
    UF_initialize();
    char display[MAX_FSPEC_BUFSIZE] = "";
    UF_PART_ask_part_name(UF_PART_ask_display_part(), display);
    folder = 获取文件名和路径(display, 2);
    std::vector<std::string> files;
    得到目录下所有文件名(folder, files);
    std::vector<std::string> free;
    for (int k = 1; k <= 19; ++k) {
        int size = std::snprintf(nullptr, 0, format, base.c_str(), k);
        std::string name(size, '\0');
        std::snprintf(&name[0], size + 1, format, base.c_str(), k);
        std::string file = folder + "\\" + name;
        int state = 100;
        遍历内存(name, state);
        if (std::find(files.begin(), files.end(), file) == files.end() && state == 100) free.push_back(name);
    }
    UF_terminate();
    return free;
}
