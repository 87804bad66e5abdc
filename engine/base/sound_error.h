#pragma once
// The sound system's exception: a code whose text comes from a fixed table.

#include <cstdint>

#include "engine/base/engine_error.h"

class errSnd_e : public err_e {
public:
    explicit errSnd_e(std::int32_t code) : mCode(code) {}
    const char* Name() const override { return "Sound errror"; }
    std::string Message() const override { return Text(mCode); }
    std::int32_t Code() const { return mCode; }

    // The table's text for a code; unlisted codes share one text.
    static const char* Text(std::int32_t code);

private:
    std::int32_t mCode;
};
