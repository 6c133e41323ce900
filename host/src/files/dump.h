// A part as JSON for people and tests: objects, components, sheets.
#pragma once
#include <nlohmann/json.hpp>
#include "model/session.h"

namespace host::dump {
nlohmann::ordered_json part(Part& p);
}
