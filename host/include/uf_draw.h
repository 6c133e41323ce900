/* Drawing sheets of the work part. */
#ifndef UF_DRAW_H_INCLUDED
#define UF_DRAW_H_INCLUDED
#include "uf_defs.h"

/* A sheet's size and scale. size_state 3: custom size, in custom_size (width, height, millimetres). */
typedef struct UF_DRAW_info_s {
    int size_state;
    struct { int size_code; double custom_size[2]; } size;
    double drawing_scale;
    int units;              /* 1: metric */
    int projection_angle;   /* 1: first angle */
} UF_DRAW_info_t;

#define UF_DRAW_MAX_LABEL_LEN 132
/* How a model view comes onto a sheet. */
typedef struct UF_DRAW_view_info_s {
    int view_status;        /* 1: active */
    tag_t anchor_point;
    double view_scale;
    logical use_ref_pt;
    logical clean_model_view;
    logical inherit_boundary;
    logical transfer_annotation;
    logical inherit_pmi;
    char model_name[UF_DRAW_MAX_LABEL_LEN + 1];
    char arrangement_name[UF_DRAW_MAX_LABEL_LEN + 1];
} UF_DRAW_view_info_t;

/* Where a projected view goes from its parent: 2 right of it, 3 below it, as the module passes them. */
typedef int UF_DRAW_proj_dir_t;
#define UF_DRAW_project_infer 0

/* The sheets in creation order, as the host's allocation (UF_free). */
UF_EXTERN_C UFUNEXPORT int UF_DRAW_ask_drawings(int* num_drawings, tag_t** drawing_tags);
/* The work part's current sheet; NULL_TAG when it has none. */
UF_EXTERN_C UFUNEXPORT int UF_DRAW_ask_current_drawing(tag_t* drawing_tag);
UF_EXTERN_C UFUNEXPORT int UF_DRAW_ask_drawing_info(tag_t drawing_tag, UF_DRAW_info_t* drawing_info);
UF_EXTERN_C UFUNEXPORT int UF_DRAW_set_drawing_info(tag_t drawing_tag, UF_DRAW_info_t* drawing_info);
UF_EXTERN_C UFUNEXPORT int UF_DRAW_rename_drawing(tag_t drawing_tag, char* new_name);
UF_EXTERN_C UFUNEXPORT int UF_DRAW_upd_out_of_date_views(tag_t drawing_tag);
UF_EXTERN_C UFUNEXPORT int UF_DRAW_add_orthographic_view(const tag_t drawing_tag, const tag_t parent_view_tag,
    const UF_DRAW_proj_dir_t projection_direction, double dwg_reference_point[2], tag_t* ortho_view_tag);
UF_EXTERN_C UFUNEXPORT int UF_DRAW_set_view_scale(tag_t view_tag, double scale);
UF_EXTERN_C UFUNEXPORT int UF_DRAW_initialize_view_info(UF_DRAW_view_info_t* view_info);
UF_EXTERN_C UFUNEXPORT int UF_DRAW_import_view(const tag_t drawing_tag, const tag_t view_tag, double dwg_reference_point[2],
    UF_DRAW_view_info_t* view_info, tag_t* draw_view_tag);
UF_EXTERN_C UFUNEXPORT int UF_DRAW_move_view(tag_t view_tag, double drwg_reference_point[2]);
/* Deletes a sheet with its views and notes. */
UF_EXTERN_C UFUNEXPORT int UF_DRAW_delete_drawing(tag_t drawing_tag);
/* The member views of a sheet in creation order, as the host's allocation (UF_free). */
UF_EXTERN_C UFUNEXPORT int UF_DRAW_ask_views(tag_t drawing_tag, int* num_views, tag_t** view_tags);
UF_EXTERN_C UFUNEXPORT int UF_DRAW_ask_view_scale(tag_t view_tag, double* scale);
UF_EXTERN_C UFUNEXPORT int UF_DRAW_update_one_view(tag_t drawing_tag, tag_t view_tag);
/* The current sheet's name. */
UF_EXTERN_C UFUNEXPORT int uc6492(char drawing_name[MAX_ENTITY_NAME_BUFSIZE]);
/* The sheet a member view stands on. */
UF_EXTERN_C UFUNEXPORT int UF_DRAW_ask_drawing_of_view(tag_t view_tag, tag_t* drawing_tag);

#endif
