// Drawing sheets in part files: the sheet, its frame, its tabular notes and its member views.
#pragma once
#include <filesystem>
#include <string>
#include <nlohmann/json.hpp>
#include "draft/drafting.h"

namespace host::sheetjson {

// The sheet as the file at `partPath` keeps it (other parts named relative to its folder).
nlohmann::json toJson(Object& sheet, const std::string& partPath);
// A sheet from its JSON (a plain string is an empty sheet of that name); parts are resolved against
// `folder`. Throws std::runtime_error naming what is wrong.
draft::Template fromJson(const nlohmann::json& j, const std::filesystem::path& folder);
// The first sheet of a part file's text (a template); throws HostError naming the file.
draft::Template firstSheet(const std::string& fileText, const std::string& path);

}  // namespace host::sheetjson
