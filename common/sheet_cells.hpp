// The cells of the tabular notes the current sheet shows (its title block), row by row.
#pragma once
#include <functional>
#include <string>
#include <uf_defs.h>

// Calls `visit` with each cell and its text (GBK), in note order, row by row.
void 遍历图纸表格单元格(const std::function<void(tag_t cell, const std::string& text)>& visit);
