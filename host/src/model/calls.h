#pragma once
#include <string>
#include <vector>

namespace host {

struct Call {
    std::string header;              // under host/include: "uf_obj.h", "NXOpen/Part.hxx"
    std::vector<std::string> names;  // the functions, or the classes by qualified name, that the header declares
    std::string state, note;
};
const std::vector<Call>& calls();

}  // namespace host
