// Coordinate systems and matrices; the work coordinate system.
#include <cstring>
#include <gp_Vec.hxx>
#include "api/common.h"
#include "model/guard.h"
#include "uf_csys.h"
#include "uf_object_types.h"

using namespace host;
using namespace host::api;

namespace {

const int kMatrixType = 55;

}  // namespace

extern "C" {

int UF_CSYS_create_matrix(const double values[9], tag_t* matrix) {
    return guarded("UF_CSYS_create_matrix", [&] {
        if (!values) fail(UF_err_bad_parameter_number_1, "no matrix values");
        gp_Vec x(values[0], values[1], values[2]), y(values[3], values[4], values[5]);
        if (x.Magnitude() < 1e-12 || y.Magnitude() < 1e-12 || x.IsParallel(y, 1e-9))
            fail(UF_err_bad_parameter_number_1, "the matrix is not a coordinate frame");
        Object& m = session().create(displayPart(), kMatrixType, 0, false);
        std::memcpy(m.mtx.data(), values, 9 * sizeof(double));
        if (matrix) *matrix = m.tag;
    });
}

int UF_CSYS_ask_matrix_values(tag_t matrix, double values[9]) {
    return guarded("UF_CSYS_ask_matrix_values", [&] {
        Object& m = session().object(matrix);
        if (values) std::memcpy(values, m.mtx.data(), 9 * sizeof(double));
    });
}

int UF_CSYS_create_temp_csys(const double origin[3], tag_t matrix, tag_t* csys) {
    return guarded("UF_CSYS_create_temp_csys", [&] {
        Object& m = session().object(matrix);
        if (m.type != kMatrixType) fail(UF_err_bad_parameter_number_2, "not a matrix");
        Object& c = session().create(displayPart(), UF_coordinate_system_type, 0, false);
        if (origin) std::memcpy(c.origin.data(), origin, 3 * sizeof(double));
        c.mtx = m.mtx;
        c.matrix = matrix;
        if (csys) *csys = c.tag;
    });
}

int UF_CSYS_ask_csys_info(tag_t csys, tag_t* matrix, double origin[3]) {
    return guarded("UF_CSYS_ask_csys_info", [&] {
        Object& c = session().object(csys);
        if (c.type != UF_coordinate_system_type) fail(UF_err_bad_parameter_number_1, "not a coordinate system");
        if (origin) std::memcpy(origin, c.origin.data(), 3 * sizeof(double));
        if (matrix) {
            Object& m = session().create(displayPart(), kMatrixType, 0, false);
            m.mtx = c.mtx;
            *matrix = m.tag;
        }
    });
}

int UF_CSYS_ask_wcs(tag_t* w) {
    return guarded("UF_CSYS_ask_wcs", [&] { if (w) *w = wcs().tag; });
}

int UF_CSYS_set_wcs(tag_t csys) {
    return guarded("UF_CSYS_set_wcs", [&] {
        Object& c = session().object(csys);
        if (c.type != UF_coordinate_system_type) fail(UF_err_bad_parameter_number_1, "not a coordinate system");
        Object& w = wcs();
        w.origin = c.origin;
        w.mtx = c.mtx;
    });
}

}  // extern "C"
