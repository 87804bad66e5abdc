#pragma once
// The base of the engine library's exceptions. Every failure of the engine
// is thrown as one of these by value; the text is made from a code on demand
// rather than stored, so an exception stays cheap to copy.

#include <string>

class err_e {
public:
    virtual ~err_e() = default;
    virtual const char* Name() const { return "UnknownError"; }
    virtual std::string Message() const { return Name(); }
};
