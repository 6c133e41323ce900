// The seven attribute titles every command shares, and reading one of them.
#pragma once
#include <string>
#include <uf_defs.h>

#define ATTR_PART_NAME "DB_PART_NAME"  // 名称
#define ATTR_PART_NO "DB_PART_NO"      // 图号
#define ATTR_MATERIAL "MATERIALS"      // 材料
#define ATTR_SPEC "suling"             // 材料规格
#define ATTR_REMARK "REMARK"           // 备注
#define ATTR_SIZE "DATE"               // 尺寸记录
#define ATTR_CATEGORY "guige"          // 规格

// The remark of a body that gets a drawing of its own.
#define REMARK_MARKED "按图制作"

// Value types: strings are written as 5 and read as 6 (any).
const int kAttrWrite = 5;
const int kAttrRead = 6;

// The attribute of the object itself (an occurrence's own, not its prototype's); empty when absent.
std::string 得到体的属性(tag_t object, std::string title);

// Writes a string attribute; the host's status is not examined.
void 写字符串属性(tag_t object, const char* title, const std::string& value);
