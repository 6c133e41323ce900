#include "attributes/stock_size.hpp"
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>
#include <NXOpen/Face.hxx>
#include <NXOpen/Features_Feature.hxx>
#include <NXOpen/Features_SheetMetal.hxx>
#include <NXOpen/Part.hxx>
#include <NXOpen/PartCollection.hxx>
#include <NXOpen/Session.hxx>
#include <NXOpen/Update.hxx>
#include <pk.h>
#include <uf.h>
#include <uf_assem.h>
#include <uf_csys.h>
#include <uf_curve.h>
#include <uf_modl.h>
#include <uf_mtx.h>
#include <uf_obj.h>
#include <uf_ps.h>
#include <uf_so.h>
#include <uf_ui.h>
#include <uf_wave.h>
#include "attributes/stock_rules.hpp"
#include "common/uf_bracket.hpp"

namespace {

std::vector<tag_t> listed(uf_list_p_t list) {
    std::vector<tag_t> out;
    int n = 0;
    UF_MODL_ask_list_count(list, &n);
    for (int i = 0; i < n; ++i) {
        tag_t t = NULL_TAG;
        UF_MODL_ask_list_item(list, i, &t);
        out.push_back(t);
    }
    UF_MODL_delete_list(&list);
    return out;
}

std::vector<tag_t> faces_of(tag_t body) {
    uf_list_p_t list = nullptr;
    UF_MODL_ask_body_faces(body, &list);
    return listed(list);
}

std::vector<tag_t> edges_of_face(tag_t face) {
    uf_list_p_t list = nullptr;
    UF_MODL_ask_face_edges(face, &list);
    return listed(list);
}

double mass_props(tag_t object, double accuracy, double* mass, double* surface = nullptr) {
    tag_t ps = NULL_TAG;
    UF_PS_ask_ps_tag_of_object(object, &ps);
    if (ps == NULL_TAG) return -1;
    PK_TOPOL_t topol = static_cast<PK_TOPOL_t>(ps);
    PK_TOPOL_eval_mass_props_o_t options;
    PK_TOPOL_eval_mass_props_o_m(options);
    double amount = 0, m = 0, cog[3], moi[9], periphery = 0;
    if (PK_TOPOL_eval_mass_props(1, &topol, accuracy, &options, &amount, &m, cog, moi, &periphery) != PK_ERROR_no_errors) return -1;
    if (mass) *mass = m;
    if (surface) *surface = periphery;
    return amount;
}

// A frame with x along `x`; y as close to `y` as a frame allows. A y parallel to x, as for a face
// facing along the y axis, gives no frame, so the next absolute axis stands in for it.
void frame(const double x[3], const double y[3], double mtx[9]) {
    const double fallbacks[2][3] = {{0, 0, 1}, {1, 0, 0}};
    if (UF_MTX3_initialize(x, y, mtx) == 0) return;
    for (auto& f : fallbacks)
        if (UF_MTX3_initialize(x, f, mtx) == 0) return;
}

void set_wcs(const double origin[3], const double mtx[9]) {
    tag_t matrix = NULL_TAG, csys = NULL_TAG;
    UF_CSYS_create_matrix(mtx, &matrix);
    UF_CSYS_create_temp_csys(origin, matrix, &csys);
    UF_CSYS_set_wcs(csys);
}

// Removes features again as one update: the conversion and the flat solid with its body.
void delete_features(const std::vector<NXOpen::Features::Feature*>& features) {
    NXOpen::Session* session = NXOpen::Session::GetSession();
    NXOpen::Session::UndoMarkId first = session->SetUndoMark(NXOpen::Session::MarkVisibility(1), "Delete");
    NXOpen::Session::UndoMarkId second = session->SetUndoMark(NXOpen::Session::MarkVisibility(0), "Delete");
    for (auto* f : features)
        if (f) session->UpdateManager()->AddToDeleteList(f);
    session->UpdateManager()->DoUpdate(second);
    session->DeleteUndoMark(first, nullptr);
}

}  // namespace

int 得到面积(tag_t face, double accuracy, double& area) {
    if (face == NULL_TAG) return 1;
    UF_initialize();
    double amount = mass_props(face, std::min(1.0, std::max(0.9, accuracy)), nullptr);
    UF_terminate();
    area = amount < 0 ? 0 : amount * 1000 * 1000;
    return 0;
}

int 得到体积(tag_t body, double accuracy, double& volume, double& mass) {
    if (body == NULL_TAG) return 1;
    UF_initialize();
    double m = 0;
    double amount = mass_props(body, std::min(1.0, std::max(0.99, accuracy)), &m);
    UF_terminate();
    if (amount < 0) return 1;
    volume = amount * 1000 * 1000 * 1000;
    mass = m * 1000;
    return 0;
}

double 体的表面积(tag_t body) {
    UF_initialize();
    double surface = -1;
    const bool known = mass_props(body, 0.99, nullptr, &surface) >= 0;
    UF_terminate();
    return known && surface > 0 ? surface * 1000 * 1000 : -1;
}

