// Walks over the displayed assembly: its components, parents of new parts, bodies to convert,
// child components, and the names and files already taken.
#pragma once
#include <string>
#include <vector>
#include <uf_defs.h>

// An object's whole name, and a component's file stem (file name without folder and ".prt").
std::string wholeName(tag_t object);
std::string componentStem(tag_t component);

// The prototype of an occurrence (first flag set), or the body itself (second flag set); nothing
// when both flags are set already. Always 0.
int 得到装配下的boy(bool& occurrenceSeen, bool& bodySeen, tag_t body, tag_t& out);
// Depth first below an occurrence: each child after its own children, with its instance name.
void ASSEM_cycle_all_part(tag_t occurrence, std::vector<tag_t>& components, std::vector<std::string>& instanceNames);
// Every component of the displayed assembly, in the walk's order.
std::vector<tag_t> 所有组件();
// One component per object name of the displayed assembly, the first met in the walk. The walk is made
// anew each time, so a component that was moved or deleted is never handed out.
void 得到所有组件的数组(std::vector<tag_t>& out);
// Parent components of new parts: holding more than one body, with a numeric tail after the last "-"
// in their file name, in ascending order of that number.
int 得到组件的tag(std::vector<tag_t>& out);
int 得到组件下所有的实体(tag_t component, std::vector<tag_t>& out);
// Child components, one per object name.
int 得到组件下的组件(tag_t component, std::vector<tag_t>& out);
// Bodies marked "按图制作" without a sequenced number, one per part name.
int 得到出图的体(tag_t component, std::vector<tag_t>& out);

// The file of a component's part as the host reports it.
std::string 得到新建组件的路径(tag_t component);
// state: 10 when a loaded part's file name (with its extension) is `name`, else 100. Always 0.
int 遍历内存(const std::string& name, int& state);
// The part names read back from every component's file name, in component order.
int 得到所有组件的名称(std::vector<std::string>& names);
// Every file below the folder, sub-folders first where they are met, as full paths.
void 得到目录下所有文件名(const std::string& folder, std::vector<std::string>& files);
// The free names of the format ("%s-00%d.prt" or "%s-%d.prt") for k = 1 to 19 in the displayed part's folder.
std::vector<std::string> 查找可用名称(const std::string& base, const char* format, std::string& folder);
