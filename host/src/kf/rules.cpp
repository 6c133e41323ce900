#include "kf/rules.h"
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <functional>
#include "kf/excel.h"

namespace host::kf {

struct Expr {
    enum Kind { Literal, Call, Ref, List } kind = Literal;
    Value literal;
    std::string name;                          // Call: function, Ref: rule
    std::vector<std::shared_ptr<Expr>> args;   // Call arguments, List items
};

namespace {

const int kMaxDepth = 64;

class Parser {
public:
    explicit Parser(const std::string& t) : t_(t) {}
    std::shared_ptr<Expr> all() {
        auto e = expr(0);
        space();
        if (i_ != t_.size()) fail("unexpected text after the formula");
        return e;
    }
private:
    const std::string& t_;
    size_t i_ = 0;

    [[noreturn]] void fail(const std::string& what) { throw KfError(what + " at character " + std::to_string(i_ + 1)); }
    void space() {
        while (i_ < t_.size() && (t_[i_] == ' ' || t_[i_] == '\t' || t_[i_] == '\n' || t_[i_] == '\r')) ++i_;
    }
    bool eat(char c) {
        space();
        if (i_ < t_.size() && t_[i_] == c) { ++i_; return true; }
        return false;
    }
    static bool identStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
    static bool identChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

    std::shared_ptr<Expr> expr(int depth) {
        if (depth > kMaxDepth) fail("the formula nests too deep");
        space();
        if (i_ >= t_.size()) fail("a value was expected");
        auto e = std::make_shared<Expr>();
        const char c = t_[i_];
        if (c == '"') {
            e->literal.kind = Value::String;
            e->literal.s = string();
        } else if (c == '{') {
            ++i_;
            e->kind = Expr::List;
            if (!eat('}')) {
                do e->args.push_back(expr(depth + 1));
                while (eat(','));
                if (!eat('}')) fail("\"}\" or \",\" was expected");
            }
        } else if (std::isdigit(static_cast<unsigned char>(c)) || c == '-' || c == '.') {
            e->literal = number();
        } else if (identStart(c)) {
            size_t start = i_;
            while (i_ < t_.size() && identChar(t_[i_])) ++i_;
            std::string id = t_.substr(start, i_ - start);
            if (i_ < t_.size() && t_[i_] == ':') {
                ++i_;
                e->kind = Expr::Ref;
                e->name = id;
            } else if (eat('(')) {
                e->kind = Expr::Call;
                e->name = id;
                if (!eat(')')) {
                    do e->args.push_back(expr(depth + 1));
                    while (eat(','));
                    if (!eat(')')) fail("\")\" or \",\" was expected");
                }
            } else if (id == "True" || id == "False") {
                e->literal.kind = Value::Bool;
                e->literal.b = id == "True";
            } else if (id == "Write" || id == "Read") {
                e->literal.kind = Value::Name;
                e->literal.s = id;
            } else {
                i_ = start;
                fail("\"" + id + "\" is no value this host knows");
            }
        } else {
            fail("a value was expected");
        }
        return e;
    }

    // A string literal; its text is GBK, so a byte 0x5C that ends a double-byte character is no escape.
    std::string string() {
        ++i_;
        std::string out;
        while (i_ < t_.size()) {
            unsigned char c = static_cast<unsigned char>(t_[i_]);
            if (c >= 0x81 && c <= 0xFE && i_ + 1 < t_.size()) {
                out += t_.substr(i_, 2);
                i_ += 2;
                continue;
            }
            ++i_;
            if (c == '"') return out;
            if (c == '\\') {
                if (i_ >= t_.size()) break;
                char e = t_[i_++];
                if (e == '"' || e == '\\') out += e;
                else if (e == 'n') out += '\n';
                else fail(std::string("unknown escape \\") + e);
                continue;
            }
            out += static_cast<char>(c);
        }
        fail("a string is not closed");
    }

