#include "attributes/identical_bodies.hpp"
#include <cstdio>
#include <set>
#include <string>
#include <NXOpen/DisplayModification.hxx>
#include <NXOpen/Session.hxx>
#include <pk.h>
#include <uf.h>
#include <uf_assem.h>
#include <uf_disp.h>
#include <uf_draw.h>
#include <uf_modl.h>
#include <uf_obj.h>
#include <uf_ps.h>
#include <uf_ui.h>
#include "attributes/stock_rules.hpp"
#include "attributes/stock_size.hpp"

namespace {

const int kDuplicateColour = 186;

int kernel_count(tag_t body, int& count, bool faces) {
    count = 0;
    UF_initialize();
    tag_t ps = NULL_TAG;
    UF_PS_ask_ps_tag_of_object(body, &ps);
    int rc = 1;
    if (ps != NULL_TAG) {
        PK_ENTITY_t* list = nullptr;
        int n = 0;
        if (faces) PK_BODY_ask_faces(static_cast<PK_BODY_t>(ps), &n, &list);
        else PK_BODY_ask_edges(static_cast<PK_BODY_t>(ps), &n, &list);
        if (list) PK_MEMORY_free(list);
        count = n;
        rc = n > 0 ? 0 : 1;
    }
    UF_terminate();
    return rc;
}

stock::BodyFigures figures(tag_t body, bool withMass) {
    stock::BodyFigures f;
    得到体的面数量(body, f.faces);
    获得体所有边(body, f.edges);
    if (withMass) {
        得到体积(body, 0.95, f.volume, f.mass);
        f.area = 体的表面积(body);
    }
    return f;
}

}  // namespace

int 得到工作所有的体(tag_t part, std::vector<tag_t>& bodies) {
    bodies.clear();
    UF_initialize();
    for (tag_t t = UF_OBJ_cycle_objs_in_part(part, UF_solid_type, NULL_TAG); t != NULL_TAG;
         t = UF_OBJ_cycle_objs_in_part(part, UF_solid_type, t)) {
        int type = 0, subtype = 0, bodyType = 0;
        UF_OBJ_ask_type_and_subtype(t, &type, &subtype);
        if (subtype != UF_solid_body_subtype) continue;
        UF_MODL_ask_body_type(t, &bodyType);
        if (bodyType == UF_MODL_SOLID_BODY) bodies.push_back(t);
    }
    UF_terminate();
    return bodies.empty() ? 1 : 0;
}

int 得到体的面数量(tag_t body, int& count) { return kernel_count(body, count, true); }
int 获得体所有边(tag_t body, int& count) { return kernel_count(body, count, false); }

int 找相同体(tag_t body, std::vector<tag_t>& same) {
    UF_initialize();
    same.clear();
    stock::BodyFigures reference = figures(body, true);
    std::vector<tag_t> candidates;
    得到工作所有的体(UF_ASSEM_ask_work_part(), candidates);
    for (tag_t c : candidates) {
        // Counts first: volume and mass only for candidates that can still match.
        stock::BodyFigures f = figures(c, false);
        if (f.faces != reference.faces || f.edges != reference.edges) continue;
        得到体积(c, 0.95, f.volume, f.mass);
        f.area = 体的表面积(c);
        if (!stock::same_body(reference, f)) continue;
        same.push_back(c);
        UF_DISP_set_highlight(c, 0);
    }
    UF_terminate();
    return same.empty() ? 1 : 0;
}

int 判断模式() {
    UF_initialize();
    int n = 0;
    tag_t* sheets = nullptr;
    UF_DRAW_ask_drawings(&n, &sheets);
    std::vector<std::string> names;
    for (int i = 0; i < n; ++i) {
        char name[UF_OBJ_NAME_BUFSIZE] = "";
        UF_OBJ_ask_name(sheets[i], name);
        names.push_back(name);
    }
    if (sheets) UF_free(sheets);
    UF_terminate();
    return stock::working_mode(names);
}

std::vector<tag_t> 重叠体(const std::vector<tag_t>& bodies) {
    UF_initialize();
    std::set<std::string> seen;
    std::vector<tag_t> duplicates;
    for (tag_t b : bodies) {
        double box[6] = {0, 0, 0, 0, 0, 0};
        UF_MODL_ask_bounding_box(b, box);
        if (!seen.insert(stock::place_key(box)).second) duplicates.push_back(b);
    }
    UF_terminate();
    return duplicates;
}

void 找重叠体(std::vector<tag_t> bodies) {
    if (bodies.empty()) return;
    UF_initialize();
    std::vector<tag_t> duplicates = 重叠体(bodies);
    if (判断模式() == 2) {
        for (tag_t d : duplicates) 设置选择体颜色(kDuplicateColour, d);
        if (!duplicates.empty()) {
            char message[200];
            snprintf(message, sizeof message, "找到 %d 个重复体,颜色已设置为红色,请手工删除!!", static_cast<int>(duplicates.size()));
            uc1601(message, 1);
        }
    }
    UF_terminate();
}

void 设置选择体颜色(int colour, tag_t body) {
    NXOpen::Session* session = NXOpen::Session::GetSession();
    auto* object = dynamic_cast<NXOpen::DisplayableObject*>(NXOpen::NXObjectManager::Get(body));
    if (object == nullptr) return;
    NXOpen::DisplayModification* modification = session->DisplayManager()->NewDisplayModification();
    modification->SetApplyToAllFaces(true);
    modification->SetApplyToOwningParts(false);
    modification->SetNewColor(colour);
    modification->SetNewWidth(8);
    modification->Apply({object});
    delete modification;
    session->CleanUpFacetedFacesAndEdges();
}
