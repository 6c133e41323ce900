// The two-point cylinder: where the bar lies, how long and thick it is, and what the user is told when
// the points or the diameter give no bar.
#include <array>
#include <cmath>
#include <sstream>
#include "fixture.h"
#include "uf_modl.h"

namespace {

const double kPi = std::acos(-1.0);

struct Pick {
    std::array<double, 3> p0, p1;
    double diameter;
};

std::string triple(const std::array<double, 3>& p) {
    std::ostringstream o;
    o.precision(17);
    o << p[0] << " " << p[1] << " " << p[2];
    return o.str();
}

}  // namespace

class CylinderTest : public ModelTest {
protected:
    void SetUp() override {
        ModelTest::SetUp();
        open(R"({ "file": "c.prt", "bodies": [ { "name": "base", "stock": "plate", "size": [100, 100, 5] } ] })");
    }
    // Runs the tool with these picks and presses Apply (or OK); answers whether the dialog is still open.
    bool run(const Pick& pick, bool ok = false) {
        bool stillOpen = false;
        user.onDialog = [&](host::ui::Dialog& d) {
            host::ui::setValue(d, "point0", triple(pick.p0));
            host::ui::setValue(d, "point01", triple(pick.p1));
            std::ostringstream diameter;
            diameter.precision(17);
            diameter << pick.diameter;
            host::ui::setValue(d, "expression0", diameter.str());
            if (ok) host::ui::pressOk(d);
            else host::ui::pressApply(d);
            stillOpen = d.open;
        };
        this->pick("TWO_CYL_tool");
        return stillOpen;
    }
    // Cylinder features of the work part and the bodies they made.
    std::vector<tag_t> cylinders() {
        std::vector<tag_t> bodies;
        host::Session& s = host::session();
        for (tag_t t : s.work->objects)
            if (host::Object* f = s.find(t); f && f->type == UF_feature_type && f->feature == "CYLINDER") {
                tag_t body = NULL_TAG;
                EXPECT_EQ(0, UF_MODL_ask_feat_body(t, &body));
                bodies.push_back(body);
            }
        return bodies;
    }
    size_t bodyCount() {
        size_t n = 0;
        for (tag_t t : host::session().work->objects)
            if (host::Object* o = host::session().find(t); o && o->type == UF_solid_type && o->subtype == UF_solid_body_subtype) ++n;
        return n;
    }
    void expectBox(tag_t body, const std::array<double, 6>& want) {
        double box[6];
        ASSERT_EQ(0, UF_MODL_ask_bounding_box(body, box));
        for (int i = 0; i < 6; ++i) EXPECT_NEAR(want[i], box[i], 1e-6) << "box[" << i << "]";
    }
    double volume(tag_t body) { return host::session().massOf(host::session().object(body)).volume; }
};

TEST_F(CylinderTest, TwoPointsOnZMakeABarFromTheFirstPointAsLongAsTheirDistance) {
    EXPECT_TRUE(run({{0, 0, 0}, {0, 0, 50}, 20}));
    auto made = cylinders();
    ASSERT_EQ(1u, made.size());
    ASSERT_NE(NULL_TAG, made[0]);
    EXPECT_NEAR(kPi * 10 * 10 * 50, volume(made[0]), kPi * 10 * 10 * 50 * 1e-3);
    expectBox(made[0], {-10, -10, 0, 10, 10, 50});
    EXPECT_EQ(0, count("[message]"));
    // OK makes one more, downward from the first point, and closes.
    EXPECT_FALSE(run({{0, 0, 100}, {0, 0, 50}, 20}, true));
    made = cylinders();
    ASSERT_EQ(2u, made.size());
    expectBox(made[1], {-10, -10, 50, 10, 10, 100});
}

