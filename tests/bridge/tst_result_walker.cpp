#include "bridge/result_walker.h"

#include "tests/bridge/fake_acpi_device.h"

#include <gtest/gtest.h>

namespace {

using fake::ResultBuilder;

TEST(ResultWalker, StepsByTheElementSizeRule)
{
    const uint8_t nine[9] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    const uint8_t two[2] = {1, 2};
    auto bytes =
        ResultBuilder().integer(1).element(3, nine, 9).element(3, two, 2).integer(42).bytes();
    ResultWalker walker(bytes.data(), static_cast<uint32_t>(bytes.size()));
    // 8, 13 and 8 bytes: the fourth element starts at 12 + 29.
    ASSERT_TRUE(walker.skip(3));
    uint32_t value = 0;
    ASSERT_TRUE(walker.integer(value));
    EXPECT_EQ(value, 42u);
    EXPECT_EQ(bytes.size(), 12u + 8 + 13 + 8 + 8);
}

TEST(ResultWalker, ElementsPastTheReturnedBytesAreMissing)
{
    auto bytes = ResultBuilder().integer(7).text("Alarm Hour").bytes();
    const uint32_t whole = static_cast<uint32_t>(bytes.size());

    ResultWalker header(bytes.data(), 11);
    uint32_t count = 0;
    EXPECT_FALSE(header.count(count));
    EXPECT_FALSE(header.present());

    // The integer's 8 bytes must all have come back.
    ResultWalker shortInteger(bytes.data(), 19);
    uint32_t value = 99;
    EXPECT_FALSE(shortInteger.integer(value));
    EXPECT_FALSE(shortInteger.next());
    EXPECT_EQ(value, 99u);

    // A text cut inside its data is missing, not read up to the cut.
    ResultWalker shortText(bytes.data(), whole - 1);
    ASSERT_TRUE(shortText.next());
    char name[64] = "untouched";
    EXPECT_FALSE(shortText.text(name, sizeof(name)));
    EXPECT_STREQ(name, "untouched");

    ResultWalker full(bytes.data(), whole);
    ASSERT_TRUE(full.count(count));
    EXPECT_EQ(count, 2u);
    ASSERT_TRUE(full.next());
    ASSERT_TRUE(full.text(name, sizeof(name)));
    EXPECT_STREQ(name, "Alarm Hour");
    ASSERT_TRUE(full.next());
    EXPECT_FALSE(full.present());
}

TEST(ResultWalker, TextsAreCutAndEndWithinTheirElement)
{
    auto bytes = ResultBuilder().text("ABCDEFGHIJ").bytes();
    ResultWalker walker(bytes.data(), static_cast<uint32_t>(bytes.size()));
    char slot[8];
    ASSERT_TRUE(walker.text(slot, sizeof(slot)));
    EXPECT_STREQ(slot, "ABCDEFG");

    // Text without a NUL ends with its element's data, not with the next
    // element's bytes.
    const uint8_t raw[5] = {'W', 'X', 'Y', 'Z', '!'};
    auto unterminated = ResultBuilder().element(2, raw, 5).text("next").bytes();
    ResultWalker second(unterminated.data(), static_cast<uint32_t>(unterminated.size()));
    char text[64];
    ASSERT_TRUE(second.text(text, sizeof(text)));
    EXPECT_STREQ(text, "WXYZ!");
}

TEST(ResultWalker, WordsAreReadOnlyWhenTheyCameBackWhole)
{
    auto bytes = fake::itemAnswer(1, 0x1234);
    ResultWalker walker(bytes.data(), 24);
    uint32_t value = 0;
    ASSERT_TRUE(walker.word(20, value));
    EXPECT_EQ(value, 0x1234u);
    ResultWalker cut(bytes.data(), 23);
    EXPECT_FALSE(cut.word(20, value));
    EXPECT_FALSE(cut.word(0xFFFFFFFEu, value));
}

TEST(ResultWalker, HugeDataLengthsDoNotWrapTheOffset)
{
    auto bytes = ResultBuilder().integer(1).bytes();
    putWord16(&bytes[14], 0xFFFF);
    ResultWalker walker(bytes.data(), static_cast<uint32_t>(bytes.size()));
    EXPECT_FALSE(walker.present());
    EXPECT_FALSE(walker.next());
}

} // namespace
