// The stand-in's session: parts, their objects by tag, assemblies, display state, transcript.
#pragma once
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>
#include <TopoDS_Shape.hxx>
#include <gp_Trsf.hxx>
#include "uf_defs.h"
#include "draft/drafting.h"
#include "geom/stock.h"

namespace host {

struct Part;
namespace kf { class Rules; }

// Components nest a few levels in a real plant, a few dozen at the very most; deeper nesting is a
// damaged or looping assembly and is refused where it is read.
constexpr size_t kMaxAssemblyDepth = 64;

struct Attr {
    std::string title;   // GBK
    int type = 5;        // UF_ATTR_* value type
    std::string text;    // string value (GBK)
    int integer = 0;
    double real = 0;
};

// One object of the model. Kinds share this record; what a kind does not use stays empty.
struct Object {
    tag_t tag = 0;
    int type = 0, subtype = 0;
    Part* part = nullptr;        // the part the object lives in
    bool alive = true;
    int pid = 0;                 // persistent id inside its part file (own objects only)
    size_t pos = 0;              // place in its part's creation order, so that cycling goes on in constant time
    std::string name;            // GBK
    int layer = 1, color = 87, blank = 0, translucency = 0, width = 0;
    bool highlight = false;
    std::vector<Attr> attrs;

    // Bodies: the solid in its part's coordinates, its density in g/cm3 and its cached mass properties.
    TopoDS_Shape shape;
    double density = 7.8;
    mutable std::optional<geom::MassProps> mass;

    // Occurrences (bodies and components of an assembly): what they stand for, and their parent component.
    tag_t prototype = 0;
    tag_t parent = 0;
    // Components (and the root occurrence): the occurrences directly below, in creation order (so by tag).
    std::vector<tag_t> members;

    // Components: the part they show, the instance name, the pid path of instances from the
    // assembly's top, and the placement in the assembly's coordinates.
    Part* child = nullptr;
    std::string instanceName;
    std::vector<int> instancePath;
    gp_Trsf transform;
    bool root = false;           // the root part occurrence of an assembly

    // Faces and edges: the body they belong to and their place in its kernel order.
    tag_t owner = 0;
    int index = -1;

    // Coordinate systems and matrices: origin, and x, y, z axes of three values each.
    std::array<double, 3> origin{};
    std::array<double, 9> mtx{1, 0, 0, 0, 1, 0, 0, 0, 1};
    tag_t matrix = 0;

    // Features: what kind, the body they made, what they were made from, and the transform of a link.
    std::string feature;
    tag_t featBody = 0;
    tag_t source = 0;
    tag_t face = 0;

    // Modelling views: how the view draws the part (0 shaded with edges, as NXOpen::View numbers the styles).
    int renderingStyle = 0;

    // Drafting: what a sheet, a member view or a tabular note holds.
    std::shared_ptr<draft::Sheet> sheet;
    std::shared_ptr<draft::View> view;
    std::shared_ptr<draft::Note> note;

    bool isOccurrence() const { return prototype != 0; }
    // Takes another body's name, attributes, display state and density (not its solid).
    void copyLook(const Object& from);
    const Attr* findAttr(const std::string& title) const;
    void setAttr(Attr a);
};

// A direct child component of a part as its file records it.
struct Instance {
    int pid = 0;
    std::string file;            // absolute path on disk (UTF-8)
    std::string name;            // instance name (GBK)
    gp_Trsf transform;           // placement in the parent part
};

// Attributes and display state an assembly keeps for one of its occurrences.
struct Override {
    std::vector<int> path;       // instance pids from the assembly's top
    int protoPid = 0;            // pid of the prototype object in the component's part; 0: the component itself
    std::string name;
    int layer = 1, color = 87, blank = 0, translucency = 0;
    std::vector<Attr> attrs;
};

struct Part {
    tag_t tag = 0;
    std::string path;            // on disk, UTF-8, absolute; changed only through Session::movePart
    std::vector<tag_t> objects;  // every object of the part in creation order (own objects and occurrences)
    std::vector<tag_t> sheets;   // its drawing sheets in creation order (deleted ones too)
    // Sheets by name, kept by Session::sheetNamed: the sheets up to `sheetsIndexed` are in it.
    std::unordered_map<std::string, tag_t> sheetIndex;
    size_t sheetsIndexed = 0;
    // Each live sheet's place among them (from 1), kept by Session::sheetPlace for `placesOf` sheets;
    // a deleted sheet makes it stale.
    std::unordered_map<tag_t, int> sheetPlaces;
    size_t placesOf = SIZE_MAX;
    std::vector<tag_t> views;    // its modelling views
    tag_t currentSheet = 0;
    int nextViewNumber = 1;      // member views are named Front@1, ORTHO@2, ...
    std::vector<Instance> instances;   // changed only through Session::addInstance / removeInstance
    // Component occurrences of the assembly by instance name (GBK), in creation order.
    std::unordered_map<std::string, std::vector<tag_t>> componentsByName;
    // Component files that could not be read when the assembly was built: kept as the file says,
    // reported, and written back unchanged, so that the assembly can be mended.
    std::vector<std::string> missing;
    std::shared_ptr<kf::Rules> rules;    // Knowledge Fusion rules of its root instance
    bool stale = false;          // occurrences were taken away (a component's part closed): rebuild on next sync
    std::array<int, 257> layerStatus{};       // UF_LAYER_* per layer; index 0 unused
    int workLayer = 1;
    int nextPid = 1;
    bool modified = false;
    tag_t rootOcc = 0;
    tag_t wcs = 0;               // the work coordinate system (a coordinate system object)
    // What the file says of occurrences, by (instance path, prototype pid): applied when the occurrences exist.
    std::map<std::pair<std::vector<int>, int>, Override> pendingOverrides;
    void keepOverride(Override ov) { auto key = std::make_pair(ov.path, ov.protoPid); pendingOverrides[key] = std::move(ov); }

