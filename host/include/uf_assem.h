/* Assemblies: work part, occurrences, components. */
#ifndef UF_ASSEM_H_INCLUDED
#define UF_ASSEM_H_INCLUDED
#include "uf_defs.h"

UF_EXTERN_C UFUNEXPORT tag_t UF_ASSEM_ask_work_part(void);
UF_EXTERN_C UFUNEXPORT int UF_ASSEM_set_work_part(tag_t part);
UF_EXTERN_C UFUNEXPORT tag_t UF_ASSEM_ask_root_part_occ(tag_t part);
UF_EXTERN_C UFUNEXPORT int UF_ASSEM_ask_part_occ_children(tag_t part_occurrence, tag_t** child_part_occs);
UF_EXTERN_C UFUNEXPORT logical UF_ASSEM_is_occurrence(tag_t object);
UF_EXTERN_C UFUNEXPORT tag_t UF_ASSEM_ask_prototype_of_occ(tag_t occurrence);
UF_EXTERN_C UFUNEXPORT tag_t UF_ASSEM_ask_parent_component(tag_t occurrence);
UF_EXTERN_C UFUNEXPORT tag_t UF_ASSEM_ask_work_occurrence(void);
UF_EXTERN_C UFUNEXPORT tag_t UF_ASSEM_cycle_objs_in_comp(tag_t component, tag_t object);
UF_EXTERN_C UFUNEXPORT int UF_ASSEM_ask_component_data(tag_t component, char part_name[MAX_FSPEC_BUFSIZE],
    char refset_name[MAX_ENTITY_NAME_BUFSIZE], char instance_name[MAX_ENTITY_NAME_BUFSIZE],
    double origin[3], double csys_matrix[9], double transform[4][4]);

#endif
