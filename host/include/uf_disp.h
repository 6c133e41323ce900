/* Display: colour table, highlight. */
#ifndef UF_DISP_H_INCLUDED
#define UF_DISP_H_INCLUDED
#include "uf_defs.h"

#define UF_DISP_rgb_model 0
#define UF_DISP_BACKGROUND_COLOR 0

/* color_name, when not null, receives the host's allocation (UF_free). */
UF_EXTERN_C UFUNEXPORT int UF_DISP_ask_color(int color_num, int color_model, char** color_name, double clr_values[3]);
UF_EXTERN_C UFUNEXPORT int UF_DISP_set_color(int color_num, int color_model, const char* color_name, const double clr_values[3]);
UF_EXTERN_C UFUNEXPORT int UF_DISP_load_color_table(void);
UF_EXTERN_C UFUNEXPORT int UF_DISP_set_highlight(tag_t object, int highlight);
UF_EXTERN_C UFUNEXPORT int UF_DISP_ask_highlight(tag_t object, int* highlight);
UF_EXTERN_C UFUNEXPORT int UF_DISP_regenerate_display(void);

#endif
