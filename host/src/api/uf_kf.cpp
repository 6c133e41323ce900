// Knowledge Fusion rules on the root instance of the part UF_KF_init_part named.
#include "api/common.h"
#include "kf/rules.h"
#include "model/guard.h"
#include "text.h"
#include "uf_kf.h"

using namespace host;

namespace {

kf::Rules& rootRules(const char* chain) {
    Session& s = session();
    Part* p = s.partByTag(s.kfPart);
    if (!p) fail(UF_err_operation_failed, "Knowledge Fusion was not started on a part (UF_KF_init_part)");
    if (!chain || std::string(chain) != "Root:") fail(UF_err_bad_parameter_number_1, "rules are kept on the root instance \"Root:\" only");
    if (!p->rules) p->rules = std::make_shared<kf::Rules>();
    return *p->rules;
}

}  // namespace

extern "C" {

int UF_KF_init_part(tag_t part) {
    return guarded("UF_KF_init_part", [&] {
        if (!session().partByTag(part)) fail(UF_err_bad_parameter_number_1, "not a part");
        session().kfPart = part;
    });
}

int UF_KF_create_rule_no_update(const char* chain, const char* name, const char* type, const char* rule, const char*) {
    return guarded("UF_KF_create_rule_no_update", [&] {
        kf::Rules& r = rootRules(chain);
        try {
            r.set(name ? name : "", type ? type : "", rule ? rule : "");
        } catch (const kf::KfError& e) {
            fail(UF_err_bad_parameter_number_4, std::string("rule ") + (name ? name : "") + ": " + e.what());
        }
        if (Part* p = session().partByTag(session().kfPart)) p->modified = true;
    });
}

int UF_KF_delete_instance_rule(const char* chain, const char* name) {
    return guarded("UF_KF_delete_instance_rule", [&] {
        if (!rootRules(chain).remove(name ? name : "")) fail(UF_err_bad_parameter_number_2, std::string("no rule ") + (name ? name : ""));
    });
}

}  // extern "C"
