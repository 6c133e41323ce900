// The menubar: what the module registers is kept for the journal to pick.
#include "model/guard.h"
#include "model/menu.h"
#include "uf_mb.h"

using namespace host;

extern "C" {

int UF_MB_add_actions(UF_MB_action_t actions[]) {
    return guarded("UF_MB_add_actions", [&] {
        if (!actions) fail(UF_err_bad_parameter_number_1, "no action table");
        for (int i = 0; actions[i].action_name; ++i) {
            if (!actions[i].callback) fail(UF_err_bad_parameter_number_1, std::string("action ") + actions[i].action_name + " has no callback");
            menu().actions.push_back({actions[i].action_name, actions[i].callback, actions[i].client_data});
        }
    });
}

int UF_MB_register_application(UF_MB_application_t* app) {
    return guarded("UF_MB_register_application", [&] {
        if (!app || !app->name) fail(UF_err_bad_parameter_number_1, "no application record");
        app->id = static_cast<int>(menu().applications.size()) + 1;
        menu().applications.push_back(*app);
        menu().applications.back().name = nullptr;
        menu().applicationNames.push_back(app->name);
    });
}

}  // extern "C"
