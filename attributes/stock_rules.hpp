// Text and number rules of the attribute dialog: stock category, size record, material,
// specification, remark, body identity, place keys and the working mode. No host calls here.
// All text is GBK; searches and splits only ever match at character starts.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace stock {

// What the caller shows when a bent plate's flat pattern kept the outline of the bent body.
inline constexpr const char* kUnfoldFailedMessage = "未展开成功:请修改折弯设置";

// Position of the first occurrence of `part` in `text` that starts on a character, or npos.
std::size_t gbk_find(const std::string& text, const std::string& part);
bool gbk_contains(const std::string& text, const std::string& part);

// "钢板,折弯" -> 钢板 and 折弯; without a comma both are the whole text.
struct Category {
    std::string category;
    std::string modifier;
};
Category split_category(const std::string& text);

// The stock size record a,b-c-d,e.
struct Record {
    double a = 0, b = 0, c = 0, d = 0, e = 0;
};
Record parse_record(const std::string& text);

// The outline p,q-r of the unbent body.
struct Outline {
    double p = 0, q = 0, r = 0;
};
Outline parse_outline(const std::string& text);

std::string format_plain_record(double a, double b, double c, double d, double e);
// The caller passes the sheet thickness a again as d.
std::string format_bent_record(double a, double b, double c, double d, double e);
std::string format_outline(double a, double b, double c);

std::string material_of(const std::string& category_text);
std::string specification_of(const std::string& category_text, const std::string& record);

// With unfold_failed set the text is empty and the caller shows kUnfoldFailedMessage.
struct Remark {
    std::string text;
    bool unfold_failed = false;
};
Remark remark_of(const std::string& drawing_no, const std::string& category_text, const std::string& record,
                 const std::string& outline);

struct BodyFigures {
    int faces = 0;
    int edges = 0;
    double volume = 0;
    double mass = 0;
    double area = -1;   // surface, mm2; negative when the kernel did not say
};
// Copies of one body, mirrored ones too. Equal counts and volumes alone would take a 50x6x400 flat
// bar and a 20x20x300 square bar for copies: their surfaces tell them apart.
bool same_body(const BodyFigures& x, const BodyFigures& y);

// Box as minimum x, y, z then maximum x, y, z.
std::string place_key(const double (&box)[6]);

// 1 when the drawing sheets are numbered, 2 otherwise.
int working_mode(const std::vector<std::string>& sheet_names);

}  // namespace stock
