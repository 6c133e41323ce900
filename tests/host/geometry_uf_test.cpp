// Modelling queries, the kernel interface, coordinate systems and text files of the stand-in.
#include <cmath>
#include <fstream>
#include "files/paths.h"
#include "fixture.h"
#include "pk.h"
#include "uf_cfi.h"
#include "uf_csys.h"
#include "uf_curve.h"
#include "uf_modl.h"
#include "uf_mtx.h"
#include "uf_ps.h"

namespace {

std::vector<tag_t> items(uf_list_p_t list) {
    std::vector<tag_t> out;
    int n = 0;
    UF_MODL_ask_list_count(list, &n);
    for (int i = 0; i < n; ++i) {
        tag_t t;
        UF_MODL_ask_list_item(list, i, &t);
        out.push_back(t);
    }
    UF_MODL_delete_list(&list);
    return out;
}

}  // namespace

using GeometryTest = HostTest;

TEST_F(GeometryTest, ExactBoxesFollowTheWorkCoordinateSystem) {
    host::Part& p = part("a.prt");
    tag_t b = plate(p, "b", 200, 100, 5).tag;
    double corner[3], dirs[3][3], ext[3];
    ASSERT_EQ(0, UF_MODL_ask_bounding_box_exact(b, NULL_TAG, corner, dirs, ext));
    EXPECT_NEAR(200, ext[0], 1e-6);
    EXPECT_NEAR(100, ext[1], 1e-6);
    EXPECT_NEAR(5, ext[2], 1e-6);
    // A frame turned 90 degrees about z swaps the first two extents; its corner is in absolute terms.
    const double x[3] = {0, 1, 0}, y[3] = {-1, 0.2, 0};
    double m[9];
    ASSERT_EQ(0, UF_MTX3_initialize(x, y, m));
    EXPECT_NEAR(0, m[0] * m[3] + m[1] * m[4] + m[2] * m[5], 1e-12);  // y made orthogonal to x
    EXPECT_NEAR(1, m[8], 1e-12);
    tag_t matrix, csys, wcs;
    const double origin[3] = {10, 20, 30};
    UF_CSYS_create_matrix(m, &matrix);
    UF_CSYS_create_temp_csys(origin, matrix, &csys);
    UF_CSYS_set_wcs(csys);
    UF_CSYS_ask_wcs(&wcs);
    tag_t back;
    double o2[3];
    UF_CSYS_ask_csys_info(wcs, &back, o2);
    EXPECT_EQ(30, o2[2]);
    ASSERT_EQ(0, UF_MODL_ask_bounding_box_exact(b, NULL_TAG, corner, dirs, ext));
    EXPECT_NEAR(100, ext[0], 1e-6);
    EXPECT_NEAR(200, ext[1], 1e-6);
    EXPECT_NEAR(200, corner[0], 1e-6);  // the box starts at the far side of x in this frame
    EXPECT_NEAR(0, corner[2], 1e-6);
    const double parallel[9] = {1, 0, 0, 2, 0, 0, 0, 0, 1};
    EXPECT_NE(0, UF_CSYS_create_matrix(parallel, &matrix));
}

