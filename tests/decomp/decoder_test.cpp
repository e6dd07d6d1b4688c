// The decoder on hand-written streams: the items and their sizes, the order of
// flag bits and the place of each flag word, overlapping copies, where
// decoding ends, and what it makes of streams that a careful encoder would
// never write. Streams end at unreadable memory, so reading past one crashes.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "decoder.h"
#include "guardedbytes.h"

namespace {

using d88test::Bytes;
using d88test::concat;

constexpr uint8_t kPrefill = 0xCC;
constexpr int32_t kSlack = 256;

Bytes text(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

Bytes repeated(int count, uint8_t byte) {
    return Bytes(static_cast<size_t>(count), byte);
}

// A literal run of the given bytes, as one item.
Bytes literal(const std::string& s) {
    Bytes item(s.size() + 1);
    item[0] = static_cast<uint8_t>(s.size() << 1);
    std::copy(s.begin(), s.end(), item.begin() + 1);
    return item;
}

struct Decoding {
    int32_t count = 0;
    Bytes output;  // the first count bytes of the buffer
    bool slackUntouched = true;
};

// Decodes into a buffer of decodedLength bytes followed by slack that the
// decoder must leave alone; the stream ends at a guard page unless a longer
// length is claimed for it.
Decoding decode(const Bytes& stream, int32_t decodedLength,
                std::optional<int32_t> claimedLength = std::nullopt, uint8_t prefill = kPrefill) {
    const GuardedBytes guarded(stream);
    const int32_t streamLength = claimedLength.value_or(static_cast<int32_t>(stream.size()));
    Bytes buffer(static_cast<size_t>(std::max(decodedLength, 0) + kSlack), prefill);
    Decoding d;
    d.count = decomp::decodeStream(guarded.data(), buffer.data(), decodedLength, streamLength);
    for (size_t i = static_cast<size_t>(std::max(decodedLength, 0)); i < buffer.size(); ++i) {
        d.slackUntouched = d.slackUntouched && buffer[i] == prefill;
    }
    if (d.count >= 0 && d.count <= static_cast<int32_t>(buffer.size())) {
        d.output.assign(buffer.begin(), buffer.begin() + d.count);
    }
    return d;
}

TEST(DecodeStream, WorkedExampleMixesAllThreeKinds) {
    const Bytes stream{0x00, 0x60, 0x06, 0x41, 0x42, 0x43, 0x03, 0x00, 0x06, 0x30, 0x09, 0x5A};
    const Decoding d = decode(stream, 16);
    EXPECT_EQ(d.count, 16);
    EXPECT_EQ(d.output, text("ABCABCABCABCZZZZ"));
    EXPECT_TRUE(d.slackUntouched);
}

// Each item follows a one-byte literal run "Q" and is followed by a fill run
// "###", so an item that took one stream byte too many or too few would
// garble the marker; without its last byte the item must yield nothing.
struct ItemCase {
    const char* name;
    bool backReference;
    Bytes item;
    Bytes produces;
};

std::vector<ItemCase> itemCases() {
    Bytes longLiterals;
    for (int i = 0; i < 127; ++i) {
        longLiterals.push_back(static_cast<uint8_t>('a' + i % 26));
    }
    return {
        {"empty literal run", false, {0x00}, {}},
        {"literal run of 1", false, {0x02, 0x00}, {0x00}},
        {"literal run of 3", false,
         text("\x06"
              "ABC"),
         text("ABC")},
        {"literal run of 127", false, concat({{0xFE}, longLiterals}), longLiterals},
        {"empty fill run", false, {0x01, 0x5A}, {}},
        {"fill run of 1", false, {0x03, 0x5A}, {0x5A}},
        {"fill run of 4", false, {0x09, 0x5A}, text("ZZZZ")},
        {"fill run of 127", false, {0xFF, 0x5A}, repeated(127, 0x5A)},
        {"back-reference 3 at distance 1", true, {0x01, 0x00}, text("QQQ")},
        {"back-reference 8 at distance 1", true, {0x01, 0x50}, text("QQQQQQQQ")},
        {"back-reference 18 at distance 1", true, {0x01, 0xF0}, repeated(18, 'Q')},
    };
}

TEST(DecodeStream, EachItemKindTakesItsStreamBytes) {
    for (const ItemCase& c : itemCases()) {
        SCOPED_TRACE(c.name);
        // Item 2 is the item under test; items 1 and 3 are control items.
        const Bytes flagWord{0x00, static_cast<uint8_t>(c.backReference ? 0x40 : 0x00)};
        const Bytes head = concat({flagWord, literal("Q"), c.item});
        const Decoding whole = decode(concat({head, {0x07, '#'}}), 1000);
        EXPECT_EQ(whole.output, concat({text("Q"), c.produces, text("###")}));

        const Decoding cut = decode(Bytes(head.begin(), head.end() - 1), 1000);
        EXPECT_EQ(cut.output, text("Q"));
    }
}

TEST(DecodeStream, FlagBitsRunFromBit7OfTheSecondByteToBit0OfTheFirst) {
    struct Case {
        Bytes flagWord;
        int backReferenceItem;
    };
    const Case cases[] = {
        {{0x00, 0x40}, 2}, {{0x00, 0x01}, 8}, {{0x80, 0x00}, 9}, {{0x40, 0x00}, 10}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.backReferenceItem);
        Bytes stream = c.flagWord;
        std::string expected;
        for (int item = 1; item <= 12; ++item) {
            if (item == c.backReferenceItem) {
                stream = concat({stream, {0x01, 0x00}});  // the last byte three times
                expected += std::string(3, expected.back());
            } else {
                const std::string letter(1, static_cast<char>('a' + item - 1));
                stream = concat({stream, literal(letter)});
                expected += letter;
            }
        }
        EXPECT_EQ(decode(stream, 1000).output, text(expected));
    }
}

// Items 1 to 16 are one-letter literal runs a to p; the second flag word,
// 00 80, makes item 17 a back-reference that repeats the last letter.
Bytes firstWord() {
    return {0x00, 0x00};
}
Bytes secondWord() {
    return {0x00, 0x80};
}
Bytes letters(char from, char to) {
    Bytes items;
    for (char c = from; c <= to; ++c) {
        items = concat({items, literal(std::string(1, c))});
    }
    return items;
}

TEST(DecodeStream, FifteenItemsNeedOneFlagWord) {
    const Decoding d = decode(concat({firstWord(), letters('a', 'o')}), 1000);
    EXPECT_EQ(d.output, text("abcdefghijklmno"));
}

TEST(DecodeStream, SecondFlagWordStandsBeforeItemSixteen) {
    const Decoding d =
        decode(concat({firstWord(), letters('a', 'o'), secondWord(), letters('p', 'p')}), 1000);
    EXPECT_EQ(d.output, text("abcdefghijklmnop"));
}

TEST(DecodeStream, ItemSeventeenFollowsItemSixteenDirectly) {
    const Bytes stream =
        concat({firstWord(), letters('a', 'o'), secondWord(), letters('p', 'p'), {0x01, 0x00}});
    EXPECT_EQ(decode(stream, 1000).output, text("abcdefghijklmnopppp"));
}

TEST(DecodeStream, ThirdFlagWordStandsBeforeItemThirtyTwo) {
    // Words 2 and 3 make items 17 and 33 back-references.
    const Bytes stream = concat({firstWord(),
                                 letters('a', 'o'),
                                 secondWord(),
                                 letters('p', 'p'),
                                 {0x01, 0x00},
                                 letters('A', 'N'),
                                 {0x00, 0x80},
                                 letters('O', 'O'),
                                 {0x01, 0x00}});
    EXPECT_EQ(decode(stream, 1000).output, text("abcdefghijklmnopppp"
                                                "ABCDEFGHIJKLMN"
                                                "O"
                                                "OOO"));
}

TEST(DecodeStream, OverlappingBackReferencesRepeatTheLastBytes) {
    struct Case {
        std::string before;
        Bytes reference;
        std::string produces;
    };
    const Case cases[] = {
        {"AB", {0x02, 0x40}, "ABABABA"},                   // length 7, distance 2
        {"ABC", {0x03, 0x50}, "ABCABCAB"},                 // length 8, distance 3
        {"ABCD", {0x04, 0xF0}, "ABCDABCDABCDABCDAB"},      // length 18, distance 4
        {"ABCDE", {0x05, 0x20}, "ABCDE"},                  // length 5, distance 5
        {"ABCDEF", {0x06, 0x00}, "ABC"},                   // length 3, distance 6
        {"XABCDEFGH", {0x08, 0xE0}, "ABCDEFGHABCDEFGHA"},  // length 17, distance 8
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.before);
        const Bytes stream = concat({{0x00, 0x40}, literal(c.before), c.reference});
        EXPECT_EQ(decode(stream, 1000).output, text(c.before + c.produces));
    }
}

