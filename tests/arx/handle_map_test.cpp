// The id table's map from handles to stubs: dense handles, scattered ones and
// hostile strides all find what was put in, through growth and erasure.
#include <gtest/gtest.h>

#include <random>
#include <unordered_map>

#include "core/handle_map.h"

namespace {

struct Item {
    int n;
};

// Drives the map and a standard map with the same operations and compares.
void exercise(const std::vector<std::uint64_t>& handles, unsigned seed)
{
    arx::HandleMap<Item> map;
    std::unordered_map<std::uint64_t, Item*> expected;
    std::vector<Item> items(handles.size());
    std::mt19937_64 random(seed);
    for (size_t i = 0; i < handles.size(); ++i) {
        std::uint64_t h = handles[i];
        if (h == 0 || expected.count(h) != 0) continue;
        items[i].n = static_cast<int>(i);
        map.insert(h, &items[i]);
        expected[h] = &items[i];
        // Now and then take one out again.
        if (random() % 7 == 0 && !expected.empty()) {
            auto victim = expected.begin();
            std::advance(victim, static_cast<long>(random() % expected.size()));
            map.erase(victim->first);
            expected.erase(victim);
        }
    }
    ASSERT_EQ(map.size(), expected.size());
    for (const auto& [h, item] : expected) ASSERT_EQ(map.find(h), item) << h;
    for (std::uint64_t h : {std::uint64_t(0), std::uint64_t(1) << 62, ~std::uint64_t(0)})
        if (expected.count(h) == 0) EXPECT_EQ(map.find(h), nullptr);
}

TEST(HandleMap, DenseScatteredAndStridedHandlesAreAllFound)
{
    std::vector<std::uint64_t> dense, scattered, strided, mixed;
    std::mt19937_64 random(42);
    for (std::uint64_t h = 1; h <= 50000; ++h) dense.push_back(h);
    for (int i = 0; i < 50000; ++i) scattered.push_back(random());
    for (std::uint64_t i = 1; i <= 20000; ++i) strided.push_back(i << 20);
    for (int i = 0; i < 30000; ++i) mixed.push_back(i % 3 == 0 ? random() : static_cast<std::uint64_t>(i));
    exercise(dense, 1);
    exercise(scattered, 2);
    exercise(strided, 3);
    exercise(mixed, 4);
}

TEST(HandleMap, HandlesThatTheArrayLaterCoversAreStillFound)
{
    // Large handles first go to the hashed table; as entries grow, the direct
    // array comes to cover them and they must move with it.
    arx::HandleMap<Item> map;
    std::vector<Item> items(20000);
    for (int i = 0; i < 100; ++i) map.insert(30000 + i, &items[i]);
    for (int i = 100; i < 20000; ++i) map.insert(i, &items[i]);
    for (int i = 0; i < 100; ++i) EXPECT_EQ(map.find(30000 + i), &items[i]);
    for (int i = 100; i < 20000; ++i) ASSERT_EQ(map.find(i), &items[i]);
    EXPECT_EQ(map.size(), 20000u);
}

}  // namespace
