/* Transforming objects. */
#ifndef UF_TRNS_H_INCLUDED
#define UF_TRNS_H_INCLUDED
#include "uf_defs.h"

/* Moves (1) or copies (2) objects by a 4x4 transformation (as UF_MTX4_* make them): a group moves its
   members. dest_layer 0 keeps the layers; trace_curves 2 makes none. status 0 when every object moved. */
UF_EXTERN_C UFUNEXPORT void uf5947(const double rp1[16], const tag_t* objects, const int* num_objects, const int* move_or_copy,
                                   const int* dest_layer, const int* trace_curves, tag_t* copies, tag_t* trace_curve_group, int* status);

#endif
