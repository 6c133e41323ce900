#include "common/attributes.hpp"
#include <uf.h>
#include <uf_attr.h>

std::string 得到体的属性(tag_t object, std::string title) {
    UF_initialize();
    UF_ATTR_value_t value;
    value.value.string = nullptr;
    UF_ATTR_read_value(object, &title[0], kAttrRead, &value);
    std::string text;
    if (value.type == UF_ATTR_string && value.value.string != nullptr) {
        text = value.value.string;
        UF_free(value.value.string);
    }
    UF_terminate();
    return text;
}

void 写字符串属性(tag_t object, const char* title, const std::string& value) {
    UF_initialize();
    UF_ATTR_value_t v;
    v.type = kAttrWrite;
    v.value.string = const_cast<char*>(value.c_str());
    UF_ATTR_assign(object, const_cast<char*>(title), v);
    UF_terminate();
}
