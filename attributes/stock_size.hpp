// Measuring the stock a body is cut from: its box aligned with its largest face, its thickness,
// its mass, and the flat pattern of bent sheet.
#pragma once
#include <string>
#include <uf_defs.h>

namespace NXOpen { namespace Features { class Feature; } }

// Area of a face in mm2 (accuracy kept within 0.9 to 1); 1 for a null tag, else 0.
int 得到面积(tag_t face, double accuracy, double& area);
// Volume in mm3 and mass in grams (accuracy kept within 0.99 to 1); 1 for a null tag or a body
// without a kernel body, else 0.
int 得到体积(tag_t body, double accuracy, double& volume, double& mass);
// The body's surface in mm2 as the kernel gives it with its volume; negative when it gives none.
double 体的表面积(tag_t body);
// The face of largest area; the first of equal ones; 0 when no face has an area.
tag_t 求体的最大面积(tag_t body);
// Makes the work coordinate system lie on the face: x along its normal (or axis), y along its longest edge.
void 设置坐标到最大面最长边(tag_t face);

// The work coordinate system as it was when this was made, put back when it goes.
class 坐标系保持 {
public:
    坐标系保持();
    ~坐标系保持();
    坐标系保持(const 坐标系保持&) = delete;
    坐标系保持& operator=(const 坐标系保持&) = delete;
private:
    tag_t saved_ = NULL_TAG;
};

// Box extents of a body in the frame of its largest face, smallest first. Leaves the work coordinate
// system on that face; `largest` gets the face.
void 外形尺寸(tag_t body, double extents[3], tag_t* largest = nullptr);

// The plain stock size record a,b-c-d,e of a body; the work coordinate system is kept.
std::string 普通尺寸记录(tag_t body);
// The outline text p,q-r of a body; the work coordinate system is kept.
std::string 外形文本(tag_t body);
// The bent stock size record from the body's flat pattern. Throws the host's exception when the body
// cannot be unfolded; the work coordinate system is kept and no helper body is left behind.
std::string 折弯尺寸记录(tag_t body);

// The sheet-metal conversion feature built on the face.
NXOpen::Features::Feature* 转换为钣金(tag_t face);
// A linked body feature that brings an occurrence body into the work part.
tag_t 抽取实体(tag_t occurrence);
