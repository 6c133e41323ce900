/* Objects: kinds, names, display state, cycling, deletion. */
#ifndef UF_OBJ_H_INCLUDED
#define UF_OBJ_H_INCLUDED
#include "uf_defs.h"
#include "uf_object_types.h"

#define UF_OBJ_NOT_BLANKED 0
#define UF_OBJ_BLANKED 1

#define UF_OBJ_DELETED 0
#define UF_OBJ_TEMPORARY 1
#define UF_OBJ_CONDEMNED 2
#define UF_OBJ_ALIVE 3

typedef struct UF_OBJ_disp_props_s {
    int layer;
    int color;
    int blank_status;
    int line_width;
    int font;
    logical highlight_status;
} UF_OBJ_disp_props_t, *UF_OBJ_disp_props_p_t;

UF_EXTERN_C UFUNEXPORT int UF_OBJ_ask_type_and_subtype(tag_t object, int* type, int* subtype);
UF_EXTERN_C UFUNEXPORT int UF_OBJ_ask_status(tag_t object_id);
/* Objects of a type in a part, in creation order: start and end with NULL_TAG. */
UF_EXTERN_C UFUNEXPORT tag_t UF_OBJ_cycle_objs_in_part(tag_t part, int type, tag_t object);
UF_EXTERN_C UFUNEXPORT int UF_OBJ_cycle_by_name_and_type(tag_t part, const char* name, int type, logical cycle_occs, tag_t* object);
/* name gets at most UF_OBJ_NAME_BUFSIZE-1 bytes, cut on a character boundary. */
UF_EXTERN_C UFUNEXPORT int UF_OBJ_ask_name(tag_t object, char name[UF_OBJ_NAME_BUFSIZE]);
UF_EXTERN_C UFUNEXPORT int UF_OBJ_set_name(tag_t object, const char* name);
UF_EXTERN_C UFUNEXPORT int UF_OBJ_delete_object(tag_t object);
UF_EXTERN_C UFUNEXPORT int UF_OBJ_set_color(tag_t object, int color);
UF_EXTERN_C UFUNEXPORT int UF_OBJ_set_layer(tag_t object, int layer);
UF_EXTERN_C UFUNEXPORT int UF_OBJ_set_blank_status(tag_t object, int blank_status);
UF_EXTERN_C UFUNEXPORT int UF_OBJ_ask_display_properties(tag_t object, UF_OBJ_disp_props_p_t disp_props);
UF_EXTERN_C UFUNEXPORT int UF_OBJ_set_translucency(tag_t object, int translucency);
UF_EXTERN_C UFUNEXPORT int UF_OBJ_ask_translucency(tag_t object, int* translucency);
UF_EXTERN_C UFUNEXPORT int UF_OBJ_ask_owning_part(tag_t object, tag_t* owning_part);

#endif
