// The spreadsheet functions rules call: ug_excel_open_file, ug_excel_write_range, ug_excel_close_file.
#pragma once
#include <string>
#include <vector>
#include "kf/rules.h"

namespace host::kf {

// Calls a function of the rules by name; throws KfError for an unknown function or wrong arguments.
Value call(const std::string& function, const std::vector<Value>& args);
// Forgets every workbook left open (a new session).
void closeAll();

}  // namespace host::kf
