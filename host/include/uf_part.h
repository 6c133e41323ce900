/* Parts: display part, names, open, save, close, cleanup. */
#ifndef UF_PART_H_INCLUDED
#define UF_PART_H_INCLUDED
#include "uf_defs.h"

typedef struct UF_PART_load_status_s {
    logical failed;
    int user_abort;
    int n_parts;
    char** file_names;
    int* statuses;
} UF_PART_load_status_t, *UF_PART_load_status_p_t;

#define UF_PART_cleanup_highlight 1

UF_EXTERN_C UFUNEXPORT tag_t UF_PART_ask_display_part(void);
UF_EXTERN_C UFUNEXPORT int UF_PART_set_display_part(tag_t part);
UF_EXTERN_C UFUNEXPORT int UF_PART_ask_part_name(tag_t part, char part_fspec[MAX_FSPEC_BUFSIZE]);
UF_EXTERN_C UFUNEXPORT tag_t UF_PART_ask_part_tag(const char* part_name);
UF_EXTERN_C UFUNEXPORT int UF_PART_open(const char* part_name, tag_t* part, UF_PART_load_status_p_t error_status);
UF_EXTERN_C UFUNEXPORT int UF_PART_save(void);
UF_EXTERN_C UFUNEXPORT int UF_PART_save_as(const char* new_part_name);
UF_EXTERN_C UFUNEXPORT int UF_PART_close(tag_t part, int scope, int mode);
UF_EXTERN_C UFUNEXPORT int UF_PART_ask_num_parts(void);
UF_EXTERN_C UFUNEXPORT tag_t UF_PART_ask_nth_part(int index);
UF_EXTERN_C UFUNEXPORT int UF_PART_cleanup(int option);
UF_EXTERN_C UFUNEXPORT int UF_PART_free_load_status(UF_PART_load_status_p_t status);

/* How a part file is imported: layer_mode 0 puts the objects on the work layer, 1 keeps their layers;
   group_mode 1 gathers them into a new group. The other modes are taken and not used. */
typedef struct UF_import_part_modes_s {
    int layer_mode;
    int group_mode;
    int csys_mode;
    int plist_mode;
    int expression_mode;
    logical view_mode;
    logical cam_mode;
    logical use_search_dirs;
} UF_import_part_modes_t, *UF_import_part_modes_p_t;
/* Copies the bodies of a part file into the work part: the file's absolute coordinates are placed at
   dest_point with the axes dest_csys (x then y); scale 1.0 only. The new group's tag, or NULL_TAG. */
UF_EXTERN_C UFUNEXPORT int UF_PART_import(const char* part_name, UF_import_part_modes_p_t modes, double dest_csys[6], double dest_point[3],
                                          double scale, tag_t* group);

#endif
