// Every interface the stand-in provides, with how far it goes. `vorta calls` prints this table.
#include "model/calls.h"

namespace host {

const std::vector<Call>& calls() {
    static const std::vector<Call> table = {
        {"UF_initialize / UF_terminate / UF_is_initialized", "provided", "brackets nest; procedural calls outside them fail with status 1"},
        {"UF_get_fail_message / UF_print_syslog / UF_free / UF_free_string_array", "provided", ""},
        {"UF_translate_variable", "provided", "UGII_BASE_DIR from the installation folder, as a drive Z: path"},
        {"UF_load_library / UF_unload_library / LoadLibraryA / GetProcAddress / FreeLibrary", "provided", "decorated names are looked up with '@' spelt '$'"},
        {"UF_ask_application_module", "provided", "always modelling"},
        {"UF_MB_add_actions / UF_MB_register_application", "provided", ""},
        {"uc1601 / UF_UI_open_listing_window / UF_UI_write_listing_window / UF_UI_close_listing_window / UF_UI_is_listing_window_open", "provided", "to the transcript"},
        {"UF_UI_select_with_class_dialog", "partial", "answered by the journal's choose; the init procedure's masks are not applied"},
        {"UF_ATTR_assign / read_value / find_attribute / delete / delete_all / count_attributes / cycle", "partial", "value types bool, integer, real and string"},
        {"UF_OBJ_* (type, status, cycling, names, delete, colour, layer, blank, display properties, translucency, owning part)", "provided", ""},
        {"UF_PART_* (display part, names, open, save, save as, close, parts, cleanup)", "provided", "cleanup: highlight only"},
        {"UF_ASSEM_* (work part, root, children, occurrences, prototypes, parents, component data, cycling)", "provided", ""},
        {"UF_LAYER_set_status / ask_status / ask_work_layer / set_all_but_work", "provided", "layers of the work part"},
        {"UF_DISP_ask_color / set_color / load_color_table", "partial", "RGB colour model only"},
        {"UF_DISP_set_highlight / ask_highlight / regenerate_display", "provided", ""},
        {"UF_VIEW_ask_work_view / fit_view / ask_tag_of_view_name", "provided", "the standard modelling views"},
        {"UF_VIEW_cycle_objects", "not provided", "answers status 10"},
        {"UF_MODL_* (lists, body type, faces, edges, face data, edge type and ends, boxes, minimum distance, feature body, update)", "provided", ""},
        {"UF_CSYS_* / UF_MTX3_initialize / UF_VEC3_sub / UF_VEC3_distance / UF_CURVE_ask_centroid", "provided", ""},
        {"UF_PS_ask_ps_tag_of_object / PK_TOPOL_eval_mass_props / PK_BODY_ask_faces / PK_BODY_ask_edges / PK_MEMORY_free", "provided", "metres and kilograms"},
        {"UF_SO_create_xform_assy_ctxt / UF_WAVE_create_linked_body", "provided", "a linked body carries its source's name and attributes"},
        {"UF_DRAW_ask_drawings", "provided", "sheets by name"},
        {"UF_DRAW_ask_current_drawing", "partial", "no sheet is ever current"},
        {"UF_CFI_ask_file_exist / uc4504 / uc4514a / uc4540", "partial", "text files are read; writing is not provided (status 10)"},
        {"UF_ABORT_*", "provided", "the scripted user never asks to stop"},
        {"_findfirst64i32 / _findnext64i32 / _findclose / _access / _mkdir / rename / DeleteFileA", "provided", "over drive Z:; rename never replaces a file"},
        {"ShellExecuteA", "partial", "tells the transcript what would be opened"},
        {"NXOpen::Session / UI / NXMessageBox / ListingWindow / PartCollection / Part / BasePart", "provided", ""},
        {"NXOpen::NXObject / DisplayableObject / Body / Face / Edge / Assemblies::Component / ComponentAssembly", "provided", ""},
        {"NXOpen::FileNew / Assemblies::CreateNewComponentBuilder", "provided", "the template model-plain-1-mm-template.prt"},
        {"NXOpen::Features (sheet-metal conversion, flat solid, remove parameters)", "provided", "bent plates of parallel bends unfold; other bodies throw"},
        {"NXOpen::Update / undo marks / DisplayManager / DisplayModification", "provided", ""},
        {"NXOpen::BlockStyler (dialogs, blocks, property lists)", "partial", "tree blocks hold no nodes yet"},
    };
    return table;
}

}  // namespace host
