// The stock a solid was cut from, told from its shape alone: what a designer would type as its category.
#pragma once
#include <string>
#include <TopoDS_Shape.hxx>

namespace host::geom {

// The category text (UTF-8) of a solid made from one piece of stock: "钢板", "扁钢", "方管", "矩形管",
// "角钢", "圆钢", "无缝钢管" or "钢板,折弯"; "" when the shape is none of them (a casting, a machined
// part, a weldment of several pieces). Never throws: a shape the kernel cannot read is "".
std::string stockCategory(const TopoDS_Shape& solid);

}  // namespace host::geom
