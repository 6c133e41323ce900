// The module's splitting of records, outlines, categories and component file names: any text in,
// never a crash, and what comes out is made of what went in.
#include <string>
#include "attributes/stock_rules.hpp"
#include "components/naming.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string t(reinterpret_cast<const char*>(data), size);
    stock::parse_record(t);
    stock::parse_outline(t);
    stock::Category c = stock::split_category(t);
    if (c.category.size() > t.size() || c.modifier.size() > t.size()) __builtin_trap();
    stock::material_of(t);
    stock::specification_of(t, t);
    stock::remark_of(t, t, t, t);
    naming::partNameOfFile(t);
    naming::seriesOf(t);
    if (naming::afterLastDash(t).size() > t.size() || naming::beforeLastDash(t).size() > t.size()) __builtin_trap();
    获取文件名和路径(t, 1);
    获取文件名和路径(t, 2);
    naming::sequenceNumber(t);
    return 0;
}