    Object* self() const;        // the part's own object (type 2), which carries its attributes
    std::string leaf() const;    // file name without folder and extension, UTF-8
};

// A line of the transcript: what the user sees, in order.
using TranscriptSink = std::function<void(const std::string& utf8Line)>;

class Session {
public:
    static Session& get();
    // Forget every part and object; keeps the installation folder and the transcript sink.
    void reset();

    // Objects
    Object* find(tag_t tag);            // null for an unknown or deleted tag
    Object* findAny(tag_t tag);         // deleted ones too, while the session remembers them
    Object& object(tag_t tag);          // throws std::runtime_error naming the tag
    // A new object of the part; `listed` objects are the part's own and come out of cycling, the rest
    // (faces, edges, temporary coordinate systems, matrices) are reached through their owners.
    Object& create(Part& part, int type, int subtype, bool listed = true);
    void kill(Object& o);

    // Parts
    Part& newPart(const std::string& path);
    Part* partByPath(const std::string& path);
    Part* partByTag(tag_t tag);
    // The first loaded part whose file name without folder is `leafUtf8` (with or without ".prt").
    Part* partByLeaf(const std::string& leafUtf8);
    const std::vector<std::unique_ptr<Part>>& parts() const { return parts_; }
    void closePart(Part& p);
    void movePart(Part& p, const std::string& newPath);
    Part* display = nullptr;
    Part* work = nullptr;
    tag_t workOcc = 0;

    // Assemblies: make the occurrence tree of a part match its instances (loading their parts). After the
    // first build, changes keep the trees up to date as they happen, so a sync costs nothing unless a
    // component's part was closed meanwhile.
    void syncOccurrences(Part& p);
    // A new direct child component of `p`; every assembly that shows `p` gets its occurrences.
    void addInstance(Part& p, Instance in);
    // Takes the child component `pid` out of `p` and its occurrences out of every assembly.
    void removeInstance(Part& p, int pid);
    // A component and everything below it in its assembly, the component first.
    std::vector<Object*> subtree(Object& component);
    // Live occurrences of a body, or the live components that show a part (by the part's tag).
    std::vector<Object*> occurrencesOf(tag_t prototype);
    // The components of `top`'s assembly that show `p`, in creation order.
    std::vector<Object*> componentsShowing(Part& top, Part& p);
    // The occurrence the user works in when a part is made the work part by name (see the definition).
    tag_t workOccurrenceFor(Part& p);
    // The features that made a body, and telling which body a feature made.
    std::vector<Object*> featuresOf(tag_t body);
    void setFeatureBody(Object& feature, tag_t body);
    // What an assembly says of one of its occurrences, as its file keeps it; and putting that back.
    // `below` leaves out that many instance pids from the front of the path (for paths relative to a component).
    Override overrideOf(const Object& occurrence, size_t below = 0);
    static void takeLook(Object& occurrence, const Override& look);
    // The placement of an occurrence body or component in its assembly's coordinates.
    gp_Trsf placementOf(const Object& o);
    // The solid of a body in its part's (for occurrences: its assembly's) coordinates.
    TopoDS_Shape shapeOf(const Object& o);
    const geom::MassProps& massOf(const Object& o);

    // Faces and edges of a body in the kernel's order, with tags made on first use.
    struct Topology {
        TopoDS_Shape shape;
        std::vector<TopoDS_Shape> faces, edges;
        std::vector<tag_t> faceTags, edgeTags;
    };
    Topology& topology(Object& body);
    TopoDS_Shape subShape(const Object& faceOrEdge);
    // Drops what is cached of a body whose solid changed.
    void changed(Object& body);

