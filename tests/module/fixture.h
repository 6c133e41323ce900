// Module tests: the module loaded into a fresh stand-in session, with a scripted user.
#pragma once
#include <gtest/gtest.h>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>
#include "model/menu.h"
#include "model/session.h"
#include "uf.h"
#include "ui/dialog.h"

extern "C" void ufsta(char* param, int* retcode, int paramLen);

// Plays the user: runs `onDialog` on each dialog shown, then closes it as its Close button would.
class ScriptedUser : public host::ui::User {
public:
    std::function<void(host::ui::Dialog&)> onDialog;
    std::vector<std::string> shown;  // dialog files, in order
    void drive(host::ui::Dialog& d) override {
        shown.push_back(std::filesystem::path(d.file).filename().string());
        if (onDialog) onDialog(d);
        if (d.open) host::ui::pressCancel(d);
    }
    std::optional<std::vector<tag_t>> chooseObjects(const std::string&) override { return std::nullopt; }
};

class ModuleTest : public ::testing::Test {
protected:
    void SetUp() override {
        host::Session& s = host::session();
        s.reset();
        s.baseDir = std::string(VORTA_BINARY_DIR) + "/base";
        s.transcript = [this](const std::string& line) { transcript.push_back(line); };
        if (host::menu().actions.empty()) {
            char p[1] = {0};
            int rc = 0;
            ufsta(p, &rc, 0);
        }
        host::ui::setUser(&user);
        host::ui::counters() = {};
    }
    void TearDown() override {
        host::ui::setUser(nullptr);
        host::session().transcript = nullptr;
        host::session().reset();
    }
    // Picks a menu action as the user does; answers the callback's status.
    int pick(const std::string& action) {
        const host::Action* a = host::menu().find(action);
        if (!a) {
            ADD_FAILURE() << "no action " << action;
            return -1;
        }
        return a->callback(nullptr, a->clientData, nullptr);
    }
    int count(const std::string& prefix) const {
        int n = 0;
        for (auto& l : transcript) n += l.rfind(prefix, 0) == 0;
        return n;
    }

    ScriptedUser user;
    std::vector<std::string> transcript;
};
