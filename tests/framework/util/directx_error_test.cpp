#include "framework/util/directx_error.h"

#include "platform/result_codes.h"

#include <gtest/gtest.h>

namespace Kavo {
namespace {

TEST(GetDirectXErrorString, NamesAcrossTheFamilies) {
    struct Case {
        std::uint32_t value;
        const char* name;
    };
    const Case cases[] = {
        {0x887601C2u, "DDERR_SURFACELOST"},
        {0x88760005u, "DDERR_ALREADYINITIALIZED"},
        {0x887600E1u, "DDERR_NOEXCLUSIVEMODE"},
        {0x8876021Cu, "DDERR_WASSTILLDRAWING"},
        {0x887602BBu, "DDERR_DEVICEDOESNTOWNSURFACE"},
        {0x88780096u, "DSERR_BUFFERLOST"},
        {0x8878000Au, "DSERR_ALLOCATED"},
        {0x887800AAu, "DSERR_UNINITIALIZED"},
        {0x887602BCu, "D3DERR_BADMAJORVERSION"},
        {0x887602F8u, "D3DERR_SCENE_IN_SCENE"},
        {0x88760800u, "D3DERR_INVALIDVERTEXFORMAT"},
        {0x88760836u, "D3DERR_NOTINBEGINSTATEBLOCK"},
        // General COM values that the interfaces share.
        {0x80004001u, "DDERR_UNSUPPORTED"},
        {0x80004002u, "DSERR_NOINTERFACE"},
        {0x80004005u, "DSERR_GENERIC"},
        {0x80040110u, "DSERR_NOAGGREGATION"},
        {0x800401F0u, "DDERR_NOTINITIALIZED"},
        {0x8007000Eu, "E_OUTOFMEMORY"},
        {0x80070057u, "DDERR_INVALIDPARAMS"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetDirectXErrorString(static_cast<std::int32_t>(c.value)), c.name);
}

TEST(GetDirectXErrorString, UnnamedValuesPrintAsLowerCaseHex) {
    EXPECT_EQ(GetDirectXErrorString(0), "0");
    EXPECT_EQ(GetDirectXErrorString(1), "1");
    EXPECT_EQ(GetDirectXErrorString(static_cast<std::int32_t>(0x887600ABu)), "887600ab");
    EXPECT_EQ(GetDirectXErrorString(static_cast<std::int32_t>(0x8878FFFFu)), "8878ffff");
    EXPECT_EQ(GetDirectXErrorString(0x0ABC), "abc");
}

TEST(GetDirectXErrorString, AliasesOfSharedValuesUseTheTableName) {
    EXPECT_EQ(GetDirectXErrorString(platform::DDERR_GENERIC), "DSERR_GENERIC");
    EXPECT_EQ(GetDirectXErrorString(platform::DSERR_INVALIDPARAM), "DDERR_INVALIDPARAMS");
    EXPECT_EQ(GetDirectXErrorString(platform::DDERR_OUTOFMEMORY), "E_OUTOFMEMORY");
    EXPECT_TRUE(platform::Failed(platform::DDERR_SURFACELOST));
    EXPECT_TRUE(platform::Succeeded(platform::DD_OK));
}

} // namespace
} // namespace Kavo
