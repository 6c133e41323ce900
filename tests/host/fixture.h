// A fresh stand-in session for each test, and small models made in code.
#pragma once
#include <gtest/gtest.h>
#include <filesystem>
#include <string>
#include <vector>
#include "../scratch.h"
#include "geom/stock.h"
#include "model/session.h"
#include "uf.h"
#include "uf_object_types.h"

class HostTest : public ::testing::Test {
protected:
    void SetUp() override {
        freshSession(transcript);
        dir = scratchDir("vorta-host-");
        UF_initialize();
    }
    void TearDown() override {
        UF_terminate();
        host::session().transcript = nullptr;
        host::session().reset();
        std::filesystem::remove_all(dir);
    }

    host::Part& part(const std::string& file) {
        host::Part& p = host::session().newPart((dir / file).string());
        host::session().display = host::session().work = &p;
        return p;
    }
    host::Object& plate(host::Part& p, const std::string& name, double l = 200, double w = 100, double t = 5) {
        host::Object& o = host::session().create(p, UF_solid_type, UF_solid_body_subtype);
        o.pid = p.nextPid++;
        o.name = name;
        host::geom::Stock st;
        st.kind = "plate";
        st.size = {l, w, t};
        o.shape = host::geom::makeStock(st);
        return o;
    }
    bool said(const std::string& line) const {
        for (auto& l : transcript)
            if (l == line) return true;
        return false;
    }

    std::vector<std::string> transcript;
    std::filesystem::path dir;
};
