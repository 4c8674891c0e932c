// tests/s/thread/PoolerBaseTest.cpp
#include <gtest/gtest.h>

#include "s/thread/Factory.h"

namespace {

struct Item {
    uint32_t size;
    bool reset = false;
};

// A concrete size-bounded pool whose items say their own size.
class ItemFactory : public s::thread::Factory {
public:
    explicit ItemFactory(bool accounting) { m_accounting = accounting; }
    ~ItemFactory() override { destroyKeptItems(); }

    int destroyed = 0;
    int* destroyedCounter = nullptr;  // outlives the factory, for its destructor's count

    uint32_t itemSize(void* item) override { return static_cast<Item*>(item)->size; }
    void resetItem(void* item) override { static_cast<Item*>(item)->reset = true; }
    void destroyItem(void** slot) override {
        ++destroyed;
        if (destroyedCounter) ++*destroyedCounter;
        delete static_cast<Item*>(*slot);
        *slot = nullptr;
    }
    void* generate() override { return new Item{16}; }
    s::base::IObject* newInstance() const override { return new ItemFactory(m_accounting); }
};

TEST(PoolerBase, AccountingRejectsALargeItem) {
    ItemFactory factory(true);
    factory.release(new Item{1025});
    EXPECT_EQ(1, factory.destroyed);
    EXPECT_EQ(0u, factory.keptCount());
    factory.release(new Item{1024});
    EXPECT_EQ(1u, factory.keptCount());
    EXPECT_EQ(1024u, factory.totalSize());
}

TEST(PoolerBase, TotalFollowsWhatWasAdded) {
    ItemFactory factory(true);
    for (int i = 0; i < 100; ++i) factory.release(new Item{1024});
    EXPECT_EQ(100u, factory.keptCount());
    EXPECT_EQ(102400u, factory.totalSize());
    factory.release(new Item{1});  // the total would pass 102400
    EXPECT_EQ(1, factory.destroyed);
    Item* item = static_cast<Item*>(factory.obtain());
    EXPECT_TRUE(item->reset);
    EXPECT_EQ(101376u, factory.totalSize());
    item->size = 10;  // a caller-given size is what is added, and taken off again
    factory.release(item, 500);
    EXPECT_EQ(101876u, factory.totalSize());
    delete static_cast<Item*>(factory.obtain());
    EXPECT_EQ(101376u, factory.totalSize());
}

TEST(PoolerBase, WithoutAccountingOnlyTheCountLimits) {
    ItemFactory factory(false);
    factory.release(new Item{5000});
    EXPECT_EQ(1u, factory.keptCount());
    EXPECT_EQ(0u, factory.totalSize());
}

TEST(PoolerBase, DestructionDestroysEachKeptItemOnce) {
    int destroyedAtEnd = 0;
    {
        ItemFactory factory(false);
        factory.destroyedCounter = &destroyedAtEnd;
        void* a = factory.obtain();
        void* b = factory.obtain();
        factory.release(a);
        factory.release(b);
        EXPECT_EQ(2u, factory.keptCount());
        EXPECT_STREQ(L"s_thread_Factory", factory.classId());
    }
    EXPECT_EQ(2, destroyedAtEnd);
}

TEST(PoolerBase, DestroySlotReleases) {
    ItemFactory factory(false);
    void* slot = factory.obtain();
    factory.destroy(&slot);
    EXPECT_EQ(nullptr, slot);
    EXPECT_EQ(1u, factory.keptCount());
}

}  // namespace
