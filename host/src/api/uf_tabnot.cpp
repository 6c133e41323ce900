// Tabular notes: sections, rows, columns and cells.
#include "api/common.h"
#include "draft/drafting.h"
#include "model/guard.h"
#include "uf_object_types.h"
#include "uf_tabnot.h"

using namespace host;
using namespace host::api;

namespace {

Object& noteOf(tag_t t) {
    Object& o = session().object(t);
    if (o.type != UF_tabular_note_type || !o.note) fail(UF_err_bad_parameter_number_1, "not a tabular note: " + std::to_string(t));
    return o;
}

Object& handleOf(tag_t t, int type, int parameter, const char* what) {
    Object& o = session().object(t);
    if (o.type != type) fail(parameter, std::string("not ") + what + ": " + std::to_string(t));
    return o;
}

std::string& cellText(tag_t cell) {
    Object& c = handleOf(cell, draft::kCellType, UF_err_bad_parameter_number_1, "a cell");
    Object& n = noteOf(c.owner);
    int row = c.index / draft::kCellStride, column = c.index % draft::kCellStride;
    return n.note->cells.at(row).at(column);
}

}  // namespace

extern "C" {

int UF_TABNOT_ask_tabular_note_of_section(tag_t section, tag_t* note) {
    if (note) *note = NULL_TAG;
    return guarded("UF_TABNOT_ask_tabular_note_of_section", [&] {
        Object& s = session().object(section);
        if (s.type != UF_tabular_note_type || s.subtype != draft::kSectionSubtype || !s.owner)
            fail(UF_err_bad_parameter_number_1, "not a section of a tabular note");
        if (note) *note = noteOf(s.owner).tag;
    });
}

int UF_TABNOT_ask_nm_rows(tag_t note, int* n) {
    return guarded("UF_TABNOT_ask_nm_rows", [&] { if (n) *n = static_cast<int>(noteOf(note).note->rows.size()); });
}

int UF_TABNOT_ask_nm_columns(tag_t note, int* n) {
    return guarded("UF_TABNOT_ask_nm_columns", [&] { if (n) *n = static_cast<int>(noteOf(note).note->columns.size()); });
}

int UF_TABNOT_ask_nth_row(tag_t note, int n, tag_t* row) {
    if (row) *row = NULL_TAG;
    return guarded("UF_TABNOT_ask_nth_row", [&] {
        Object& o = noteOf(note);
        if (n < 0 || n >= static_cast<int>(o.note->rows.size())) fail(UF_err_bad_parameter_number_2, "no row " + std::to_string(n));
        if (row) *row = draft::rowOf(o, n);
    });
}

int UF_TABNOT_ask_nth_column(tag_t note, int n, tag_t* column) {
    if (column) *column = NULL_TAG;
    return guarded("UF_TABNOT_ask_nth_column", [&] {
        Object& o = noteOf(note);
        if (n < 0 || n >= static_cast<int>(o.note->columns.size())) fail(UF_err_bad_parameter_number_2, "no column " + std::to_string(n));
        if (column) *column = draft::columnOf(o, n);
    });
}

int UF_TABNOT_ask_cell_at_row_col(tag_t row, tag_t column, tag_t* cell) {
    if (cell) *cell = NULL_TAG;
    return guarded("UF_TABNOT_ask_cell_at_row_col", [&] {
        Object& r = handleOf(row, draft::kRowType, UF_err_bad_parameter_number_1, "a row");
        Object& c = handleOf(column, draft::kColumnType, UF_err_bad_parameter_number_2, "a column");
        if (r.owner != c.owner) fail(UF_err_bad_parameter_number_2, "the row and the column belong to different notes");
        if (cell) *cell = draft::cellOf(noteOf(r.owner), r.index, c.index);
    });
}

int UF_TABNOT_ask_cell_text(tag_t cell, char** text) {
    if (text) *text = nullptr;
    return guarded("UF_TABNOT_ask_cell_text", [&] {
        if (!text) fail(UF_err_bad_parameter_number_2, "no place for the text");
        *text = allocString(cellText(cell));
    });
}

int UF_TABNOT_set_cell_text(tag_t cell, const char* text) {
    return guarded("UF_TABNOT_set_cell_text", [&] {
        cellText(cell) = text ? text : "";
        touch(session().object(cell));
    });
}

}  // extern "C"
