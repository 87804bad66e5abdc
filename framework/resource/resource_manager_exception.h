#pragma once

#include <exception>
#include <string>

namespace Kavo {

// Thrown by the resource manager's Require lookups; the message is the
// manager's error text at the time of the throw.
class ResourceManagerException : public std::exception {
public:
    explicit ResourceManagerException(std::string what) : mWhat(std::move(what)) {}
    const char* what() const noexcept override { return mWhat.c_str(); }

private:
    std::string mWhat;
};

} // namespace Kavo
