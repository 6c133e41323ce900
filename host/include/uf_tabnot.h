/* Tabular notes: sections, rows, columns and cells. */
#ifndef UF_TABNOT_H_INCLUDED
#define UF_TABNOT_H_INCLUDED
#include "uf_defs.h"

UF_EXTERN_C UFUNEXPORT int UF_TABNOT_ask_tabular_note_of_section(tag_t section, tag_t* tabular_note);
UF_EXTERN_C UFUNEXPORT int UF_TABNOT_ask_nm_rows(tag_t tabular_note, int* nm_rows);
UF_EXTERN_C UFUNEXPORT int UF_TABNOT_ask_nm_columns(tag_t tabular_note, int* nm_columns);
UF_EXTERN_C UFUNEXPORT int UF_TABNOT_ask_nth_row(tag_t tabular_note, int n, tag_t* row);
UF_EXTERN_C UFUNEXPORT int UF_TABNOT_ask_nth_column(tag_t tabular_note, int n, tag_t* column);
UF_EXTERN_C UFUNEXPORT int UF_TABNOT_ask_cell_at_row_col(tag_t row, tag_t column, tag_t* cell);
/* The cell's text, as the host's allocation (UF_free). */
UF_EXTERN_C UFUNEXPORT int UF_TABNOT_ask_cell_text(tag_t cell, char** cell_text);
UF_EXTERN_C UFUNEXPORT int UF_TABNOT_set_cell_text(tag_t cell, const char* cell_text);

#endif
