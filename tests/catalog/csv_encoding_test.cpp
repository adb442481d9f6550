// The encodings and separators of publishers' CSV files: detection and Windows-1250 decoding.
#include <gtest/gtest.h>

#include <algorithm>

#include "catalog/csv_encoding.h"
#include "catalog/csv_reader.h"

namespace {

using catalog::CsvEncoding;

const std::string kPolishUtf8 = "ąćęłńóśźż ĄĆĘŁŃÓŚŹŻ „cudzysłów” – €";
const std::string kPolish1250 = "\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF \xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF \x84" "cudzys\xB3\xF3w\x94 \x96 \x80";

CsvEncoding detect(const std::string& text, std::size_t step = 0) {
    catalog::EncodingDetector detector;
    if (step == 0) detector.feed(text);
    for (std::size_t at = 0; step != 0 && at < text.size(); at += step) detector.feed(std::string_view(text).substr(at, step));
    return detector.result();
}

TEST(CsvEncoding, Utf8WithOrWithoutMarkWindows1250AndBytesNeitherKnows) {
    EXPECT_EQ(detect("a,b\n1,2\n"), CsvEncoding::Utf8);
    EXPECT_EQ(detect("Nazwa\n" + kPolishUtf8 + "\n"), CsvEncoding::Utf8);
    EXPECT_EQ(detect("Nazwa\n" + kPolish1250 + "\n"), CsvEncoding::Windows1250);
    // Cut anywhere, even inside a UTF-8 sequence, the pieces give the same answer.
    for (std::size_t step : {1, 2, 3}) {
        EXPECT_EQ(detect("Nazwa\n" + kPolishUtf8 + "\n", step), CsvEncoding::Utf8) << step;
        EXPECT_EQ(detect("Nazwa\n" + kPolish1250 + "\n", step), CsvEncoding::Windows1250) << step;
    }
    // Overlong forms, surrogates and a sequence cut at the end are not UTF-8.
    EXPECT_EQ(detect("a\xC0\xAF"), CsvEncoding::Windows1250);
    EXPECT_EQ(detect("a\xED\xA0\x80"), CsvEncoding::Windows1250);
    EXPECT_EQ(detect("a\xC5"), CsvEncoding::Windows1250);
    // 0x98 is in neither: UTF-8 is kept, for the import to name where the text is wrong.
    EXPECT_EQ(detect("a\x98"), CsvEncoding::Utf8);
    // The start of a mark is no mark: a file of "\xEF\xBB" alone is two Windows-1250 letters.
    catalog::EncodingDetector cut;
    cut.feed("\xEF\xBB");
    EXPECT_FALSE(cut.hasByteOrderMark());
    EXPECT_EQ(cut.result(), CsvEncoding::Windows1250);
    // A byte-order mark says UTF-8 whatever follows.
    catalog::EncodingDetector marked;
    marked.feed("\xEF\xBB");
    marked.feed("\xBF" "a," + kPolish1250);
    EXPECT_TRUE(marked.hasByteOrderMark());
    EXPECT_EQ(marked.result(), CsvEncoding::Utf8);
}

TEST(CsvEncoding, Windows1250ReadsAsUtf8WhateverTheReadSize) {
    const std::string raw = "Nazwa;Opis\r\n" + kPolish1250 + ";\"x;y\"\r\n";
    for (std::size_t step : {std::size_t(1), std::size_t(4), std::size_t(1) << 20}) {
        SCOPED_TRACE(step);
        std::size_t at = 0;
        catalog::CsvReader reader(catalog::windows1250Source([&](char* out, std::size_t capacity) {
                                      const std::size_t n = std::min({step, capacity, raw.size() - at});
                                      std::copy_n(raw.data() + at, n, out);
                                      at += n;
                                      return n;
                                  }),
                                  ';');
        catalog::CsvRecord record;
        ASSERT_TRUE(reader.next(record));
        EXPECT_EQ(record.fields, (std::vector<std::string>{"Nazwa", "Opis"}));
        ASSERT_TRUE(reader.next(record));
        EXPECT_EQ(record.fields, (std::vector<std::string>{kPolishUtf8, "x;y"}));
        EXPECT_FALSE(reader.next(record));
    }
    std::string out;
    EXPECT_FALSE(catalog::appendWindows1250(0x98, out));
}

TEST(CsvSeparator, TheHeaderLineSaysWhichOutsideQuotes) {
    EXPECT_EQ(catalog::detectSeparator("ID,Nazwa,cena\n1;2;3;4;5\n"), ',');
    EXPECT_EQ(catalog::detectSeparator("\xEF\xBB\xBFID;Nazwa;cena\r\n1,5;2,5;3\r\n"), ';');
    EXPECT_EQ(catalog::detectSeparator("ID\tNazwa\tcena\n"), '\t');
    EXPECT_EQ(catalog::detectSeparator("\"a,b,c\";\"d,e\";f\n"), ';');
    EXPECT_EQ(catalog::detectSeparator("ID\n1\n"), ',');
    EXPECT_EQ(catalog::detectSeparator("a,b;c\n"), ',');
    EXPECT_EQ(catalog::parseCsv("a;\"b;c\"\n1;2\n", ';')[0].fields, (std::vector<std::string>{"a", "b;c"}));
}

}  // namespace
