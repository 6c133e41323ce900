#include "common/sheet_cells.hpp"
#include <vector>
#include <uf.h>
#include <uf_obj.h>
#include <uf_object_types.h>
#include <uf_tabnot.h>
#include <uf_view.h>

void 遍历图纸表格单元格(const std::function<void(tag_t cell, const std::string& text)>& visit) {
    // The sections first: the visit may change cells, not which notes the sheet shows.
    std::vector<tag_t> sections;
    for (tag_t t = NULL_TAG; UF_VIEW_cycle_objects(NULL_TAG, UF_VIEW_VISIBLE_OBJECTS, &t) == 0 && t != NULL_TAG;) {
        int type = 0, subtype = 0;
        UF_OBJ_ask_type_and_subtype(t, &type, &subtype);
        if (type == UF_tabular_note_type && subtype == 0) sections.push_back(t);
    }
    for (tag_t section : sections) {
        tag_t note = NULL_TAG;
        UF_TABNOT_ask_tabular_note_of_section(section, &note);
        int rows = 0, columns = 0;
        UF_TABNOT_ask_nm_rows(note, &rows);
        UF_TABNOT_ask_nm_columns(note, &columns);
        for (int r = 0; r < rows; ++r) {
            tag_t row = NULL_TAG;
            UF_TABNOT_ask_nth_row(note, r, &row);
            for (int c = 0; c < columns; ++c) {
                tag_t column = NULL_TAG, cell = NULL_TAG;
                UF_TABNOT_ask_nth_column(note, c, &column);
                UF_TABNOT_ask_cell_at_row_col(row, column, &cell);
                char* text = nullptr;
                UF_TABNOT_ask_cell_text(cell, &text);
                const std::string was = text ? text : "";
                if (text) UF_free(text);
                visit(cell, was);
            }
        }
    }
}