    // Drawing sheets of a part, in creation order.
    std::vector<tag_t> sheets(const Part& p);
    // The live sheet of the part of that name (GBK), or null; a rename is told with sheetRenamed. A
    // batch names thousands of sheets one by one: each finds its name at constant cost.
    Object* sheetNamed(Part& p, const std::string& name);
    void sheetRenamed(Object& sheet, const std::string& before);
    // The sheet's place among the part's live sheets (from 1; 0 when it is none of them) and how many
    // there are. Every sheet of a batch shows both: each asks at constant cost.
    std::pair<int, int> sheetPlace(Part& p, tag_t sheet);
    Object& addSheet(Part& p, const std::string& name);

    // Undo marks and the update manager's delete list.
    std::vector<std::pair<int, std::string>> undoMarks;
    int nextUndoMark = 1;
    std::vector<tag_t> deleteList;
    std::vector<tag_t> unshown_;   // new bodies of parts that assemblies show, their occurrences still to make

    std::string application = "UG_APP_MODELING";   // the application the user is in
    tag_t kfPart = 0;                                // the part UF_KF_init_part named

    // Installation folder (UGII_BASE_DIR) on disk, UTF-8
    std::string baseDir;
    std::map<std::string, std::string> env;   // GBK values the module reads by name

    // Colour table: index 0 is the background.
    std::array<std::array<double, 3>, 216> colors{};
    int backgroundType = 0;
    // The colours the table names, by number; -1 when it names none of that name.
    static int colorNamed(const std::string& name);
    static const char* colorName(int number);
    // Progress bars of the display library by handle; kept here because the library is loaded
    // and unloaded around every call.
    struct ProgressBar { std::string title; int low = 0, high = 0, pos = 0; };
    std::map<long, ProgressBar> progressBars;
    long nextProgressBar = 1;
    int colorTableLoads = 0;

    // User interface
    TranscriptSink transcript;
    void say(const std::string& utf8Line);

    // Highlighting, with the highlighted objects kept, so that clearing it costs what is lit.
    void setHighlight(Object& o, bool on);
    void clearHighlights();
    std::string lastMessage;                  // latest message box text, UTF-8
    int errorBoxes = 0;                       // error message boxes shown, for a scripted user to notice one
    std::vector<std::string> listing;         // listing window lines, UTF-8
    std::string listingPartial;
    bool listingOpen = false;
    bool listingAvailable = true;
    std::vector<std::string> syslog;          // system log, UTF-8
    int initCount = 0;
    bool abortEnabled = false, abortRequested = false;

private:
    Session();
    tag_t nextTag_ = 1000;
    std::unordered_map<tag_t, std::unique_ptr<Object>> objects_;
    std::unordered_map<tag_t, Topology> topo_;
    std::unordered_map<tag_t, std::vector<tag_t>> occurrencesOf_;  // prototype (body, or part) -> its occurrences
    std::unordered_map<tag_t, std::vector<tag_t>> featuresOf_;     // body -> the features that made it
    std::vector<std::unique_ptr<Part>> parts_;
    std::unordered_map<std::string, Part*> byPath_;
    std::unordered_map<tag_t, Part*> byTag_;
    std::unordered_map<std::string, std::vector<Part*>> byLeaf_;  // in load order
    std::unordered_set<tag_t> highlighted_;
    Object& make(Part& part, int type, int subtype, bool listed);
    std::vector<Object*> alive(const std::unordered_map<tag_t, std::vector<tag_t>>& index, tag_t key);
    Object& occurrence(Part& top, Object& parentOcc, int type, int subtype, tag_t prototype);
    void forget(Object& o);
    void syncComponent(Part& top, Object& parentOcc, Part& child, const gp_Trsf& place, const std::vector<int>& path,
                       std::vector<Part*>& chain);
    // `comp` is the component already showing `in` under `parentOcc`, or null when there is none yet.
    void syncInstance(Part& top, Object& parentOcc, Object* comp, const Instance& in, const gp_Trsf& place, const std::vector<int>& path,
                      std::vector<Part*>& chain);
    // Every place `p` is shown: its own root occurrence and the components showing it elsewhere.
    std::vector<Object*> showings(Part& p);
    std::vector<Part*> chainOf(Object& parentOcc);
};

inline Session& session() { return Session::get(); }

// A failure inside the host; at the procedural boundary it becomes the status, in the object interface an NXException.
struct HostError : std::runtime_error {
    int status;
    HostError(int s, const std::string& m) : std::runtime_error(m), status(s) {}
};
[[noreturn]] void fail(int status, const std::string& message);

}  // namespace host
