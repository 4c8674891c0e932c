// tests/s/col/CollectionInputStreamTest.cpp
#include <gtest/gtest.h>

#include <cstdint>

#include "s/col/CollectionInputStream.h"
#include "s/col/_array/ArrayS32.h"
#include "s/col/_array/Iterator.h"
#include "support/Pooled.h"

namespace {

using s::col::CollectionInputStream;
using s::col::_array::ArrayS32;
using s::col::_array::Iterator;

TEST(CollectionInputStream, PiecesOfSixtyFourBytesOfWholeElements) {
    tests::Pooled<ArrayS32> a;
    for (int32_t i = 0; i < 20; ++i) a->add(i);
    s::io::IInputStream* stream = a->inputStream();
    ASSERT_NE(nullptr, stream);
    int32_t buffer[32] = {};
    uint32_t n = 0;
    EXPECT_TRUE(stream->read(buffer, sizeof buffer, &n));
    EXPECT_EQ(64u, n);
    EXPECT_EQ(15, buffer[15]);
    EXPECT_TRUE(stream->read(buffer, sizeof buffer, &n));
    EXPECT_EQ(16u, n);
    EXPECT_EQ(19, buffer[3]);
    EXPECT_FALSE(stream->read(buffer, sizeof buffer, &n));
    EXPECT_EQ(0u, n);
    stream->close();
    EXPECT_TRUE(stream->read(buffer, 6, &n)) << "after close it starts again";
    EXPECT_EQ(4u, n) << "whole elements only";
    EXPECT_EQ(0, buffer[0]);
    EXPECT_FALSE(stream->read(buffer, 3, &n)) << "less room than one element";
    EXPECT_TRUE(stream->read(buffer, 0, &n)) << "a request of 0 bytes";
    EXPECT_EQ(0u, stream->position());
    EXPECT_FALSE(stream->canSeek());
    EXPECT_FALSE(stream->seekStart());
    stream->closeAndRelease();
}

// Its iterator is its own: a stream given back without close must not keep it.
TEST(CollectionInputStream, ResetReturnsTheIterator) {
    Iterator::over(nullptr, 0, -1)->release();  // at least one iterator kept
    const uint32_t kept = s::thread::Pool<Iterator>::pooler().keptCount();
    tests::Pooled<ArrayS32> a;
    a->add(1);
    CollectionInputStream* stream = static_cast<CollectionInputStream*>(a->inputStream());
    int32_t value = 0;
    ASSERT_TRUE(stream->read(&value, 4, nullptr));
    EXPECT_EQ(kept - 1, s::thread::Pool<Iterator>::pooler().keptCount());
    stream->releaseToPool();
    EXPECT_EQ(kept, s::thread::Pool<Iterator>::pooler().keptCount());
    stream = static_cast<CollectionInputStream*>(a->inputStream());
    stream->read(&value, 4, nullptr);
    stream->detach();
    EXPECT_EQ(nullptr, stream->collection());
    EXPECT_EQ(kept, s::thread::Pool<Iterator>::pooler().keptCount());
    stream->closeAndRelease();
}

}  // namespace
