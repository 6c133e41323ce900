// Attributes on objects.
#include <algorithm>
#include "api/common.h"
#include "model/guard.h"
#include "uf_attr.h"

using namespace host;
using namespace host::api;

namespace {

std::string titleOf(const char* title) {
    if (!title || !*title) fail(UF_err_bad_parameter_number_2, "empty attribute title");
    return title;
}

}  // namespace

extern "C" {

int UF_ATTR_assign(tag_t object, char* title, UF_ATTR_value_t value) {
    return guarded("UF_ATTR_assign", [&] {
        Object& o = session().object(object);
        Attr a;
        a.title = titleOf(title);
        a.type = value.type;
        switch (value.type) {
            case UF_ATTR_string:
                if (!value.value.string) fail(UF_err_bad_parameter_number_3, "string attribute without text");
                a.text = value.value.string;
                break;
            case UF_ATTR_integer: case UF_ATTR_bool: a.integer = value.value.integer; break;
            case UF_ATTR_real: a.real = value.value.real; break;
            default: fail(UF_err_bad_parameter_number_3, "attribute value type " + std::to_string(value.type) + " is not supported");
        }
        o.setAttr(std::move(a));
        touch(o);
    });
}

int UF_ATTR_read_value(tag_t object, char* title, int type, UF_ATTR_value_p_t value) {
    if (value) {
        value->type = UF_ATTR_null;
        value->value.string = nullptr;
    }
    return guarded("UF_ATTR_read_value", [&] {
        if (!value) fail(UF_err_bad_parameter_number_4, "no value record");
        const Attr* a = session().object(object).findAttr(titleOf(title));
        if (!a || (type != UF_ATTR_any && type != a->type)) return;
        value->type = a->type;
        switch (a->type) {
            case UF_ATTR_string: value->value.string = allocString(a->text); break;
            case UF_ATTR_real: value->value.real = a->real; break;
            default: value->value.integer = a->integer; break;
        }
    });
}

int UF_ATTR_find_attribute(tag_t object, int type, char* title, int* title_type) {
    if (title_type) *title_type = 0;
    return guarded("UF_ATTR_find_attribute", [&] {
        const Attr* a = session().object(object).findAttr(titleOf(title));
        if (a && (type == UF_ATTR_any || type == a->type) && title_type) *title_type = a->type;
    });
}

int UF_ATTR_delete(tag_t object, int type, char* title) {
    return guarded("UF_ATTR_delete", [&] {
        Object& o = session().object(object);
        std::string t = titleOf(title);
        for (auto it = o.attrs.begin(); it != o.attrs.end(); ++it)
            if (it->title == t && (type == UF_ATTR_any || type == it->type)) { o.attrs.erase(it); touch(o); return; }
    });
}

int UF_ATTR_delete_all(tag_t object, int type) {
    return guarded("UF_ATTR_delete_all", [&] {
        Object& o = session().object(object);
        auto& v = o.attrs;
        v.erase(std::remove_if(v.begin(), v.end(), [&](const Attr& a) { return type == UF_ATTR_any || a.type == type; }), v.end());
        touch(o);
    });
}

int UF_ATTR_count_attributes(tag_t object, int type, int* count) {
    return guarded("UF_ATTR_count_attributes", [&] {
        int n = 0;
        for (auto& a : session().object(object).attrs) n += (type == UF_ATTR_any || a.type == type);
        if (count) *count = n;
    });
}

int UF_ATTR_cycle(tag_t object, int* indx, int type, char title[UF_ATTR_MAX_TITLE_BUFSIZE], UF_ATTR_value_p_t value) {
    return guarded("UF_ATTR_cycle", [&] {
        if (!indx) fail(UF_err_bad_parameter_number_2, "no index");
        if (title) title[0] = '\0';
        if (value) { value->type = UF_ATTR_null; value->value.string = nullptr; }
        auto& attrs = session().object(object).attrs;
        for (int i = *indx; i < static_cast<int>(attrs.size()); ++i) {
            const Attr& a = attrs[i];
            if (type != UF_ATTR_any && a.type != type) continue;
            copyOut(title, UF_ATTR_MAX_TITLE_BUFSIZE, a.title);
            if (value) {
                value->type = a.type;
                if (a.type == UF_ATTR_string) value->value.string = allocString(a.text);
                else if (a.type == UF_ATTR_real) value->value.real = a.real;
                else value->value.integer = a.integer;
            }
            *indx = i + 1;
            return;
        }
        *indx = 0;
    });
}

}  // extern "C"