tag_t 求体的最大面积(tag_t body) {
    UF_initialize();
    tag_t best = NULL_TAG;
    double bestArea = 0;
    for (tag_t face : faces_of(body)) {
        double area = 0;
        得到面积(face, 0.95, area);
        if (area > bestArea) {
            bestArea = area;
            best = face;
        }
    }
    UF_terminate();
    return best;
}

void 设置坐标到最大面最长边(tag_t face) {
    UF_initialize();
    int type = 0, normDir = 0;
    double point[3], dir[3], box[6], radius = 0, radData = 0;
    UF_MODL_ask_face_data(face, &type, point, dir, box, &radius, &radData, &normDir);
    std::vector<tag_t> edges = edges_of_face(face);
    double origin[3] = {0, 0, 0}, mtx[9];
    const double yAxis[3] = {0, 1, 0};
    if (type == UF_MODL_PLANAR_FACE) {
        struct Straight { tag_t edge; double from[3], to[3]; double length; };
        std::vector<Straight> straight;
        for (tag_t e : edges) {
            int kind = 0;
            UF_MODL_ask_edge_type(e, &kind);
            if (kind != UF_MODL_LINEAR_EDGE) continue;
            Straight s{e, {}, {}, 0};
            int count = 0;
            UF_MODL_ask_edge_verts(e, s.from, s.to, &count);
            UF_VEC3_distance(s.from, s.to, &s.length);
            straight.push_back(s);
        }
        if (straight.size() >= 2) {
            int target = 0;
            for (auto& s : straight) target = std::max(target, static_cast<int>(s.length));
            const Straight* longest = &straight[0];
            for (auto& s : straight)
                if (static_cast<int>(s.length) == target) { longest = &s; break; }
            double y[3];
            UF_VEC3_sub(longest->from, longest->to, y);
            frame(dir, y, mtx);
            std::copy(longest->from, longest->from + 3, origin);
        } else {
            int kind = 0;
            if (!edges.empty()) UF_MODL_ask_edge_type(edges[0], &kind);
            if (kind != UF_MODL_CIRCULAR_EDGE) {
                UF_terminate();
                return;
            }
            frame(dir, yAxis, mtx);
            UF_CURVE_ask_centroid(edges[0], origin);
        }
    } else if (type == UF_MODL_CYLINDRICAL_FACE || type == UF_MODL_CONICAL_FACE) {
        frame(dir, yAxis, mtx);
        for (tag_t e : edges) {
            int kind = 0;
            UF_MODL_ask_edge_type(e, &kind);
            if (kind == UF_MODL_CIRCULAR_EDGE) UF_CURVE_ask_centroid(e, origin);
        }
    } else {
        uc1601("最大面非平面,非圆柱面,需要核实尺寸", 1);
        const double xAxis[3] = {1, 0, 0};
        frame(xAxis, yAxis, mtx);
    }
    set_wcs(origin, mtx);
    UF_terminate();
}

坐标系保持::坐标系保持() {
    UF_initialize();
    tag_t wcs = NULL_TAG, matrix = NULL_TAG;
    double origin[3] = {0, 0, 0};
    UF_CSYS_ask_wcs(&wcs);
    UF_CSYS_ask_csys_info(wcs, &matrix, origin);
    UF_CSYS_create_temp_csys(origin, matrix, &saved_);
    UF_terminate();
}

坐标系保持::~坐标系保持() {
    UF_initialize();
    if (saved_ != NULL_TAG) UF_CSYS_set_wcs(saved_);
    UF_terminate();
}

void 外形尺寸(tag_t body, double extents[3], tag_t* largest) {
    UF_initialize();
    tag_t face = 求体的最大面积(body);
    设置坐标到最大面最长边(face);
    double corner[3], directions[3][3];
    extents[0] = extents[1] = extents[2] = 0;
    UF_MODL_ask_bounding_box_exact(body, NULL_TAG, corner, directions, extents);
    std::sort(extents, extents + 3);
    if (largest) *largest = face;
    UF_terminate();
}

namespace {

// Direction of a face scaled and cut to whole numbers, so that parallel faces compare equal.
struct FaceKey {
    int type = 0;
    long long d[3] = {0, 0, 0};
};
FaceKey face_key(tag_t face) {
    FaceKey k;
    double point[3], dir[3], box[6], radius, radData;
    int normDir;
    UF_MODL_ask_face_data(face, &k.type, point, dir, box, &radius, &radData, &normDir);
    for (int i = 0; i < 3; ++i) k.d[i] = static_cast<long long>(dir[i] * 1000000);
    return k;
}

}  // namespace

