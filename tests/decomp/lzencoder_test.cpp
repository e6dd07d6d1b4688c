// The test-side encoder: the bytes of each item, where it puts the flag words,
// that its parse uses every kind of item within the format's reach, and round
// trips of random and structured data through it and the decoder.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "decoder.h"
#include "lzencoder.h"

namespace {

using d88test::Bytes;
using d88test::concat;
using d88test::LzItem;

Bytes text(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

Bytes randomBytes(std::mt19937& random, size_t size) {
    Bytes bytes(size);
    for (uint8_t& b : bytes) {
        b = static_cast<uint8_t>(random());
    }
    return bytes;
}

// Data with the shape of what the format is made for: copies of earlier
// stretches, runs of one byte and random literals, mixed at random.
Bytes structuredData(uint32_t seed, size_t size) {
    std::mt19937 random(seed);
    Bytes data;
    while (data.size() < size) {
        const uint32_t choice = random() % 10;
        if (data.size() >= 18 && choice < 5) {
            const size_t length = 3 + random() % 16;
            const size_t distance = 1 + random() % std::min<size_t>(4095, data.size());
            for (size_t i = 0; i < length; ++i) {
                data.push_back(data[data.size() - distance]);
            }
        } else if (choice < 6) {
            data.insert(data.end(), random() % 200, static_cast<uint8_t>(random()));
        } else {
            const Bytes literals = randomBytes(random, 1 + random() % 40);
            data.insert(data.end(), literals.begin(), literals.end());
        }
    }
    data.resize(size);
    return data;
}

// Decodes a whole compressed file as the tool does.
Bytes decodeFile(const Bytes& file) {
    const int32_t decodedLength = file[0] | (file[1] << 8);
    Bytes output(static_cast<size_t>(decodedLength));
    const int32_t count =
        decomp::decodeStream(file.data() + decomp::kHeaderSize, output.data(), decodedLength,
                             static_cast<int32_t>(file.size()) - decomp::kHeaderSize);
    output.resize(static_cast<size_t>(std::max(count, 0)));
    return output;
}

TEST(LzEncoder, EncodesEachItemAsTheFormatLaysItOut) {
    struct Case {
        const char* name;
        LzItem item;
        Bytes bytes;
    };
    const Case cases[] = {
        {"shortest back-reference", LzItem::backReference(3, 1), {0x01, 0x00}},
        {"back-reference 8 at 1", LzItem::backReference(8, 1), {0x01, 0x50}},
        {"longest and farthest back-reference", LzItem::backReference(18, 4095), {0xFF, 0xFF}},
        {"empty literal run", LzItem::literalRun({}), {0x00}},
        {"literal run", LzItem::literalRun(text("ABC")), {0x06, 'A', 'B', 'C'}},
        {"empty fill run", LzItem::fillRun(0, 'Z'), {0x01, 'Z'}},
        {"longest fill run", LzItem::fillRun(127, 'Z'), {0xFF, 'Z'}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.item.encoded(), c.bytes);
    }
}

TEST(LzEncoder, PutsEachLaterFlagWordBeforeTheItemThatTakesTheLastBit) {
    std::vector<LzItem> items;
    for (char c = 'a'; c <= 'p'; ++c) {
        items.push_back(LzItem::literalRun({static_cast<uint8_t>(c)}));
    }
    items.push_back(LzItem::backReference(3, 1));  // item 17, bit 15 of word 2

    Bytes expected{0x00, 0x00};
    for (char c = 'a'; c <= 'o'; ++c) {
        expected = concat({expected, {0x02, static_cast<uint8_t>(c)}});
    }
    expected = concat({expected, {0x00, 0x80, 0x02, 'p', 0x01, 0x00}});
    EXPECT_EQ(d88test::lzStream(items), expected);

    // Sixteen items: word 2 still stands before item 16, governing nothing.
    items.pop_back();
    expected.resize(expected.size() - 2);
    expected[expected.size() - 3] = 0x00;
    EXPECT_EQ(d88test::lzStream(items), expected);

    EXPECT_TRUE(d88test::lzStream({}).empty());
}

TEST(LzEncoder, StreamsOfAnyItemCountDecodeToTheirItems) {
    // Items cycle through a one-letter literal run, a fill run of two letters
    // and a back-reference repeating the last letter three times; the stream
    // holds one flag word per 16 items and one more, before item 16q.
    for (size_t n = 1; n <= 70; ++n) {
        SCOPED_TRACE(n);
        std::vector<LzItem> items;
        Bytes expected;
        size_t itemBytes = 0;
        for (size_t k = 0; k < n; ++k) {
            const uint8_t letter = static_cast<uint8_t>('a' + k % 26);
            switch (k % 3) {
                case 0:
                    items.push_back(LzItem::literalRun({letter}));
                    expected.push_back(letter);
                    break;
                case 1:
                    items.push_back(LzItem::fillRun(2, letter));
                    expected.insert(expected.end(), 2, letter);
                    break;
                default:
                    items.push_back(LzItem::backReference(3, 1));
                    expected.insert(expected.end(), 3, expected.back());
                    break;
            }
            itemBytes += items.back().encoded().size();
        }
        const Bytes stream = d88test::lzStream(items);
        EXPECT_EQ(stream.size(), itemBytes + 2 * (1 + n / 16));
        EXPECT_EQ(decodeFile(d88test::lzFile(static_cast<uint16_t>(expected.size()), stream)),
                  expected);
    }
}

TEST(LzEncoder, ParseUsesEveryItemKindWithinReach) {
    const std::vector<LzItem> items = d88test::lzParse(structuredData(7, 65535));
    std::set<int> lengths;
    bool longFill = false;
    bool longLiterals = false;
    for (const LzItem& item : items) {
        switch (item.kind) {
            case LzItem::Kind::BackReference:
                ASSERT_GE(item.length, 3);
                ASSERT_LE(item.length, 18);
                ASSERT_GE(item.distance, 1);
                ASSERT_LE(item.distance, 4095);
                lengths.insert(item.length);
                break;
            case LzItem::Kind::FillRun:
                ASSERT_LE(item.length, 127);
                longFill = longFill || item.length == 127;
                break;
            case LzItem::Kind::LiteralRun:
                ASSERT_LE(item.length, 127);
                longLiterals = longLiterals || item.length == 127;
                break;
        }
    }
    EXPECT_EQ(lengths.size(), 16u);
    EXPECT_TRUE(longFill);

    std::mt19937 random(3);
    const Bytes noise = randomBytes(random, 4095);
    const Bytes within = concat({noise, Bytes(noise.begin(), noise.begin() + 18)});
    const LzItem last = d88test::lzParse(within).back();
    EXPECT_EQ(last.kind, LzItem::Kind::BackReference);
    EXPECT_EQ(last.length, 18);
    EXPECT_EQ(last.distance, 4095);

    // One byte farther the copy is out of reach; random bytes repeat only
    // by chance, in short stretches, and go into full literal runs.
    const Bytes farther = concat({noise, {0x00}, Bytes(noise.begin(), noise.begin() + 18)});
    for (const LzItem& item : d88test::lzParse(farther)) {
        ASSERT_FALSE(item.kind == LzItem::Kind::BackReference && item.length == 18);
        longLiterals = longLiterals || item.length == 127;
    }
    EXPECT_TRUE(longLiterals);
}

TEST(LzEncoder, RandomDataRoundTrips) {
    std::mt19937 random(11);
    for (const size_t size : {0, 1, 2, 3, 17, 127, 128, 4096, 65535}) {
        SCOPED_TRACE(size);
        const Bytes data = randomBytes(random, size);
        EXPECT_EQ(decodeFile(d88test::lzCompressFile(data)), data);
    }
}

TEST(LzEncoder, StructuredDataRoundTripsAndShrinks) {
    std::vector<Bytes> samples;
    for (uint32_t seed = 1; seed <= 8; ++seed) {
        samples.push_back(structuredData(seed, 1000 * seed * seed));
    }
    samples.push_back(Bytes(65535, 0x00));
    for (size_t period = 1; period <= 20; ++period) {
        Bytes periodic;
        for (size_t i = 0; i < 3000; ++i) {
            periodic.push_back(static_cast<uint8_t>('a' + i % period));
        }
        samples.push_back(periodic);
    }
    std::string prose;
    while (prose.size() < 20000) {
        prose += "The quick brown fox jumps over the lazy dog, again and again. ";
    }
    samples.push_back(text(prose));
    for (size_t i = 0; i < samples.size(); ++i) {
        SCOPED_TRACE(i);
        const Bytes file = d88test::lzCompressFile(samples[i]);
        EXPECT_EQ(decodeFile(file), samples[i]);
        EXPECT_LT(file.size(), samples[i].size());
    }
}

}  // namespace
