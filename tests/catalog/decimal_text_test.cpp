// Numbers and amounts as Polish spreadsheets write them.
#include <gtest/gtest.h>

#include "catalog/decimal_text.h"

namespace {

TEST(DecimalText, CommaOrPointGroupedThousandsSignAndExponent) {
    for (const auto& [text, value] : std::vector<std::pair<std::string, double>>{
             {"12,5", 12.5}, {"12.5", 12.5}, {"-0,25", -0.25}, {"1 234,5", 1234.5}, {"1\xC2\xA0" "234,5", 1234.5},
             {" 7 ", 7}, {",5", 0.5}, {"3,", 3}, {"1,5E+3", 1500}, {"+2", 2}}) {
        const auto parsed = catalog::doubleFromText(text);
        ASSERT_TRUE(parsed) << text;
        EXPECT_DOUBLE_EQ(*parsed, value) << text;
    }
    for (const char* text : {"", "-", ",", "1,2,3", "1.234,5", "12 ,5", "1 2 3,4 5", "abc", "1,5 zł", "1e", "0x10"})
        EXPECT_FALSE(catalog::doubleFromText(text)) << text;
}

TEST(DecimalText, AmountsAreExactToFourDecimalsWithTheCurrencyAfter) {
    for (const auto& [text, units] : std::vector<std::pair<std::string, std::int64_t>>{
             {"489,00", 4890000}, {"1 234,56 z\xC5\x82", 12345600}, {"1234.56z\xC5\x82", 12345600}, {"-0,0001", -1},
             {"0,00005", 1}, {"0,00004", 0}, {"-2,99995", -30000}, {"922337203685477,5807", INT64_MAX}}) {
        const auto parsed = catalog::currencyFromText(text);
        ASSERT_TRUE(parsed) << text;
        EXPECT_EQ(parsed->tenThousandths, units) << text;
    }
    for (const char* text : {"", "zł", "1,5E+3", "12,5 EUR", "922337203685477,5808", "99999999999999999999"})
        EXPECT_FALSE(catalog::currencyFromText(text)) << text;
}

}  // namespace