std::string 普通尺寸记录(tag_t body) {
    UF_initialize();
    坐标系保持 keep;
    double volume = 0, mass = 0;
    得到体积(body, 0.95, volume, mass);
    double ext[3];
    tag_t f = NULL_TAG;
    外形尺寸(body, ext, &f);
    FaceKey fk = face_key(f);
    double thickness = 0;
    bool found = false;
    for (tag_t g : faces_of(body)) {
        FaceKey gk = face_key(g);
        if (gk.type != fk.type) continue;
        bool parallel = true;
        for (int i = 0; i < 3; ++i) parallel &= std::llabs(gk.d[i]) == std::llabs(fk.d[i]);
        if (!parallel) continue;
        double dist = 0, guess[3] = {0, 0, 0}, p1[3], p2[3];
        UF_MODL_ask_minimum_dist(g, f, 0, guess, 0, guess, &dist, p1, p2);
        if (dist != 0.0 && (!found || dist < thickness)) {
            thickness = dist;
            found = true;
        }
    }
    std::string record = stock::format_plain_record(ext[0], ext[1], ext[2], thickness, mass);
    UF_terminate();
    return record;
}

std::string 外形文本(tag_t body) {
    UF_initialize();
    坐标系保持 keep;
    double ext[3];
    外形尺寸(body, ext);
    UF_terminate();
    return stock::format_outline(ext[0], ext[1], ext[2]);
}

NXOpen::Features::Feature* 转换为钣金(tag_t face) {
    NXOpen::Part* work = NXOpen::Session::GetSession()->Parts()->Work();
    auto* builder = work->Features()->SheetmetalManager()->CreateConvertToSheetmetalFeatureBuilder(nullptr);
    std::unique_ptr<NXOpen::Features::SheetMetal::ConvertToSheetmetalBuilder, void (*)(NXOpen::Features::SheetMetal::ConvertToSheetmetalBuilder*)>
        destroy(builder, [](NXOpen::Features::SheetMetal::ConvertToSheetmetalBuilder* b) { b->Destroy(); });
    builder->SetApplicationContext(0);
    builder->SetBaseFace(dynamic_cast<NXOpen::Face*>(NXOpen::NXObjectManager::Get(face)));
    builder->SetBendReliefType(0);
    builder->SetKeepZeroBendRadius(false);
    builder->ValidateBuilderData();
    return builder->CommitFeature();
}

tag_t 抽取实体(tag_t occurrence) {
    UF_initialize();
    tag_t workPart = UF_ASSEM_ask_work_part();
    tag_t workOcc = UF_ASSEM_ask_work_occurrence();
    tag_t parent = UF_ASSEM_ask_parent_component(occurrence);
    // A body of the displayed part, seen from a component made the work part, is its own source.
    tag_t source = UF_ASSEM_is_occurrence(occurrence) ? UF_ASSEM_ask_prototype_of_occ(occurrence) : occurrence;
    tag_t xform = NULL_TAG, linked = NULL_TAG;
    UF_SO_create_xform_assy_ctxt(workPart, parent, workOcc, &xform);
    UF_WAVE_create_linked_body(source, xform, workPart, TRUE, &linked);
    UF_terminate();
    return linked;
}

std::string 折弯尺寸记录(tag_t picked) {
    UfBracket bracket;
    坐标系保持 keep;
    tag_t body = picked, linked = NULL_TAG;
    if (UF_ASSEM_ask_parent_component(picked) != UF_ASSEM_ask_work_occurrence()) {
        linked = 抽取实体(picked);
        body = NULL_TAG;
        UF_MODL_ask_feat_body(linked, &body);
    }
    // Whatever happens below, the linked copy does not stay in the user's part.
    struct DropLinked {
        tag_t feature;
        ~DropLinked() {
            if (feature != NULL_TAG) UF_OBJ_delete_object(feature);
        }
    } drop{linked};
    if (body == NULL_TAG) return "";
    double volume = 0, mass = 0;
    得到体积(picked, 0.95, volume, mass);
    tag_t f = 求体的最大面积(body);
    NXOpen::Features::Feature* conversion = 转换为钣金(f);
    NXOpen::Features::Feature* flat = nullptr;
    try {
        NXOpen::Part* work = NXOpen::Session::GetSession()->Parts()->Work();
        auto* builder = work->Features()->SheetmetalManager()->CreateFlatSolidFeatureBuilder(nullptr);
        try {
            builder->SetApplicationContext(0);
            builder->OuterCornerTreatmentValue()->SetRightHandSide("0.1");
            builder->SetInnerCornerTreatmentType(0);
            builder->SetStationaryFace(dynamic_cast<NXOpen::Face*>(NXOpen::NXObjectManager::Get(f)));
            flat = builder->CommitFeature();
        } catch (...) {
            builder->Destroy();
            throw;
        }
        builder->Destroy();
    } catch (...) {
        delete_features({conversion});
        throw;
    }
    tag_t flatBody = NULL_TAG;
    if (flat) UF_MODL_ask_feat_body(flat->Tag(), &flatBody);
    if (flatBody == NULL_TAG) {
        delete_features({conversion, flat});
        return "";
    }
    double ext[3];
    外形尺寸(flatBody, ext);
    std::string record = stock::format_bent_record(ext[0], ext[1], ext[2], ext[0], mass);
    delete_features({conversion, flat});
    return record;
}
