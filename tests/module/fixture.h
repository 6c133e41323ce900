// Module tests: the module loaded into a fresh stand-in session, with a scripted user.
#pragma once
#include <gtest/gtest.h>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>
#include <fstream>
#include "files/partfile.h"
#include "../scratch.h"
#include "model/menu.h"
#include "model/modeldesc.h"
#include "text.h"
#include "uf_object_types.h"
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
        freshSession(transcript);
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

// Module tests on a model built from a description in a folder of their own.
class ModelTest : public ModuleTest {
protected:
    void SetUp() override {
        ModuleTest::SetUp();
        dir = scratchDir("vorta-model-");
        UF_initialize();
    }
    void TearDown() override {
        UF_terminate();
        std::filesystem::remove_all(dir);
        ModuleTest::TearDown();
    }
    // Builds a model description (UTF-8 JSON) and opens it as the displayed part.
    host::Part& open(const std::string& json, const std::string& file = "m.json") {
        std::ofstream(dir / file) << json;
        host::Part& p = host::partfile::open(host::modeldesc::build((dir / file).string(), "", true));
        host::session().display = host::session().work = &p;
        host::session().workOcc = p.rootOcc;
        return p;
    }
    // A body of the work part by its name; with `component`, the occurrence under that component.
    tag_t named(const std::string& gbk, const std::string& component = "") {
        host::Session& s = host::session();
        for (tag_t t : s.display->objects) {
            host::Object* o = s.find(t);
            if (!o || o->type != UF_solid_type) continue;
            if (component.empty() && !o->isOccurrence() && o->name == gbk) return t;
            if (!component.empty() && o->isOccurrence()) {
                host::Object* proto = s.find(o->prototype);
                host::Object* parent = s.find(o->parent);
                if (proto && parent && proto->name == gbk && parent->instanceName == component) return t;
            }
        }
        return NULL_TAG;
    }
    // The drawing test plant after the component batch and a drawing run with a prefix, as a designer runs them.
    void drawnPlant(const std::string& prefix = "QEL-100") {
        std::ifstream in(std::filesystem::path(VORTA_SOURCE_DIR) / "tests/journals/drawing.json", std::ios::binary);
        open(std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()), "drawing.json");
        user.onDialog = [](host::ui::Dialog& d) {
            host::ui::setValue(d, "enum0", "2");
            host::ui::pressApply(d);
        };
        pick("new_zujianV1");
        user.onDialog = [prefix](host::ui::Dialog& d) {
            host::ui::setValue(d, "tuhao", prefix);
            host::ui::pressApply(d);
        };
        pick("drawing");
        user.onDialog = nullptr;
    }
    tag_t component(const std::string& instanceName) {
        host::Session& s = host::session();
        for (tag_t t : s.display->objects)
            if (host::Object* o = s.find(t); o && o->type == UF_component_type && !o->root && o->instanceName == instanceName) return t;
        return NULL_TAG;
    }
    std::string parentOf(tag_t comp) {
        host::Object* p = host::session().find(host::session().object(comp).parent);
        return p && !p->root ? p->instanceName : "";
    }
    std::filesystem::path dir;
};