TEST_F(GeometryTest, FacesEdgesAndDistancesOfAPlate) {
    host::Part& p = part("a.prt");
    tag_t b = plate(p, "b", 200, 100, 5).tag;
    uf_list_p_t list = nullptr;
    ASSERT_EQ(0, UF_MODL_ask_body_faces(b, &list));
    std::vector<tag_t> faces = items(list);
    ASSERT_EQ(6u, faces.size());
    // The top face: normal +z; its four straight edges of 200 and 100.
    tag_t top = NULL_TAG, bottom = NULL_TAG;
    for (tag_t f : faces) {
        int type;
        double pt[3], dir[3], box[6], r, rd;
        int nd;
        UF_MODL_ask_face_data(f, &type, pt, dir, box, &r, &rd, &nd);
        EXPECT_EQ(UF_MODL_PLANAR_FACE, type);
        if (dir[2] > 0.5) top = f;
        if (dir[2] < -0.5) bottom = f;
    }
    ASSERT_TRUE(top && bottom);
    list = nullptr;
    UF_MODL_ask_face_edges(top, &list);
    std::vector<tag_t> edges = items(list);
    ASSERT_EQ(4u, edges.size());
    double total = 0;
    for (tag_t e : edges) {
        int kind;
        UF_MODL_ask_edge_type(e, &kind);
        EXPECT_EQ(UF_MODL_LINEAR_EDGE, kind);
        double a[3], c[3], d;
        int n;
        UF_MODL_ask_edge_verts(e, a, c, &n);
        UF_VEC3_distance(a, c, &d);
        total += d;
    }
    EXPECT_NEAR(600, total, 1e-6);
    double dist, g[3] = {0, 0, 0}, pa[3], pb[3];
    ASSERT_EQ(0, UF_MODL_ask_minimum_dist(top, bottom, 0, g, 0, g, &dist, pa, pb));
    EXPECT_NEAR(5, dist, 1e-9);
    double centre[3];
    EXPECT_NE(0, UF_CURVE_ask_centroid(edges[0], centre));  // a straight edge has no centre
}

TEST_F(GeometryTest, TheKernelAnswersInMetresAndKilograms) {
    host::Part& p = part("a.prt");
    host::Object& b = plate(p, "b", 200, 100, 5);
    b.density = 2.7;
    tag_t ps = NULL_TAG;
    ASSERT_EQ(0, UF_PS_ask_ps_tag_of_object(b.tag, &ps));
    PK_TOPOL_t topol = static_cast<PK_TOPOL_t>(ps);
    PK_TOPOL_eval_mass_props_o_t options;
    PK_TOPOL_eval_mass_props_o_m(options);
    double amount, mass, cog[3], moi[9], periphery;
    ASSERT_EQ(PK_ERROR_no_errors, PK_TOPOL_eval_mass_props(1, &topol, 0.99, &options, &amount, &mass, cog, moi, &periphery));
    EXPECT_NEAR(1e-4, amount, 1e-12);  // 100 000 mm3
    EXPECT_NEAR(0.27, mass, 1e-9);
    EXPECT_NEAR(0.1, cog[0], 1e-9);
    int n = 0;
    PK_FACE_t* faces = nullptr;
    ASSERT_EQ(PK_ERROR_no_errors, PK_BODY_ask_faces(static_cast<PK_BODY_t>(ps), &n, &faces));
    EXPECT_EQ(6, n);
    PK_TOPOL_t face = faces[0];
    PK_MEMORY_free(faces);
    ASSERT_EQ(PK_ERROR_no_errors, PK_TOPOL_eval_mass_props(1, &face, 0.9, &options, &amount, &mass, cog, moi, &periphery));
    EXPECT_GT(amount, 0);
    EXPECT_LT(amount, 0.03);
    PK_TOPOL_t nothing = 12345;
    EXPECT_NE(PK_ERROR_no_errors, PK_TOPOL_eval_mass_props(1, &nothing, 0.99, &options, &amount, &mass, cog, moi, &periphery));
}

TEST_F(GeometryTest, TextFilesAreReadLineByLineWithoutTheirEnds) {
    std::string path = (dir / "notes.dat").string();
    std::ofstream(path, std::ios::binary) << "first\r\n\r\nthird\nlast";
    std::string win = host::paths::toWindows(path);
    int status = 1;
    UF_CFI_ask_file_exist(win.c_str(), &status);
    EXPECT_EQ(0, status);
    UF_CFI_ask_file_exist((win + ".not").c_str(), &status);
    EXPECT_EQ(1, status);
    int channel = 0;
    ASSERT_EQ(0, uc4504(win.c_str(), 1, 87, &channel));
    std::vector<std::string> lines;
    char* line = nullptr;
    while (uc4514a(channel, &line) >= 0) {
        lines.push_back(line);
        UF_free(line);
    }
    EXPECT_EQ((std::vector<std::string>{"first", "", "third", "last"}), lines);
    EXPECT_EQ(0, uc4540(channel, 0));
    EXPECT_NE(0, uc4540(channel, 0));
    EXPECT_NE(0, uc4504((win + ".not").c_str(), 1, 87, &channel));
}

