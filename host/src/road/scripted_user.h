// A user played by code rather than by a journal: menu picks whose dialogs a function fills in.
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>
#include "ui/dialog.h"

namespace host::road {

class ScriptedUser : public ui::User {
public:
    ScriptedUser();    // plays the user from now on
    ~ScriptedUser() override;
    ScriptedUser(const ScriptedUser&) = delete;
    ScriptedUser& operator=(const ScriptedUser&) = delete;

    // Picks a menu action; `onDialog` plays the user in each dialog it opens, which is then closed as
    // with its Close button. Throws std::runtime_error when the menu has no such action.
    void pick(const std::string& action, std::function<void(ui::Dialog&)> onDialog = nullptr);
    // The answer to class selection dialogs; nullopt cancels them.
    std::optional<std::vector<tag_t>> selection;

    void drive(ui::Dialog& dialog) override;
    std::optional<std::vector<tag_t>> chooseObjects(const std::string& title) override;

private:
    ui::User* before_;
    std::function<void(ui::Dialog&)> onDialog_;
};

}  // namespace host::road
