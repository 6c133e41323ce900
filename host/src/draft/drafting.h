// Drawing sheets, their member views and tabular notes: what the drafting application holds.
#pragma once
#include <array>
#include <map>
#include <string>
#include <vector>
#include "uf_defs.h"

namespace host {
struct Object;
struct Part;
}

namespace host::draft {

// The stand-in's subtypes: sheets' member views beside the modelling views (0), and plain tabular
// notes beside their sections (0) and parts lists (11).
constexpr int kMemberViewSubtype = 1;
// Every sheet has a view of its own, the drawing-sheet view: what a user picks when picking the sheet.
constexpr int kSheetViewSubtype = 10;
constexpr int kNoteSubtype = 1;
constexpr int kSectionSubtype = 0;
constexpr int kPartsListSubtype = 11;
// Rows, columns and cells of tabular notes: objects of the stand-in's own, reached through their note.
// A cell keeps row * kCellStride + column as its index, rows and columns their number.
constexpr int kRowType = 9101, kColumnType = 9102, kCellType = 9103;
constexpr int kCellStride = 1024;

struct Line { double x1 = 0, y1 = 0, x2 = 0, y2 = 0; };

// A tabular note: a grid from its top-left corner down and to the right, cell texts in GBK.
struct Note {
    tag_t sheet = 0;
    double x = 0, y = 0;                  // top-left corner on the sheet, mm
    std::vector<double> columns, rows;    // widths and heights, mm
    std::vector<std::vector<std::string>> cells;   // [row][column]
    std::vector<tag_t> sections;
    std::map<int, tag_t> handles;         // row, column and cell objects made on demand
    std::vector<tag_t> members;           // parts lists: the objects added, in order
};

enum class ViewKind { Base, Projected, Imported };

// A body of the part a view draws, as a file can name it: its pid, or for an occurrence the instance
// path of its component and its prototype's pid.
struct BodyRef {
    std::vector<int> path;
    int pid = 0;
    bool operator==(const BodyRef& o) const { return path == o.path && pid == o.pid; }
};
BodyRef refOf(const Object& body);

// What a view shows of a body unlike the rest: a shade edit in a colour of the colour table.
struct Shade {
    BodyRef body;
    int color = 0;
    int translucency = 0;
};

struct View {
    ViewKind kind = ViewKind::Base;
    tag_t sheet = 0;
    std::string modelView;               // FRONT, TOP, LEFT, TFR-ISO, ...
    std::string partFile;                // the part drawn (absolute, UTF-8); imported views: the sheet's own part
    double x = 0, y = 0, scale = 1;      // centre on the sheet, mm
    std::vector<int> layers;             // the layers shown (empty: as the part shows them); imported views and their projections
    tag_t parent = 0;                    // projected views: the view projected from, and how
    int code = 0;
    std::vector<BodyRef> erased;         // view-dependent edits: bodies erased from this view
    std::vector<Shade> shaded;           // and bodies shaded in it
    int renderingStyle = -1;             // view style set by the user (-1: the host's default for the view):
    int hiddenLineFont = -1;             //   0 fully shaded / invisible hidden lines, 1 partial / solid, 2 wireframe / dashed
    bool outOfDate = true;
};

struct Sheet {
    std::string templateFile;            // as the module named it
    tag_t sheetView = 0;                 // its drawing-sheet view (not kept in files: made with the sheet)
    double width = 420, height = 297, scale = 1;
    int number = 0;
    std::vector<Line> lines;             // the frame
    std::vector<tag_t> views, notes;
};

// A sheet as a file holds it: the sheet, its notes with their subtypes, its views with their names and
// (by index) their parents. A template is the first sheet of a template part.
struct Template {
    std::string name;
    Sheet sheet;
    std::vector<Note> notes;
    std::vector<int> noteSubtypes;
    std::vector<View> views;
    std::vector<std::string> viewNames;
    std::vector<int> viewParents;        // index into views, -1: none
};
// Reads a template part's first sheet without loading the part; throws HostError when it cannot.
Template readTemplate(const std::string& path);
// Makes the sheet, its notes and its views in the part (the views' parts are named, not loaded).
Object& makeSheet(Part& part, const Template& t);

// A new sheet of the part from a template (its size, frame and notes copied); it becomes the current sheet.
Object& newSheet(Part& part, const Template& t, const std::string& name, const std::string& templateFile);
Object& newNote(Part& part, Object& sheet, Note note, int subtype = kNoteSubtype);
// A member view on the sheet, named like the host's ("Front@3"), not yet brought up to date.
Object& newView(Part& part, Object& sheet, View view);

// Fields a template's cell carries for the host to fill when it shows the sheet, as drafting templates
// link cells to the sheet's properties: "<SCALE>" the sheet's scale as a ratio (1:N, N to at most one
// decimal), "<SHEETS>" how many sheets the part has, "<SHEET>" this sheet's number among them (its
// place in the part, or the number it was given). The cell's text with its fields filled (GBK).
std::string withFields(const std::string& cellGbk, const Object& sheet);
// The scale as a drawing states it: "1:10.2", "1:1", "2:1".
std::string scaleRatio(double scale);

// The host's modelling view name for what a caller calls it ("Front", "Isometric", "TOP", "TFR-ISO").
std::string modelViewName(const std::string& name);
// The part's modelling views, made on first use; null when the part has none of that name.
Object* modelView(Part& part, const std::string& name);
void ensureModelViews(Part& part);

// Row, column and cell objects of a note.
tag_t rowOf(Object& note, int row);
tag_t columnOf(Object& note, int column);
tag_t cellOf(Object& note, int row, int column);

Object* currentSheet(Part& part);
// The sheet or member view of a tag; throws HostError (status 3) for anything else.
Object& sheetObject(tag_t drawing);
Object& memberView(tag_t view);
// The sheet a member view or a drawing-sheet view stands on; throws HostError for anything else.
Object& sheetOfView(tag_t view);

// A new sheet from the template file (on disk) named `templateFile` by the module. A template that
// cannot be read fails loudly: the system log and the transcript say so, and HostError is thrown.
Object& sheetFromTemplate(Part& part, const std::string& templatePath, const std::string& templateFile, const std::string& name);

// The model view a projected view shows, placed from its parent as this trade draws (first angle):
// code 3 below the parent (seen from above it), code 2 right of it (seen from its left). Throws
// HostError when the parent is no orthographic view.
std::string projectedModelView(const std::string& parentModelView, int code);

// The bodies a member view shows, in model coordinates of the part it draws: a base or projected view
// all bodies of its part on layers the part shows, an imported view those on its own layers (an
// occurrence by the layer it carries). Blanked bodies are not shown.
std::vector<Object*> shownBodies(Object& view);
// The shaded bodies of a view with their shades.
std::vector<std::pair<Object*, Shade>> shadedBodies(Object& view);

// A member view of the part's sheets by its name ("Front@3"); throws HostError when there is none.
Object& viewNamed(Part& part, const std::string& name);
// View-dependent edits. A body the view does not draw throws HostError (status 2); so do a colour not
// in the table and a translucency outside 0 to 100.
void eraseFromView(Object& view, Object& body);
void shadeInView(Object& view, Object& body, int color, int translucency);
void removeEdits(Object& view);
// Deletes the sheet with its views and notes; when it was current, the first sheet left is.
void deleteSheet(Object& sheet);

}  // namespace host::draft