TEST_F(GeometryTest, CylinderFeaturesAreNewBodiesOfTheWorkPartFromPlainSizeTexts) {
    host::Part& p = part("a.prt");
    p.workLayer = 7;
    double origin[3] = {1, 2, 3}, along[3] = {0, 0, -4};  // any length: only the direction counts
    tag_t feature = NULL_TAG, body = NULL_TAG;
    ASSERT_EQ(0, UF_MODL_create_cyl1(UF_NULLSIGN, origin, const_cast<char*>(" 30.000000 "), const_cast<char*>("10"), along, &feature));
    ASSERT_EQ(0, UF_MODL_ask_feat_body(feature, &body));
    host::Object& b = host::session().object(body);
    EXPECT_EQ(&p, b.part);
    EXPECT_EQ(7, b.layer);
    EXPECT_EQ(3, host::geom::faceCount(b.shape));
    double box[6];
    ASSERT_EQ(0, UF_MODL_ask_bounding_box(body, box));
    const double want[6] = {-4, -3, -27, 6, 7, 3};
    for (int i = 0; i < 6; ++i) EXPECT_NEAR(want[i], box[i], 1e-6) << i;
    EXPECT_TRUE(host::session().syslog.empty());
}

TEST_F(GeometryTest, CylinderTextsThatAreNoSizeAndAZeroDirectionMakeNothingAndSayWhy) {
    host::Part& p = part("a.prt");
    const size_t objects = p.objects.size();
    double origin[3] = {0, 0, 0}, up[3] = {0, 0, 1}, zero[3] = {0, 0, 0};
    struct Case { UF_FEATURE_SIGN sign; const char* height; const char* diam; double* dir; const char* said; } cases[] = {
        {UF_NULLSIGN, "50", "0.000000", up, "diameter \"0.000000\" is not a positive number"},
        {UF_NULLSIGN, "50", "-20", up, "diameter \"-20\" is not a positive number"},
        {UF_NULLSIGN, "50", "20mm", up, "diameter \"20mm\""},
        {UF_NULLSIGN, "50", "nan", up, "diameter \"nan\""},
        {UF_NULLSIGN, "inf", "20", up, "height \"inf\""},
        {UF_NULLSIGN, "", "20", up, "height \"\""},
        {UF_NULLSIGN, "p1*2", "20", up, "height \"p1*2\""},
        {UF_NULLSIGN, "50", nullptr, up, "no diameter"},
        {UF_NULLSIGN, "50", "20", zero, "the direction has no length"},
        {UF_NULLSIGN, "50", "0.01", up, "below the modelling tolerance"},
        {UF_NULLSIGN, "2e6", "20", up, "larger than any plant"},
        {UF_POSITIVE, "50", "20", up, "only a new body"},
    };
    for (const Case& c : cases) {
        host::session().syslog.clear();
        tag_t feature = 99;
        EXPECT_NE(0, UF_MODL_create_cyl1(c.sign, origin, const_cast<char*>(c.height), const_cast<char*>(c.diam), c.dir, &feature)) << c.said;
        EXPECT_EQ(NULL_TAG, feature) << c.said;
        ASSERT_EQ(1u, host::session().syslog.size()) << c.said;
        EXPECT_EQ(0u, host::session().syslog[0].rfind("UF_MODL_create_cyl1 failed", 0)) << host::session().syslog[0];
        EXPECT_NE(std::string::npos, host::session().syslog[0].find(c.said)) << host::session().syslog[0];
    }
    EXPECT_EQ(objects, p.objects.size());
}
