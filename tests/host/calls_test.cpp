// The table `vorta calls` prints, held against the interface headers: a call added without its
// entry, an entry naming what no header declares, or a header without its implementation file fails.
#include "NXOpen/Session.hxx"
#include <gtest/gtest.h>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>
#include "model/calls.h"

namespace fs = std::filesystem;

namespace {

const fs::path kInclude = fs::path(VORTA_SOURCE_DIR) / "host/include";
const fs::path kApi = fs::path(VORTA_SOURCE_DIR) / "host/src/api";

struct Header {
    std::set<std::string> declares;  // functions, or classes by qualified name
    bool implemented = false;        // declares functions whose bodies are not in the header
};

std::string codeOf(const fs::path& file) {
    std::ifstream in(file);
    std::stringstream s;
    s << in.rdbuf();
    return std::regex_replace(s.str(), std::regex(R"(//[^\n]*|/\*[\s\S]*?\*/|#[^\n]*)"), " ");
}

// UF_EXTERN_C UFUNEXPORT <type> <name>(...
Header procedural(const std::string& code) {
    Header h;
    static const std::regex decl(R"(UF_EXTERN_C\s+UFUNEXPORT\s+[\w\s*]*?\b(\w+)\s*\()");
    for (std::sregex_iterator m(code.begin(), code.end(), decl), end; m != end; ++m) h.declares.insert((*m)[1]);
    h.implemented = !h.declares.empty();
    return h;
}

// Follows the braces: a namespace, a type, or a body (whose insides are not declarations).
Header objectInterface(std::string code) {
    static const std::regex ns(R"(^\s*namespace\s+([\w:]+)\s*$)"), cls(R"(\bclass\s+(\w+)\s*(:[^:][\s\S]*)?$)"),
        type(R"(\b(class|struct|enum|union)\b)"), bodiless(R"(\)\s*(const\s*)?(override\s*)?$)");
    code = std::regex_replace(code, std::regex(R"(template\s*<[^<>]*>)"), " ");  // its "class" names no class
    Header h;
    std::vector<std::pair<char, std::string>> open;
    std::string stmt;
    auto inNamespaces = [&] { return std::all_of(open.begin(), open.end(), [](auto& o) { return o.first == 'n'; }); };
    auto inBody = [&] { return std::any_of(open.begin(), open.end(), [](auto& o) { return o.first == 'b'; }); };
    for (char c : code) {
        std::smatch m;
        if (c == '{') {
            if (std::regex_search(stmt, m, ns)) {
                open.push_back({'n', m[1]});
            } else if (!inBody() && std::regex_search(stmt, type)) {
                if (inNamespaces() && std::regex_search(stmt, m, cls)) {
                    std::string name;
                    for (auto& o : open) name += o.second + "::";
                    h.declares.insert(name + m[1].str());
                }
                open.push_back({'t', ""});
            } else {
                open.push_back({'b', ""});
            }
        } else if (c == '}') {
            if (!open.empty()) open.pop_back();
        } else if (c == ';') {
            if (!inBody() && stmt.find("typedef") == std::string::npos && std::regex_search(stmt, bodiless)) h.implemented = true;
        } else {
            stmt += c;
            continue;
        }
        stmt.clear();
    }
    return h;
}

// By path under host/include: "uf_obj.h", "NXOpen/Part.hxx".
const std::map<std::string, Header>& headers() {
    static const std::map<std::string, Header> all = [] {
        std::map<std::string, Header> out;
        for (auto& e : fs::directory_iterator(kInclude))
            if (e.path().extension() == ".h") out[e.path().filename().string()] = procedural(codeOf(e.path()));
        for (auto& e : fs::directory_iterator(kInclude / "NXOpen"))
            if (e.path().extension() == ".hxx") out["NXOpen/" + e.path().filename().string()] = objectInterface(codeOf(e.path()));
        return out;
    }();
    return all;
}

fs::path implementationOf(const std::string& header) {
    fs::path h(header);
    return kApi / (h.parent_path() == "NXOpen" ? "nxopen" : "") / (h.stem().string() + ".cpp");
}

std::map<std::string, std::multiset<std::string>> table() {
    std::map<std::string, std::multiset<std::string>> out;
    for (const auto& c : host::calls()) out[c.header].insert(c.names.begin(), c.names.end());
    return out;
}

}  // namespace

TEST(Calls, TheReaderTellsDeclaredClassesAndFunctionsFromInlineCode) {
    Header inlineOnly = objectInterface(
        "namespace NXOpen { namespace A { class Ahead; }\n"
        "template <class R> class Cb { public: Cb() = default; R operator()() const { return f_(); } std::function<R()> f_; };\n"
        "template <class T> Cb<T> make(T* t) { return Cb<T>([t] { return t->f(); }); }\n"
        "class S : public Cb<int> { struct In { In(int) {} }; void f() { g(); } typedef void (*P)(int); }; }");
    EXPECT_EQ((std::set<std::string>{"NXOpen::Cb", "NXOpen::S"}), inlineOnly.declares);
    EXPECT_FALSE(inlineOnly.implemented);
    EXPECT_TRUE(objectInterface("namespace NXOpen { namespace B {\nclass C {\npublic:\n    ~C() override;\n}; } }").implemented);
    Header c = procedural("UF_EXTERN_C UFUNEXPORT tag_t UF_A_f(int a,\n    int b);\nUF_EXTERN_C UFUNEXPORT char* g(void);\ntypedef void (*h)(void);");
    EXPECT_EQ((std::set<std::string>{"UF_A_f", "g"}), c.declares);
}

TEST(Calls, EveryDeclaredCallAndClassHasOneEntryUnderItsHeader) {
    auto t = table();
    for (const auto& [header, h] : headers())
        for (const auto& name : h.declares) EXPECT_EQ(1u, t[header].count(name)) << name << " in " << header;
}

TEST(Calls, EveryEntryNamesWhatItsHeaderDeclares) {
    const std::set<std::string> states = {"provided", "partial", "not provided"};
    for (const auto& c : host::calls()) {
        EXPECT_EQ(1u, states.count(c.state)) << c.header << ": " << c.state;
        ASSERT_EQ(1u, headers().count(c.header)) << c.header;
        EXPECT_FALSE(c.names.empty()) << c.header;
        for (const auto& name : c.names) EXPECT_EQ(1u, headers().at(c.header).declares.count(name)) << name << " in " << c.header;
    }
}

TEST(Calls, EachImplementedHeaderHasItsFileAndEachFileItsHeader) {
    for (const auto& [header, h] : headers())
        EXPECT_EQ(h.implemented, fs::exists(implementationOf(header))) << header << " and " << implementationOf(header);
    for (auto& e : fs::recursive_directory_iterator(kApi)) {
        if (e.path().extension() != ".cpp" || e.path().filename() == "common.cpp") continue;
        bool object = e.path().parent_path().filename() == "nxopen";
        std::string header = (object ? "NXOpen/" : "") + e.path().stem().string() + (object ? ".hxx" : ".h");
        EXPECT_TRUE(headers().count(header) && headers().at(header).implemented) << e.path() << " implements no header";
    }
}

// Numbers the module passes raw ("visibility 1", "visibility 0") mean what the host's published enum
// says they mean: visible first.
static_assert(NXOpen::Session::MarkVisibilityVisible == 0 && NXOpen::Session::MarkVisibilityInvisible == 1 &&
              NXOpen::Session::MarkVisibilityAnyVisibility == 2);
