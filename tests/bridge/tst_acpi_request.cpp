#include "bridge/acpi_request.h"
#include "bridge/byte_order.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes requestBytes(const AcpiRequest &request)
{
    return Bytes(request.data(), request.data() + request.size());
}

Bytes blockBytes(const AcpiRequest &request)
{
    return Bytes(request.argumentBlock(), request.argumentBlock() + request.argumentBlockSize());
}

// The address word a native request must carry: the block's own address,
// which only fits whole in a 32-bit process.
uint32_t blockAddress(const AcpiRequest &request)
{
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(request.argumentBlock()));
}

TEST(AcpiRequest, NameIsItsFourCharactersAsLittleEndianWord)
{
    EXPECT_EQ(AcpiRequest::methodWord("GGRP"), 0x50524747u);
    EXPECT_EQ(AcpiRequest::methodWord("MBIF"), 0x4649424Du);
}

TEST(AcpiRequest, NoArgumentIsTwentyBytesInEitherProcess)
{
    AcpiRequest request;
    request.buildNoArgument("MBIF");
    EXPECT_EQ(requestBytes(request),
              (Bytes{1, 0, 0, 0, 'M', 'B', 'I', 'F', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(AcpiRequest, IntegerInHostLayoutCarriesTheBlockInside)
{
    AcpiRequest request;
    request.buildInteger("GGRP", 10, RequestLayout::Host64);
    EXPECT_EQ(requestBytes(request), (Bytes{2, 0, 0, 0, 'G', 'G', 'R', 'P', 1,  0, 0, 0,
                                            8, 0, 0, 0, 0,   0,   4,   0,   10, 0, 0, 0}));
}

TEST(AcpiRequest, IntegerInNativeLayoutCarriesTheBlockAddress)
{
    AcpiRequest request;
    request.buildInteger("GGRP", 0x12345678, RequestLayout::Native);
    ASSERT_EQ(request.size(), 20u);
    Bytes head{2, 0, 0, 0, 'G', 'G', 'R', 'P', 1, 0, 0, 0, 8, 0, 0, 0};
    EXPECT_EQ(Bytes(request.data(), request.data() + 16), head);
    EXPECT_EQ(getWord32(request.data() + 16), blockAddress(request));
    EXPECT_EQ(blockBytes(request), (Bytes{0, 0, 4, 0, 0x78, 0x56, 0x34, 0x12}));
}

TEST(AcpiRequest, ShortBufferIsPaddedToAnEightByteBlock)
{
    const uint8_t data[3] = {0xAA, 0xBB, 0xCC};
    AcpiRequest host;
    ASSERT_TRUE(host.buildBuffer("GITM", data, 3, RequestLayout::Host64));
    EXPECT_EQ(requestBytes(host), (Bytes{4, 0, 0, 0, 'G', 'I', 'T', 'M', 1,    0,    0,    0,
                                         8, 0, 0, 0, 2,   0,   3,   0,   0xAA, 0xBB, 0xCC, 0}));

    AcpiRequest native;
    ASSERT_TRUE(native.buildBuffer("GITM", data, 3, RequestLayout::Native));
    EXPECT_EQ(native.size(), 20u);
    EXPECT_EQ(getWord32(native.data() + 12), 8u);
    EXPECT_EQ(getWord32(native.data() + 16), blockAddress(native));
    EXPECT_EQ(blockBytes(native), (Bytes{2, 0, 3, 0, 0xAA, 0xBB, 0xCC, 0}));
}

TEST(AcpiRequest, ItemBuffersHaveTheirBlockSizes)
{
    const uint8_t id[4] = {9, 0, 0x0A, 0};
    AcpiRequest get;
    ASSERT_TRUE(get.buildBuffer("GITM", id, 4, RequestLayout::Host64));
    EXPECT_EQ(requestBytes(get), (Bytes{4, 0, 0, 0, 'G', 'I', 'T', 'M', 1, 0, 0,    0,
                                        8, 0, 0, 0, 2,   0,   4,   0,   9, 0, 0x0A, 0}));

    const uint8_t set[12] = {9, 0, 0x0A, 0, 7, 0, 0, 0, 1, 0, 0, 0};
    AcpiRequest host;
    ASSERT_TRUE(host.buildBuffer("SITM", set, 12, RequestLayout::Host64));
    EXPECT_EQ(requestBytes(host),
              (Bytes{4, 0, 0,  0, 'S', 'I', 'T',  'M', 1, 0, 0, 0, 16, 0, 0, 0,
                     2, 0, 12, 0, 9,   0,   0x0A, 0,   7, 0, 0, 0, 1,  0, 0, 0}));

    AcpiRequest native;
    ASSERT_TRUE(native.buildBuffer("SITM", set, 12, RequestLayout::Native));
    EXPECT_EQ(native.size(), 20u);
    EXPECT_EQ(getWord32(native.data() + 12), 16u);
    EXPECT_EQ(getWord32(native.data() + 16), blockAddress(native));
    EXPECT_EQ(blockBytes(native), (Bytes{2, 0, 12, 0, 9, 0, 0x0A, 0, 7, 0, 0, 0, 1, 0, 0, 0}));
}

TEST(AcpiRequest, ArgumentDataAboveNinetySixBytesIsRefused)
{
    uint8_t data[97] = {};
    data[95] = 0x5A;
    AcpiRequest request;
    ASSERT_TRUE(request.buildBuffer("SITM", data, 96, RequestLayout::Host64));
    EXPECT_EQ(request.size(), 116u);
    EXPECT_EQ(request.data()[20 + 95], 0x5A);
    EXPECT_FALSE(request.buildBuffer("SITM", data, 97, RequestLayout::Host64));
    EXPECT_FALSE(request.buildBuffer("SITM", data, 97, RequestLayout::Native));
}

TEST(AcpiRequest, RebuildingClearsTheFormerRequest)
{
    uint8_t data[12];
    std::fill(std::begin(data), std::end(data), 0xEE);
    AcpiRequest request;
    ASSERT_TRUE(request.buildBuffer("SITM", data, 12, RequestLayout::Host64));
    ASSERT_TRUE(request.buildBuffer("GITM", data, 2, RequestLayout::Host64));
    EXPECT_EQ(requestBytes(request), (Bytes{4, 0, 0, 0, 'G', 'I', 'T', 'M', 1,    0,    0, 0,
                                            8, 0, 0, 0, 2,   0,   2,   0,   0xEE, 0xEE, 0, 0}));
}

} // namespace
