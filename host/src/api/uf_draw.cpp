// Drawing sheets of the work part.
#include <cstdlib>
#include "model/guard.h"
#include "uf_draw.h"

using namespace host;

extern "C" {

int UF_DRAW_ask_drawings(int* num, tag_t** drawings) {
    if (num) *num = 0;
    if (drawings) *drawings = nullptr;
    return guarded("UF_DRAW_ask_drawings", [&] {
        Session& s = session();
        if (!s.work) fail(UF_err_operation_failed, "there is no work part");
        std::vector<tag_t> sheets = s.sheets(*s.work);
        if (num) *num = static_cast<int>(sheets.size());
        if (drawings && !sheets.empty()) {
            *drawings = static_cast<tag_t*>(std::malloc(sheets.size() * sizeof(tag_t)));
            std::copy(sheets.begin(), sheets.end(), *drawings);
        }
    });
}

int UF_DRAW_ask_current_drawing(tag_t* drawing) {
    if (drawing) *drawing = NULL_TAG;
    return 0;
}

}  // extern "C"