    Value number() {
        size_t start = i_;
        if (t_[i_] == '-') ++i_;
        bool real = false;
        while (i_ < t_.size() && (std::isdigit(static_cast<unsigned char>(t_[i_])) || t_[i_] == '.' || t_[i_] == 'e' || t_[i_] == 'E' ||
                                  ((t_[i_] == '-' || t_[i_] == '+') && (t_[i_ - 1] == 'e' || t_[i_ - 1] == 'E')))) {
            real |= !std::isdigit(static_cast<unsigned char>(t_[i_]));
            ++i_;
        }
        std::string text = t_.substr(start, i_ - start);
        char* end = nullptr;
        Value v;
        if (real) {
            v.kind = Value::Number;
            v.d = std::strtod(text.c_str(), &end);
            if (end != text.c_str() + text.size() || !std::isfinite(v.d)) fail("\"" + text + "\" is no number");
        } else {
            errno = 0;
            v.kind = Value::Integer;
            v.i = std::strtoll(text.c_str(), &end, 10);
            if (end != text.c_str() + text.size() || errno == ERANGE) fail("\"" + text + "\" is no number");
        }
        return v;
    }
};

bool typeFits(const std::string& type, const Value& v) {
    if (type == "Integer Parameter") return v.kind == Value::Integer;
    if (type == "Boolean Parameter") return v.kind == Value::Bool;
    if (type == "List Parameter") return v.kind == Value::List;
    if (type == "String Parameter") return v.kind == Value::String;
    if (type == "Number Parameter") return v.kind == Value::Number || v.kind == Value::Integer;
    return false;
}

}  // namespace

std::shared_ptr<Expr> parse(const std::string& formula) { return Parser(formula).all(); }

void Rules::set(const std::string& name, const std::string& type, const std::string& formula) {
    if (name.empty() || !std::isalpha(static_cast<unsigned char>(name[0]))) throw KfError("\"" + name + "\" is no rule name");
    if (type != "Integer Parameter" && type != "Boolean Parameter" && type != "List Parameter" && type != "String Parameter" &&
        type != "Number Parameter")
        throw KfError("\"" + type + "\" is no rule type this host knows");
    Rule r;
    r.type = type;
    r.formula = formula;
    r.expr = parse(formula);
    if (!rules_.count(name)) order_.push_back(name);
    rules_[name] = std::move(r);
}

bool Rules::remove(const std::string& name) {
    if (!rules_.erase(name)) return false;
    order_.erase(std::find(order_.begin(), order_.end(), name));
    return true;
}

void Rules::update(const std::function<void(const std::string&)>& log) {
    for (const std::string& name : std::vector<std::string>(order_)) {
        auto it = rules_.find(name);
        if (it == rules_.end() || it->second.done) continue;
        try {
            evaluate(name);
        } catch (const std::exception& e) {
            for (auto& [n, r] : rules_) r.busy = false;
            log("Knowledge Fusion: rule " + name + ": " + e.what());
        }
    }
}

Value Rules::value(const std::string& name) const {
    auto it = rules_.find(name);
    return it == rules_.end() || !it->second.done ? Value{} : it->second.value;
}

Value Rules::evaluate(const std::string& name) {
    auto it = rules_.find(name);
    if (it == rules_.end()) throw KfError("no rule " + name + ":");
    Rule& r = it->second;
    if (r.done) return r.value;
    if (r.busy) throw KfError("rule " + name + ": depends on itself");
    r.busy = true;
    Value v = evaluate(*r.expr);
    r.busy = false;
    if (!typeFits(r.type, v)) throw KfError("its value is no " + r.type);
    r.value = v;
    r.done = true;
    return v;
}

Value Rules::evaluate(const Expr& e) {
    switch (e.kind) {
        case Expr::Literal: return e.literal;
        case Expr::Ref: return evaluate(e.name);
        case Expr::List: {
            Value v;
            v.kind = Value::List;
            for (auto& a : e.args) v.list.push_back(evaluate(*a));
            return v;
        }
        case Expr::Call: {
            std::vector<Value> args;
            for (auto& a : e.args) args.push_back(evaluate(*a));
            return call(e.name, args);
        }
    }
    return {};
}

}  // namespace host::kf
