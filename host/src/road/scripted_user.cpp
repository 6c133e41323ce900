#include "road/scripted_user.h"
#include <stdexcept>
#include "model/menu.h"

namespace host::road {

ScriptedUser::ScriptedUser() : before_(ui::user()) { ui::setUser(this); }

ScriptedUser::~ScriptedUser() { ui::setUser(before_); }

void ScriptedUser::pick(const std::string& action, std::function<void(ui::Dialog&)> onDialog) {
    const Action* a = menu().find(action);
    if (!a) throw std::runtime_error("the menu has no action " + action + " (is the module loaded?)");
    onDialog_ = std::move(onDialog);
    struct Clear { std::function<void(ui::Dialog&)>& f; ~Clear() { f = nullptr; } } clear{onDialog_};
    UF_MB_activated_button_t button{0, nullptr, const_cast<char*>(a->name.c_str())};
    a->callback(nullptr, a->clientData, &button);
}

void ScriptedUser::drive(ui::Dialog& d) {
    if (onDialog_) onDialog_(d);
    if (d.open) ui::pressCancel(d);
}

std::optional<std::vector<tag_t>> ScriptedUser::chooseObjects(const std::string&) { return selection; }

}  // namespace host::road
