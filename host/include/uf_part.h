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

#endif