TEST(DecodeStream, LongestReferenceReachesBack4095Bytes) {
    // 4095 bytes from literal runs, all different from their neighbours, then
    // FF FF: length 18 from distance 4095, the very first bytes.
    Bytes history;
    for (int i = 0; i < 4095; ++i) {
        history.push_back(static_cast<uint8_t>(i * 7 + i / 256));
    }
    std::vector<Bytes> items;
    for (size_t at = 0; at < history.size(); at += 127) {
        const size_t n = std::min<size_t>(127, history.size() - at);
        Bytes run{static_cast<uint8_t>(n << 1)};
        run.insert(run.end(), history.begin() + at, history.begin() + at + n);
        items.push_back(run);
    }
    ASSERT_EQ(items.size(), 33u);  // 32 runs of 127 and one of 31
    // 34 items: words before items 1, 16 and 32; item 34 is the back-reference.
    Bytes stream = {0x00, 0x00};
    for (size_t k = 1; k <= items.size(); ++k) {
        if (k == 16) {
            stream = concat({stream, {0x00, 0x00}});
        }
        if (k == 32) {
            stream = concat({stream, {0x00, 0x40}});
        }
        stream = concat({stream, items[k - 1]});
    }
    stream = concat({stream, {0xFF, 0xFF}});
    const Decoding d = decode(stream, 5000);
    EXPECT_EQ(d.output, concat({history, Bytes(history.begin(), history.begin() + 18)}));
}

