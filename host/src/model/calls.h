#pragma once
#include <string>
#include <vector>

namespace host {

struct Call {
    std::string names, state, note;
};
const std::vector<Call>& calls();

}  // namespace host
