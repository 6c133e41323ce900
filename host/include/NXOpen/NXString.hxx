// Text of the object interface. Holds the bytes the module gives (GBK on this host), unchanged.
#pragma once
#include <string>

namespace NXOpen {

class NXString {
public:
    NXString() = default;
    NXString(const char* text) : text_(text ? text : "") {}
    NXString(const std::string& text) : text_(text) {}
    const char* GetText() const { return text_.c_str(); }
    const char* GetLocaleText() const { return text_.c_str(); }
    std::string GetUTF8Text() const;
    operator std::string() const { return text_; }
    bool operator==(const NXString& other) const { return text_ == other.text_; }
    bool operator!=(const NXString& other) const { return text_ != other.text_; }
    bool operator==(const char* other) const { return text_ == (other ? other : ""); }
private:
    std::string text_;
};

}  // namespace NXOpen
