#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace strumvale::test {

// Sets an environment variable (or, with nullptr, unsets it) for one test,
// restoring it afterwards.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name))
            saved_ = old;
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ScopedVariable(const char* name, const std::string& value)
        : ScopedVariable(name, value.c_str()) {}
    ~ScopedVariable() {
        if (saved_)
            ::setenv(name_, saved_->c_str(), 1);
        else
            ::unsetenv(name_);
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* name_;
    std::optional<std::string> saved_;
};

} // namespace strumvale::test
