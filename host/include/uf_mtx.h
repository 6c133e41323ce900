/* Matrix and vector helpers. */
#ifndef UF_MTX_H_INCLUDED
#define UF_MTX_H_INCLUDED
#include "uf_defs.h"

/* A matrix from an x axis and a y axis: y is made orthogonal to x, z = x cross y. */
UF_EXTERN_C UFUNEXPORT int UF_MTX3_initialize(const double x_vec[3], const double y_vec[3], double mtx[9]);
UF_EXTERN_C UFUNEXPORT void UF_VEC3_sub(const double vec1[3], const double vec2[3], double vec_diff[3]);
UF_EXTERN_C UFUNEXPORT void UF_VEC3_distance(const double pnt1[3], const double pnt2[3], double* distance);
UF_EXTERN_C UFUNEXPORT int UF_VEC3_cross(const double vec1[3], const double vec2[3], double cross_product[3]);
UF_EXTERN_C UFUNEXPORT int UF_VEC3_negate(const double vec[3], double negated_vec[3]);
/* pnt_sum = pnt + scale * vec */
UF_EXTERN_C UFUNEXPORT int UF_VEC3_affine_comb(const double pnt[3], double scale, const double vec[3], double pnt_sum[3]);

#endif
