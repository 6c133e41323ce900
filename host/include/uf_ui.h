/* Message boxes, listing window, class selection. */
#ifndef UF_UI_H_INCLUDED
#define UF_UI_H_INCLUDED
#include "uf_defs.h"

#define UF_UI_OK 5
#define UF_UI_CANCEL 2
#define UF_UI_BACK 1

UF_EXTERN_C UFUNEXPORT int uc1601(const char* message, int option);
UF_EXTERN_C UFUNEXPORT int UF_UI_open_listing_window(void);
UF_EXTERN_C UFUNEXPORT int UF_UI_write_listing_window(const char* string);
UF_EXTERN_C UFUNEXPORT int UF_UI_close_listing_window(void);
UF_EXTERN_C UFUNEXPORT int UF_UI_is_listing_window_open(logical* response);

typedef int (*UF_UI_sel_init_fn_t)(void* select, void* user_data);
/* Answered by the user with a list of objects; the list is the host's allocation (UF_free). */
UF_EXTERN_C UFUNEXPORT int UF_UI_select_with_class_dialog(char* message, char* title, int scope,
    UF_UI_sel_init_fn_t init_proc, void* user_data, int* response, int* count, tag_p_t* objects);

#define UF_UI_SEL_SCOPE_WORK_PART 0
#define UF_UI_SEL_SCOPE_ANY_IN_ASSEMBLY 3
#define UF_UI_SEL_FEATURE_SOLID_BODY 36
#define UF_UI_SEL_REJECT 0
#define UF_UI_SEL_ACCEPT 1

#endif
