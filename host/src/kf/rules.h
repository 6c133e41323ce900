// Knowledge Fusion rules of a part's root instance, as far as the module writes them: a small, exact
// parser and evaluator of function calls, string and number literals, lists in braces, references
// `name:`, True, False and the names Write and Read. Anything else is refused, never guessed at.
#pragma once
#include <functional>
#include <map>
#include <stdexcept>
#include <memory>
#include <string>
#include <vector>

namespace host::kf {

struct Value {
    enum Kind { None, Bool, Integer, Number, String, List, Name } kind = None;
    bool b = false;
    long long i = 0;
    double d = 0;
    std::string s;                 // String (GBK) or Name
    std::vector<Value> list;
};

// A rule that cannot be read or evaluated: what is wrong, for the system log.
struct KfError : std::runtime_error { using std::runtime_error::runtime_error; };

// Parses one rule's formula; throws KfError naming the place and what was expected.
struct Expr;
std::shared_ptr<Expr> parse(const std::string& formula);

class Rules {
public:
    // Creates or replaces a rule; it is evaluated at the next update.
    void set(const std::string& name, const std::string& type, const std::string& formula);
    // False when there is no rule of that name.
    bool remove(const std::string& name);
    bool has(const std::string& name) const { return rules_.count(name) > 0; }
    // Evaluates every rule not evaluated yet, each once; a rule that fails is told to `log` and
    // evaluates again at the next update.
    void update(const std::function<void(const std::string&)>& log);
    // A rule's value after an update; None when it failed or was never evaluated.
    Value value(const std::string& name) const;
private:
    struct Rule {
        std::string type, formula;
        std::shared_ptr<Expr> expr;
        bool done = false, busy = false;
        Value value;
    };
    std::map<std::string, Rule> rules_;
    std::vector<std::string> order_;
    Value evaluate(const std::string& name);
    Value evaluate(const Expr& e);
};

}  // namespace host::kf