TEST_F(CylinderTest, APairOfPointsAtAnySlantGivesTheAxisAlongTheirLineAndTheExactLength) {
    // (30, 40, 120) is 130 long: the axis is (3, 4, 12)/13.
    const std::array<double, 3> p0{10, -20, 30}, p1{40, 20, 150};
    const double r = 7.5, u[3] = {3.0 / 13, 4.0 / 13, 12.0 / 13};
    run({p0, p1, 2 * r});
    auto made = cylinders();
    ASSERT_EQ(1u, made.size());
    EXPECT_NEAR(kPi * r * r * 130, volume(made[0]), kPi * r * r * 130 * 1e-3);
    // Each end disc sticks out past its centre by r times the sine of the axis to that coordinate axis.
    std::array<double, 6> box;
    for (int i = 0; i < 3; ++i) {
        const double reach = r * std::sqrt(1 - u[i] * u[i]);
        box[i] = std::min(p0[i], p1[i]) - reach;
        box[i + 3] = std::max(p0[i], p1[i]) + reach;
    }
    expectBox(made[0], box);
    // The round face's axis runs along P1 - P0, and the end faces sit on the two points.
    uf_list_p_t faces = nullptr;
    ASSERT_EQ(0, UF_MODL_ask_body_faces(made[0], &faces));
    int n = 0, atP0 = 0, atP1 = 0;
    UF_MODL_ask_list_count(faces, &n);
    for (int i = 0; i < n; ++i) {
        tag_t f;
        UF_MODL_ask_list_item(faces, i, &f);
        int type, norm;
        double point[3], dir[3], fbox[6], radius, rad;
        ASSERT_EQ(0, UF_MODL_ask_face_data(f, &type, point, dir, fbox, &radius, &rad, &norm));
        if (type == UF_MODL_CYLINDRICAL_FACE) {
            EXPECT_NEAR(1, std::fabs(dir[0] * u[0] + dir[1] * u[1] + dir[2] * u[2]), 1e-9);
            EXPECT_NEAR(r, radius, 1e-9);
        } else if (type == UF_MODL_PLANAR_FACE) {
            atP0 += std::hypot(point[0] - p0[0], point[1] - p0[1], point[2] - p0[2]) < 1e-6;
            atP1 += std::hypot(point[0] - p1[0], point[1] - p1[1], point[2] - p1[2]) < 1e-6;
        }
    }
    UF_MODL_delete_list(&faces);
    EXPECT_EQ(1, atP0);
    EXPECT_EQ(1, atP1);
}

TEST_F(CylinderTest, PointsCloserThanTheModellingToleranceAreRefusedAndTheDialogStaysOpen) {
    double tolerance = 0;
    UF_MODL_ask_distance_tolerance(&tolerance);
    const std::string message = host::text::toUtf8("选择的两点小于建模公差，请重新选择");
    struct Case { std::array<double, 3> p1; bool made; } cases[] = {
        {{0, 0, 0}, false},                  // the same point
        {{0, tolerance * 0.9, 0}, false},    // closer than the tolerance
        {{0, 0, tolerance}, true},           // exactly the tolerance is enough
    };
    for (const Case& c : cases) {
        const size_t before = bodyCount();
        host::session().lastMessage.clear();
        EXPECT_TRUE(run({{0, 0, 0}, c.p1, 20}));
        EXPECT_EQ(before + (c.made ? 1 : 0), bodyCount()) << triple(c.p1);
        EXPECT_EQ(c.made ? "" : message, host::session().lastMessage) << triple(c.p1);
    }
}

TEST_F(CylinderTest, ADiameterThatGivesNoBarMakesNothingAndTheUserIsToldWhy) {
    const std::string askAgain = host::text::toUtf8("直径必须大于零，请重新输入");
    for (double d : {0.0, -20.0}) {
        host::session().lastMessage.clear();
        run({{0, 0, 0}, {0, 0, 50}, d});
        EXPECT_EQ(askAgain, host::session().lastMessage) << d;
    }
    // Positive, yet nothing at six decimals: the host refuses the text, and the user sees that it did.
    host::session().syslog.clear();
    run({{0, 0, 0}, {0, 0, 50}, 1e-9});
    EXPECT_EQ(0u, host::session().lastMessage.rfind(host::text::toUtf8("圆柱未能创建："), 0)) << host::session().lastMessage;
    ASSERT_EQ(1u, host::session().syslog.size());
    EXPECT_NE(std::string::npos, host::session().syslog[0].find("\"0.000000\""));
    EXPECT_TRUE(cylinders().empty());
    EXPECT_EQ(1u, bodyCount());
}
