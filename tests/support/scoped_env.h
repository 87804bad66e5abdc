#pragma once
// Sets (or, given null, removes) an environment variable for a scope, then
// puts back what was there.

#include <cstdlib>
#include <string>

class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : mName(name) {
        if (const char* old = std::getenv(name)) {
            mOld = old;
            mHad = true;
        }
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnv() {
        if (mHad)
            setenv(mName, mOld.c_str(), 1);
        else
            unsetenv(mName);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* mName;
    std::string mOld;
    bool mHad = false;
};
