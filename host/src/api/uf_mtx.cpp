// Matrix and vector helpers.
#include <cmath>
#include <cstring>
#include <gp_Vec.hxx>
#include <exception>
#include <gp_Trsf.hxx>
#include "geom/stock.h"
#include "model/guard.h"
#include "uf_mtx.h"

extern "C" {

int UF_MTX3_initialize(const double x[3], const double y[3], double mtx[9]) {
    gp_Vec vx(x[0], x[1], x[2]), vy(y[0], y[1], y[2]);
    if (vx.Magnitude() < 1e-12) return UF_err_bad_parameter_number_1;
    vx.Normalize();
    vy -= vx * vy.Dot(vx);
    if (vy.Magnitude() < 1e-12) return UF_err_bad_parameter_number_2;
    vy.Normalize();
    gp_Vec vz = vx.Crossed(vy);
    double v[9] = {vx.X(), vx.Y(), vx.Z(), vy.X(), vy.Y(), vy.Z(), vz.X(), vz.Y(), vz.Z()};
    std::memcpy(mtx, v, sizeof v);
    return 0;
}

void UF_VEC3_sub(const double a[3], const double b[3], double d[3]) {
    for (int i = 0; i < 3; ++i) d[i] = a[i] - b[i];
}

void UF_VEC3_distance(const double a[3], const double b[3], double* d) {
    *d = std::sqrt((a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]) + (a[2] - b[2]) * (a[2] - b[2]));
}

int UF_MTX4_csys_to_csys(const double fo[3], const double fx[3], const double fy[3], const double to[3], const double tx[3], const double ty[3],
                         double mtx[16]) {
    return host::guarded("UF_MTX4_csys_to_csys", [&] {
        auto frame = [](const double o[3], const double x[3], const double y[3]) {
            gp_Vec vx(x[0], x[1], x[2]), vy(y[0], y[1], y[2]);
            gp_Vec vz = vx.Crossed(vy);
            const double z[3] = {vz.X(), vz.Y(), vz.Z()};
            try {
                return host::geom::placement(o, x, z);
            } catch (const std::exception& e) {
                host::fail(UF_err_bad_parameter_number_1, std::string("a coordinate system: ") + e.what());
            }
        };
        gp_Trsf t = frame(to, tx, ty) * frame(fo, fx, fy).Inverted();
        for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 3; ++c) mtx[4 * r + c] = t.Value(r + 1, c + 1);
            mtx[4 * r + 3] = t.Value(r + 1, 4);
        }
        mtx[12] = mtx[13] = mtx[14] = 0;
        mtx[15] = 1;
    });
}

// The results may be written over the arguments, so each is computed whole before it is stored.
int UF_VEC3_cross(const double a[3], const double b[3], double c[3]) {
    const double r[3] = {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
    std::memcpy(c, r, sizeof r);
    return 0;
}

int UF_VEC3_negate(const double v[3], double n[3]) {
    for (int i = 0; i < 3; ++i) n[i] = -v[i];
    return 0;
}

int UF_VEC3_affine_comb(const double p[3], double scale, const double v[3], double sum[3]) {
    const double r[3] = {p[0] + scale * v[0], p[1] + scale * v[1], p[2] + scale * v[2]};
    std::memcpy(sum, r, sizeof r);
    return 0;
}

}  // extern "C"