TEST(DecodeStream, DecodedLengthZeroReadsNothing) {
    // The guard page starts where the stream would: any read crashes.
    const Decoding d = decode({}, 0, 12);
    EXPECT_EQ(d.count, 0);
    EXPECT_TRUE(d.slackUntouched);
}

TEST(DecodeStream, EmptyOrNegativeStreamReadsAndWritesNothing) {
    for (const int32_t length : {0, -1, -2}) {
        SCOPED_TRACE(length);
        const Decoding d = decode({}, 16, length);
        EXPECT_EQ(d.count, 0);
        Bytes buffer(16, kPrefill);
        decomp::decodeStream(nullptr, buffer.data(), 16, length);
        EXPECT_EQ(buffer, repeated(16, kPrefill));
    }
}

TEST(DecodeStream, EndsWhenTheItemsReachTheDecodedLength) {
    // Only the first run is readable; a second, claimed to follow, is not read.
    const Bytes firstRun = concat({{0x00, 0x00}, literal("ab")});
    const Decoding d = decode(firstRun, 2, static_cast<int32_t>(firstRun.size()) + 3);
    EXPECT_EQ(d.count, 2);
    EXPECT_EQ(d.output, text("ab"));
}

TEST(DecodeStream, EndsWhenTheStreamRunsOut) {
    const Decoding d = decode(concat({{0x00, 0x00}, literal("ab")}), 10);
    EXPECT_EQ(d.count, 2);
    EXPECT_EQ(d.output, text("ab"));
}

