// The memory database objects come from: blocks of every size are aligned,
// never overlap while they live, are reused once freed, and stay apart when
// two threads make and free objects at the same time.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <thread>
#include <vector>

#include "arxHeaders.h"
#include "db/object_pool.h"

namespace {

struct Block {
    unsigned char* p;
    size_t size;
    unsigned char mark;
};

void fill(const Block& b) { std::memset(b.p, b.mark, b.size); }

bool intact(const Block& b)
{
    for (size_t i = 0; i < b.size; ++i)
        if (b.p[i] != b.mark) return false;
    return true;
}

// Makes blocks of sizes 1..600, frees every other one, makes more, and checks
// that every live block kept its contents.
void churn(unsigned seed, int rounds)
{
    std::vector<Block> live;
    unsigned x = seed;
    auto next = [&x] { return x = x * 1103515245u + 12345u; };
    for (int round = 0; round < rounds; ++round) {
        for (int i = 0; i < 4000; ++i) {
            size_t size = 1 + next() % 600;
            Block b{static_cast<unsigned char*>(arx::allocateObjectMemory(size)), size,
                    static_cast<unsigned char>(next() >> 24)};
            ASSERT_EQ(reinterpret_cast<std::uintptr_t>(b.p) % 8, 0u) << size;
            fill(b);
            live.push_back(b);
        }
        for (const Block& b : live) ASSERT_TRUE(intact(b)) << "a block of " << b.size << " bytes was overwritten";
        std::vector<Block> kept;
        for (size_t i = 0; i < live.size(); ++i) {
            if (i % 2 == 0) arx::freeObjectMemory(live[i].p, live[i].size);
            else kept.push_back(live[i]);
        }
        live = std::move(kept);
    }
    for (const Block& b : live) {
        ASSERT_TRUE(intact(b));
        arx::freeObjectMemory(b.p, b.size);
    }
}

TEST(ObjectPool, BlocksOfEverySizeStayApartAndAligned) { churn(1, 6); }

TEST(ObjectPool, TwoThreadsAtOnce)
{
    std::thread other([] { churn(2, 8); });
    churn(3, 8);
    other.join();
}

TEST(ObjectPool, ObjectsOfEveryKindGoBackToThePool)
{
    // Made and deleted through their classes, as a drawing's objects are.
    for (int round = 0; round < 3; ++round) {
        std::vector<AcDbObject*> objects;
        for (int i = 0; i < 1000; ++i) {
            objects.push_back(new AcDbLine({double(i), 0, 0}, {double(i), 1, 0}));
            objects.push_back(new AcDbCircle({double(i), 0, 0}, {0, 0, 1}, 1));
            objects.push_back(new AcDbDictionary());
        }
        for (int i = 0; i < 1000; ++i) {
            auto* line = AcDbLine::cast(objects[3 * i]);
            ASSERT_NE(line, nullptr);
            EXPECT_EQ(line->startPoint().x, double(i));
            EXPECT_EQ(AcDbCircle::cast(objects[3 * i + 1])->radius(), 1);
        }
        for (AcDbObject* o : objects) delete o;
    }
}

}  // namespace
