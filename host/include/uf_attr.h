/* Attributes on objects. */
#ifndef UF_ATTR_H_INCLUDED
#define UF_ATTR_H_INCLUDED
#include "uf_defs.h"

#define UF_ATTR_null 0
#define UF_ATTR_bool 1
#define UF_ATTR_integer 2
#define UF_ATTR_real 3
#define UF_ATTR_time 4
#define UF_ATTR_string 5
#define UF_ATTR_any 6
#define UF_ATTR_reference 7

#define UF_ATTR_MAX_TITLE_BUFSIZE 51
#define UF_ATTR_MAX_STRING_BUFSIZE 133

typedef struct UF_ATTR_value_s {
    int type;
    union {
        int integer;
        double real;
        tag_t reference;
        char* string; /* on read: the host's allocation, freed with UF_free; null when absent */
        int time[2];
    } value;
} UF_ATTR_value_t, *UF_ATTR_value_p_t;

UF_EXTERN_C UFUNEXPORT int UF_ATTR_assign(tag_t object, char* title, UF_ATTR_value_t value);
/* An absent attribute reads as type UF_ATTR_null with a null string. */
UF_EXTERN_C UFUNEXPORT int UF_ATTR_read_value(tag_t object, char* title, int type, UF_ATTR_value_p_t value);
/* title_type is 0 when the object has no attribute of that title and type. */
UF_EXTERN_C UFUNEXPORT int UF_ATTR_find_attribute(tag_t object, int type, char* title, int* title_type);
UF_EXTERN_C UFUNEXPORT int UF_ATTR_delete(tag_t object, int type, char* title);
UF_EXTERN_C UFUNEXPORT int UF_ATTR_delete_all(tag_t object, int type);
UF_EXTERN_C UFUNEXPORT int UF_ATTR_count_attributes(tag_t object, int type, int* count);
/* Titles and values in the order they were assigned; index starts at 0 and is advanced; title "" ends. */
UF_EXTERN_C UFUNEXPORT int UF_ATTR_cycle(tag_t object, int* indx, int type, char title[UF_ATTR_MAX_TITLE_BUFSIZE], UF_ATTR_value_p_t value);

#endif
