// Dialogs read from .dlx files, their blocks and properties, and the modal life the scripted user drives.
#pragma once
#include <array>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>
#include "NXOpen/BlockStyler_BlockDialog.hxx"
#include "uf_defs.h"

namespace host::ui {

struct Filter {
    int action = 0;
    std::vector<std::array<int, 3>> masks;
};

// A property value: logical, integer (also enumerations), double, string, strings, tags,
// point or vector, integers, selection filter.
using Value = std::variant<bool, int, double, std::string, std::vector<std::string>, std::vector<tag_t>,
                           std::array<double, 3>, std::vector<int>, Filter>;

struct Property {
    std::string name;
    Value value;
};

struct Block {
    std::string id, kind, label;          // GBK
    std::vector<std::string> members;     // enumeration members (GBK)
    std::vector<Property> props;
    std::vector<Block*> children;
    Block* parent = nullptr;
    std::unique_ptr<NXOpen::BlockStyler::UIBlock> ui;  // the object-interface block the module sees
    std::shared_ptr<struct TreeState> tree;            // tree blocks: their nodes

    Property* find(const std::string& name);
    Value& get(const std::string& name);           // throws NXException when absent
    void set(const std::string& name, Value v);    // keeps the property's kind; throws on a mismatch
    bool shown() const;                            // shown itself and inside shown groups
};

class Dialog {
public:
    // Reads `path` (on disk). Throws NXException with a plain message when it is missing or not a dialog file.
    explicit Dialog(const std::string& path);
    std::string file, title;              // title GBK
    std::vector<std::string> buttons;     // "ok", "apply", "cancel"
    std::vector<std::unique_ptr<Block>> blocks;   // all blocks in file order
    std::unique_ptr<NXOpen::BlockStyler::CompositeBlock> top;
    Block* find(const std::string& id);

    NXOpen::BlockStyler::BlockDialog::Apply apply;
    NXOpen::BlockStyler::BlockDialog::Ok ok;
    NXOpen::BlockStyler::BlockDialog::Cancel cancel;
    NXOpen::BlockStyler::BlockDialog::Initialize initialize;
    NXOpen::BlockStyler::BlockDialog::DialogShown shown;
    NXOpen::BlockStyler::BlockDialog::Update update;
    NXOpen::BlockStyler::BlockDialog::Filter filter;

    bool open = false;
    bool hasButton(const std::string& b) const;
};

// Who plays the user while a dialog is up: the journal player, or a test.
class User {
public:
    virtual ~User() = default;
    // Drives the open dialog until it is closed (dialog.open false).
    virtual void drive(Dialog& dialog) = 0;
    // Answers a class-selection dialog: the chosen objects, or nullopt when the user cancels.
    virtual std::optional<std::vector<tag_t>> chooseObjects(const std::string& title) = 0;
};
void setUser(User* user);
User* user();

// Actions of the user on an open dialog. Each throws UserError when the action is not possible
// (unknown block, wrong kind, button the dialog does not have).
struct UserError : std::runtime_error { using std::runtime_error::runtime_error; };
void setValue(Dialog& d, const std::string& blockId, const std::string& valueGbk);
void pick(Dialog& d, const std::string& blockId, const std::vector<tag_t>& objects);
void press(Dialog& d, const std::string& blockId);
void pressApply(Dialog& d);
void pressOk(Dialog& d);
void pressCancel(Dialog& d);
// The text a block shows, for checks: its value as the user reads it (UTF-8).
std::string blockText(Dialog& d, const std::string& blockId);
// A picture as the transcript names it: its file name (UTF-8), "" for none.
std::string pictureName(const std::string& pathGbk);

// The folder dialogs are read from, on disk.
std::string dialogFolder();

// Statistics of the dialog life, for tests.
struct Counters { int created = 0, destroyed = 0, shown = 0; };
Counters& counters();

}  // namespace host::ui
