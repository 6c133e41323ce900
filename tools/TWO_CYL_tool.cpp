#include "tools/TWO_CYL_tool.hpp"
#include <cmath>
#include <cstdio>
#include <string>
#include <uf.h>
#include <uf_modl.h>
#include <uf_part.h>
#include <uf_ui.h>
#include "common/uf_bracket.hpp"

namespace {

// "%f" of any double: the host reads sizes as expression texts, and a long number must not be cut.
std::string fixed(double v) {
    const int n = std::snprintf(nullptr, 0, "%f", v);
    std::string out(n > 0 ? n : 0, '\0');
    std::snprintf(&out[0], out.size() + 1, "%f", v);
    return out;
}

}  // namespace

TWO_CYL_tool::TWO_CYL_tool() : StylerDialog("TWO_CYL_tool.dlx") {
    theDialog->AddApplyHandler(NXOpen::make_callback(this, &TWO_CYL_tool::apply_cb));
    theDialog->AddOkHandler(NXOpen::make_callback(this, &TWO_CYL_tool::ok_cb));
    theDialog->AddUpdateHandler(NXOpen::make_callback(this, &TWO_CYL_tool::update_cb));
    theDialog->AddInitializeHandler(NXOpen::make_callback(this, &TWO_CYL_tool::initialize_cb));
    theDialog->AddDialogShownHandler(NXOpen::make_callback(this, &TWO_CYL_tool::dialogShown_cb));
}

void TWO_CYL_tool::initialize_cb() {
    guard([&] {
        group0 = block<NXOpen::BlockStyler::Group>("group0");
        point0 = block<NXOpen::BlockStyler::SpecifyPoint>("point0");
        point01 = block<NXOpen::BlockStyler::SpecifyPoint>("point01");
        group = block<NXOpen::BlockStyler::Group>("group");
        expression0 = block<NXOpen::BlockStyler::ExpressionBlock>("expression0");
    });
}

void TWO_CYL_tool::dialogShown_cb() {}

int TWO_CYL_tool::apply_cb() {
    return guard([&] {
        requireBlocks({{point0, "point0"}, {point01, "point01"}, {expression0, "expression0"}});
        UfBracket uf;
        const NXOpen::Point3d p0 = point0->Point();
        const NXOpen::Point3d p1 = point01->Point();
        const double diameter = expression0->Value();

        double origin[3] = {p0.X, p0.Y, p0.Z};
        double direction[3] = {p1.X - p0.X, p1.Y - p0.Y, p1.Z - p0.Z};
        const double length = std::hypot(direction[0], direction[1], direction[2]);
        std::string height = fixed(length), diam = fixed(diameter);

        double tolerance = 0;
        UF_MODL_ask_distance_tolerance(&tolerance);
        if (tolerance > length) {
            uc1601("选择的两点小于建模公差，请重新选择", 1);
            return;
        }
        // The host would refuse it too, but only in its log: the user is told here what to change.
        if (!(diameter > 0)) {
            uc1601("直径必须大于零，请重新输入", 1);
            return;
        }
        tag_t feature = NULL_TAG;
        const int status = UF_MODL_create_cyl1(UF_NULLSIGN, origin, &height[0], &diam[0], direction, &feature);
        if (status != 0) {
            char reason[MAX_LINE_BUFSIZE] = "";
            UF_get_fail_message(status, reason);
            uc1601(("圆柱未能创建：" + std::string(reason)).c_str(), 1);
        }
    });
}

int TWO_CYL_tool::update_cb(NXOpen::BlockStyler::UIBlock*) {
    return 0;
}
