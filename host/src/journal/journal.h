// Journals (.vj): the scripted user. One statement a line; `#` starts a comment.
#pragma once
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>
#include "ui/dialog.h"

namespace host::journal {

struct Statement {
    int line = 0;
    std::string verb;                 // first word
    std::vector<std::string> args;    // the rest, unquoted (UTF-8)
    std::string source;               // the line as written
};

// A journal that cannot be read or played: the place and what is wrong. Exit status 2.
struct JournalError : std::runtime_error {
    std::string file;
    int line;
    JournalError(std::string f, int l, const std::string& m) : std::runtime_error(m), file(std::move(f)), line(l) {}
};

// Splits a journal into statements; throws JournalError for an unknown statement, a wrong
// number of arguments or a broken string.
std::vector<Statement> parse(const std::string& text, const std::string& file);
// Words of one line: plain words, or double-quoted strings with \" \\ \n.
std::vector<std::string> words(const std::string& line);

enum class Outcome { Done = 0, ExpectFailed = 1, Error = 2 };

class Player : public ui::User {
public:
    Player(std::string file, std::vector<Statement> statements);
    // Folder that "$OUT" at the start of a path stands for (made on first use when not given).
    std::string out;
    Outcome run();
    std::string failure() const { return failure_; }   // "file:line: message" (UTF-8)

    void drive(ui::Dialog& dialog) override;
    std::optional<std::vector<tag_t>> chooseObjects(const std::string& title) override;

private:
    std::string file_, dir_;
    std::vector<Statement> st_;
    size_t pc_ = 0;
    Outcome outcome_ = Outcome::Done;
    std::string failure_;
    std::vector<ui::Dialog*> open_;
    std::vector<std::optional<std::vector<tag_t>>> choices_;

    bool stopped() const { return outcome_ != Outcome::Done; }
    void stop(Outcome o, const Statement& s, const std::string& message);
    void topLevel(const Statement& s);
    bool general(const Statement& s);     // statements that work at any level; false when not one of them
    void inDialog(ui::Dialog& d, const Statement& s);
    void expect(const Statement& s);
    void expectDrawing(const Statement& s);
    std::string path(const std::string& p) const;
    tag_t ref(const std::string& r);
    std::vector<tag_t> refs(const std::vector<std::string>& r, size_t from);
};

// Plays a journal file; prints its transcript through the session's transcript sink.
Outcome runFile(const std::string& path, std::string& failure, const std::string& out = "");

}  // namespace host::journal
