/* Matrix and vector helpers. */
#ifndef UF_MTX_H_INCLUDED
#define UF_MTX_H_INCLUDED
#include "uf_defs.h"

/* A matrix from an x axis and a y axis: y is made orthogonal to x, z = x cross y. */
UF_EXTERN_C UFUNEXPORT int UF_MTX3_initialize(const double x_vec[3], const double y_vec[3], double mtx[9]);
/* The 4x4 transformation (row by row, translation in elements 3, 7 and 11) that takes what stands in
   the first coordinate system to the same place in the second. */
UF_EXTERN_C UFUNEXPORT int UF_MTX4_csys_to_csys(const double from_origin[3], const double from_x_axis[3], const double from_y_axis[3],
                                                const double to_origin[3], const double to_x_axis[3], const double to_y_axis[3], double mtx[16]);
UF_EXTERN_C UFUNEXPORT void UF_VEC3_sub(const double vec1[3], const double vec2[3], double vec_diff[3]);
UF_EXTERN_C UFUNEXPORT void UF_VEC3_distance(const double pnt1[3], const double pnt2[3], double* distance);
UF_EXTERN_C UFUNEXPORT int UF_VEC3_cross(const double vec1[3], const double vec2[3], double cross_product[3]);
UF_EXTERN_C UFUNEXPORT int UF_VEC3_negate(const double vec[3], double negated_vec[3]);
/* pnt_sum = pnt + scale * vec */
UF_EXTERN_C UFUNEXPORT int UF_VEC3_affine_comb(const double pnt[3], double scale, const double vec[3], double pnt_sum[3]);

#endif
