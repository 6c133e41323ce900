// Failure of an object-interface call.
#pragma once
#include <exception>
#include <string>
#include "NXString.hxx"

namespace NXOpen {

class NXException : public std::exception {
public:
    NXException(int code, std::string message) : code_(code), message_(std::move(message)) {}
    static NXException Create(int code);
    static NXException Create(const char* message) { return NXException(0, message); }
    const char* what() const noexcept override { return message_.c_str(); }
    int ErrorCode() const { return code_; }
    NXString Message() const { return message_; }
private:
    int code_;
    std::string message_;
};

}  // namespace NXOpen
