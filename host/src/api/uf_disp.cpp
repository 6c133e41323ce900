// Display: colour table, highlight.
#include "model/guard.h"
#include "uf_disp.h"

using namespace host;

extern "C" {

int UF_DISP_ask_color(int color_num, int color_model, char** color_name, double clr_values[3]) {
    if (color_name) *color_name = nullptr;
    return guarded("UF_DISP_ask_color", [&] {
        if (color_num < 0 || color_num >= 216) fail(UF_err_bad_parameter_number_1, "no colour " + std::to_string(color_num));
        if (color_model != UF_DISP_rgb_model) fail(UF_err_bad_parameter_number_2, "only the RGB colour model is provided");
        auto& c = session().colors[color_num];
        if (clr_values) for (int i = 0; i < 3; ++i) clr_values[i] = c[i];
        const char* named = Session::colorName(color_num);
        if (color_name) *color_name = allocString(color_num == 0 ? "Background" : named ? named : "Color " + std::to_string(color_num));
    });
}

int UF_DISP_set_color(int color_num, int color_model, const char*, const double clr_values[3]) {
    return guarded("UF_DISP_set_color", [&] {
        if (color_num < 0 || color_num >= 216) fail(UF_err_bad_parameter_number_1, "no colour " + std::to_string(color_num));
        if (color_model != UF_DISP_rgb_model) fail(UF_err_bad_parameter_number_2, "only the RGB colour model is provided");
        if (!clr_values) fail(UF_err_bad_parameter_number_4, "no colour values");
        for (int i = 0; i < 3; ++i)
            if (clr_values[i] < 0 || clr_values[i] > 1) fail(UF_err_bad_parameter_number_4, "colour values run from 0 to 1");
        auto& c = session().colors[color_num];
        for (int i = 0; i < 3; ++i) c[i] = clr_values[i];
    });
}

int UF_DISP_load_color_table(void) {
    return guarded("UF_DISP_load_color_table", [&] { ++session().colorTableLoads; });
}

int UF_DISP_set_highlight(tag_t object, int highlight) {
    return guarded("UF_DISP_set_highlight", [&] { session().setHighlight(session().object(object), highlight != 0); });
}

int UF_DISP_ask_highlight(tag_t object, int* highlight) {
    return guarded("UF_DISP_ask_highlight", [&] { if (highlight) *highlight = session().object(object).highlight; });
}

int UF_DISP_regenerate_display(void) { return 0; }

}  // extern "C"
