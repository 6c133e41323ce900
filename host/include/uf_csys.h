/* Coordinate systems and matrices; the work coordinate system. */
#ifndef UF_CSYS_H_INCLUDED
#define UF_CSYS_H_INCLUDED
#include "uf_defs.h"

/* Matrices hold the x axis, the y axis and the z axis, three values each. */
UF_EXTERN_C UFUNEXPORT int UF_CSYS_create_matrix(const double matrix_values[9], tag_t* matrix_id);
UF_EXTERN_C UFUNEXPORT int UF_CSYS_ask_matrix_values(tag_t matrix_id, double matrix_values[9]);
UF_EXTERN_C UFUNEXPORT int UF_CSYS_create_temp_csys(const double csys_origin[3], tag_t matrix_id, tag_t* csys_id);
UF_EXTERN_C UFUNEXPORT int UF_CSYS_ask_csys_info(tag_t csys_id, tag_t* matrix_id, double csys_origin[3]);
UF_EXTERN_C UFUNEXPORT int UF_CSYS_ask_wcs(tag_t* wcs_id);
UF_EXTERN_C UFUNEXPORT int UF_CSYS_set_wcs(tag_t csys_id);

#endif
