// What the module registered with the menubar.
#pragma once
#include <string>
#include <vector>
#include "uf_mb.h"

namespace host {

struct Action {
    std::string name;
    UF_MB_callback_t callback;
    UF_MB_data_t clientData;
};

struct Menu {
    std::vector<Action> actions;
    std::vector<UF_MB_application_t> applications;
    std::vector<std::string> applicationNames;
    const Action* find(const std::string& name) const {
        for (auto& a : actions)
            if (a.name == name) return &a;
        return nullptr;
    }
};

Menu& menu();

}  // namespace host
