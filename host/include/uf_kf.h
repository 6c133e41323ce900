/* Knowledge Fusion: rules of a part's root instance, evaluated when the model is updated. */
#ifndef UF_KF_H_INCLUDED
#define UF_KF_H_INCLUDED
#include "uf_defs.h"

/* Makes `part` the part whose rules the other calls name ("Root:" is its root instance). */
UF_EXTERN_C UFUNEXPORT int UF_KF_init_part(tag_t part);
/* Creates or replaces a rule; it is evaluated at the next UF_MODL_update. */
UF_EXTERN_C UFUNEXPORT int UF_KF_create_rule_no_update(const char* name_chain, const char* rule_name, const char* rule_type,
    const char* rule_text, const char* leading_comment);
UF_EXTERN_C UFUNEXPORT int UF_KF_delete_instance_rule(const char* name_chain, const char* rule_name);

#endif
