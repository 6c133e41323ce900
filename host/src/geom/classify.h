// The stock a solid was cut from, told from its shape: what a designer would type as its category.
#pragma once
#include <optional>
#include <string>
#include <TopoDS_Shape.hxx>

namespace host::geom {

struct Told {
    // The category text (UTF-8) of a solid cut from one piece of stock: "钢板", "扁钢", "方钢", "方管",
    // "矩形管", "角钢", "槽钢", "工字钢", "H型钢", "圆钢", "无缝钢管" or "钢板,折弯"; "" when the shape
    // is none of them (a casting, a purchased or machined part, a weldment of several pieces).
    std::string category;
    // Why no stock, in a few words for the user; "" when a stock was told.
    std::string reason;
    // The part has what its bill-of-materials line cannot say: holes, slots, notches, mitred or coped
    // ends, chamfers, bends, an outline other than a rectangle. It goes to the shop with a drawing.
    bool drawing = false;
};

// Never throws: a shape the kernel cannot read tells no stock, with the kernel's reason. The part's name
// (UTF-8) decides where the shape alone cannot: a short strip called "strip" or "扁钢" is flat bar.
Told tellStock(const TopoDS_Shape& solid, const std::string& nameUtf8 = "");

// A material other than steel that a part's name says it is made of ("wood panel", "Sperrholz",
// "橡胶垫"): its name as a designer writes it in the material field (UTF-8), and its density.
struct Material {
    std::string name;       // 木材, 胶合板, 塑料, 橡胶, 玻璃
    double density = 0;     // g/cm3
};
std::optional<Material> materialNamed(const std::string& partNameUtf8);

}  // namespace host::geom
