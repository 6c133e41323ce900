// Layers of the work part.
#include "api/common.h"
#include "model/guard.h"
#include "uf_layer.h"

using namespace host;
using namespace host::api;

extern "C" {

int UF_LAYER_set_status(int layer, int status) {
    return guarded("UF_LAYER_set_status", [&] {
        if (layer < UF_LAYER_MIN_LAYER || layer > UF_LAYER_MAX_LAYER) fail(UF_err_bad_parameter_number_1, "no layer " + std::to_string(layer));
        if (status < 0 || status > 3) fail(UF_err_bad_parameter_number_2, "no layer status " + std::to_string(status));
        Part& p = workPart();
        if (status == UF_LAYER_WORK_LAYER) {
            p.layerStatus[p.workLayer] = UF_LAYER_ACTIVE_LAYER;
            p.workLayer = layer;
        } else if (layer == p.workLayer) {
            fail(UF_err_operation_failed, "the work layer cannot be made " + std::to_string(status));
        }
        p.layerStatus[layer] = status;
        p.modified = true;
    });
}

int UF_LAYER_ask_status(int layer, int* status) {
    return guarded("UF_LAYER_ask_status", [&] {
        if (layer < UF_LAYER_MIN_LAYER || layer > UF_LAYER_MAX_LAYER) fail(UF_err_bad_parameter_number_1, "no layer " + std::to_string(layer));
        if (status) *status = workPart().layerStatus[layer];
    });
}

int UF_LAYER_ask_work_layer(int* layer) {
    return guarded("UF_LAYER_ask_work_layer", [&] { if (layer) *layer = workPart().workLayer; });
}

int UF_LAYER_set_all_but_work(int status) {
    return guarded("UF_LAYER_set_all_but_work", [&] {
        // 4 is the host's "hidden" for this call: the layers become inactive.
        if (status < 1 || status > 4) fail(UF_err_bad_parameter_number_1, "no layer status " + std::to_string(status));
        Part& p = workPart();
        for (int l = UF_LAYER_MIN_LAYER; l <= UF_LAYER_MAX_LAYER; ++l)
            if (l != p.workLayer) p.layerStatus[l] = status == 4 ? UF_LAYER_INACTIVE_LAYER : status;
        p.modified = true;
    });
}

}  // extern "C"
