// Points, vectors and matrices of the object interface.
#pragma once

namespace NXOpen {

struct Point3d {
    double X = 0, Y = 0, Z = 0;
    Point3d() = default;
    Point3d(double x, double y, double z) : X(x), Y(y), Z(z) {}
};
struct Vector3d {
    double X = 0, Y = 0, Z = 0;
    Vector3d() = default;
    Vector3d(double x, double y, double z) : X(x), Y(y), Z(z) {}
};
struct Matrix3x3 {
    double Xx = 1, Xy = 0, Xz = 0, Yx = 0, Yy = 1, Yz = 0, Zx = 0, Zy = 0, Zz = 1;
};

}  // namespace NXOpen