TEST(DecodeStream, LastItemIsCutAtTheDecodedLength) {
    struct Case {
        const char* name;
        int32_t decodedLength;
        Bytes stream;
        std::string produces;
    };
    const Case cases[] = {
        {"literal run", 4, concat({{0x00, 0x00}, literal("ab"), literal("cdefg")}), "abcd"},
        {"fill run of 127 one byte before the end", 3,
         concat({{0x00, 0x00}, literal("ab"), {0xFF, 'z'}}), "abz"},
        {"back-reference", 5, concat({{0x00, 0x40}, literal("abc"), {0x03, 0xF0}}), "abcab"},
        {"overlapping back-reference", 4, concat({{0x00, 0x40}, literal("a"), {0x01, 0xF0}}),
         "aaaa"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Decoding d = decode(c.stream, c.decodedLength);
        EXPECT_EQ(d.count, c.decodedLength);
        EXPECT_EQ(d.output, text(c.produces));
        EXPECT_TRUE(d.slackUntouched);
    }
}

TEST(DecodeStream, ItemsCutOffByTheEndOfTheStreamYieldNothing) {
    const Bytes fifteen = concat({firstWord(), letters('a', 'o')});
    struct Case {
        const char* name;
        Bytes stream;
        std::string produces;
    };
    const Case cases[] = {
        {"half a flag word", {0x00}, ""},
        {"a flag word alone", {0x00, 0x00}, ""},
        {"literal run one byte short",
         text(std::string("\0\0\x06"
                          "AB",
                          5)),
         ""},
        {"fill run without its byte", concat({{0x00, 0x00}, literal("ab"), {0x09}}), "ab"},
        {"half a back-reference", concat({{0x00, 0x40}, literal("ab"), {0x01}}), "ab"},
        {"half the second flag word", concat({fifteen, {0x00}}), "abcdefghijklmno"},
        {"the second flag word, then nothing", concat({fifteen, secondWord()}), "abcdefghijklmno"},
        {"item sixteen one byte short", concat({fifteen, secondWord(), {0x02}}), "abcdefghijklmno"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Decoding d = decode(c.stream, 1000);
        EXPECT_EQ(d.output, text(c.produces));
    }
}

TEST(DecodeStream, ReferencesWithoutASourceYieldZeroBytes) {
    struct Case {
        const char* name;
        Bytes stream;
        Bytes produces;
    };
    const Case cases[] = {
        {"first item", {0x00, 0x80, 0x01, 0x00}, {0, 0, 0}},
        {"partly before the first byte",
         concat({{0x00, 0x40}, literal("AB"), {0x04, 0x20}}),
         {'A', 'B', 0, 0, 'A', 'B', 0}},
        {"distance 0, length still counted",
         concat({{0x00, 0x40}, literal("AB"), {0x00, 0x10}, literal("c")}),
         {'A', 'B', 0, 0, 0, 0, 'c'}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const uint8_t prefill : {uint8_t{0x00}, uint8_t{0xFF}}) {
            EXPECT_EQ(decode(c.stream, 1000, std::nullopt, prefill).output, c.produces);
        }
    }
}

TEST(DecodeStream, AnyStreamStaysWithinItsBuffersAndIgnoresOldOutput) {
    std::mt19937 random(20240611);
    for (int round = 0; round < 3000; ++round) {
        Bytes stream(random() % 300);
        for (uint8_t& b : stream) {
            b = static_cast<uint8_t>(random());
        }
        const int32_t decodedLength = static_cast<int32_t>(random() % 2000);
        const Decoding zeros = decode(stream, decodedLength, std::nullopt, 0x00);
        const Decoding ones = decode(stream, decodedLength, std::nullopt, 0xFF);
        ASSERT_GE(zeros.count, 0);
        ASSERT_LE(zeros.count, decodedLength);
        ASSERT_TRUE(zeros.slackUntouched && ones.slackUntouched);
        ASSERT_EQ(zeros.output, ones.output) << "round " << round;
    }
}

}  // namespace
