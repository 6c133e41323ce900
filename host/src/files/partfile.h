// The stand-in's part file: JSON (UTF-8) holding everything the module can see of a part, the
// solids as B-rep text. Reading a damaged or foreign file fails with a plain message and leaves the
// session and the disk as they were; writing goes through a temporary file, so a failed save never
// leaves half a part behind.
#pragma once
#include <string>
#include <nlohmann/json.hpp>
#include "model/session.h"

namespace host::partfile {

// Loads the part at `path` (on disk) unless it is loaded already; its components' parts are loaded
// when the assembly's occurrences are built. Throws HostError.
Part& load(const std::string& path);
// Loads a part and builds its assembly (loading every component's part). Throws HostError.
Part& open(const std::string& path);
void save(Part& part);
// Saves the part, and with `components` the parts of its components that changed or were never written.
void saveTree(Part& part, bool components);
void saveAs(Part& part, const std::string& newPath);

// GBK text as stored in JSON: a string when it converts to UTF-8, else {"gbk": "<hex>"} so that no byte is lost.
nlohmann::json text(const std::string& gbk);
std::string text(const nlohmann::json& j);

// The check stored beside a solid's text, which the reader demands before the kernel sees the text.
std::string solidCheck(const std::string& brep);

nlohmann::json attrsToJson(const std::vector<Attr>& attrs);
std::vector<Attr> attrsFromJson(const nlohmann::json& j);

}  // namespace host::partfile
