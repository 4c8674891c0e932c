// tests/s/col/_array/ArrayPTest.cpp
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "s/base/IDestructor.h"
#include "s/cleaner/CleanerIObject.h"
#include "s/col/_array/ArrayP.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "s/thread/EasyPooler.h"
#include "support/Pooled.h"

namespace {

using s::col::_array::ArrayP;
using s::str::strbuffer::StrBuffer;
using tests::Pooled;

// Records what it is asked to destroy.
class Recorder : public s::base::IDestructor {
public:
    std::vector<void*> destroyed;
    void destroy(void** slot) override {
        if (!*slot) return;
        destroyed.push_back(*slot);
        *slot = nullptr;
    }
};

int g_kept = 0;
void* makeInt() { return new int(0); }
void destroyInt(void* p) { delete static_cast<int*>(p); }
void resetInt(void*) { ++g_kept; }

TEST(ArrayP, OnlyFreeAllResetAndDestructorDestroyElements) {
    int a = 1, b = 2, c = 3;
    Recorder recorder;
    Pooled<ArrayP> list;
    list->setElementDestructor(&recorder);
    ASSERT_TRUE(list->add(&a));
    ASSERT_TRUE(list->add(nullptr));
    ASSERT_TRUE(list->add(&b));
    EXPECT_EQ(&b, list->item<int>(2));
    EXPECT_EQ(&b, list->removeAt(2)) << "handed to the caller";
    list->add(&c);
    list->dropLast(1);
    list->clear();
    EXPECT_TRUE(recorder.destroyed.empty()) << "clear, drop and remove let go only";
    list->add(&a);
    list->add(nullptr);
    list->add(&c);
    list->freeAll();
    EXPECT_EQ((std::vector<void*>{&a, &c}), recorder.destroyed) << "in order, nulls skipped";
    EXPECT_EQ(0u, list->capacity());
    EXPECT_EQ(&recorder, list->elementDestructor()) << "freeAll keeps the owner";
    list->add(&b);
    list->resetForReuse();
    EXPECT_EQ(3u, recorder.destroyed.size());
    EXPECT_EQ(nullptr, list->elementDestructor()) << "a reset array owns nothing";
    ArrayP* owned = new ArrayP();
    owned->setElementDestructor(&recorder);
    owned->add(&c);
    delete owned;
    EXPECT_EQ(&c, recorder.destroyed.back());
}

TEST(ArrayP, ReleasingReturnsEveryElementToItsPool) {
    s::thread::EasyPooler pool(100, makeInt, destroyInt, resetInt);
    ArrayP* list = s::thread::Pool<ArrayP>::obtain();
    list->setElementDestructor(&pool);
    for (int i = 0; i < 5; ++i) list->add(pool.obtain());
    g_kept = 0;
    list->releaseToPool();
    EXPECT_EQ(5, g_kept);
    EXPECT_EQ(5u, pool.keptCount());
}

TEST(ArrayP, TextForms) {
    Pooled<ArrayP> list;
    Pooled<StrBuffer> s;
    Pooled<StrBuffer> out;
    EXPECT_EQ(L"<s_col__array_ArrayP length=\"0\"></s_col__array_ArrayP>",
              tests::text(list->toXml(out.get(), false)));
    list->add(nullptr);
    list->add(s.get());
    list->toText(out.get(), false);
    std::wstring expected = L"s_col__array_ArrayP [null(0) s_str_strbuffer_StrBuffer(" +
                            std::to_wstring(static_cast<int32_t>(reinterpret_cast<uintptr_t>(s.get()))) + L")]";
    EXPECT_EQ(expected, tests::text(out.get())) << "a null element does not crash the text";
    EXPECT_EQ(L"<s_col__array_ArrayP length=\"2\"></s_col__array_ArrayP>",
              tests::text(list->toXml(out.get(), false))) << "no element content";
    list->clear();
}

TEST(ArrayP, SamplesAndIdentity) {
    Pooled<ArrayP> list;
    ASSERT_EQ(5u, list->sampleCount());
    void* const* samples = static_cast<void* const*>(list->sampleElements());
    for (int i = 0; i < 5; ++i) {
        const ArrayP* sample = static_cast<const ArrayP*>(samples[i]);
        ASSERT_NE(nullptr, sample);
        EXPECT_EQ(0u, sample->count());
        if (i) {
            EXPECT_NE(samples[i - 1], samples[i]);
        }
    }
    EXPECT_EQ(samples, list->sampleElements()) << "one static table";
    // Containers keep untyped pointers and cleaners delete them as IObject.
    EXPECT_EQ(static_cast<void*>(list.get()), static_cast<s::base::IObject*>(list.get()));
    EXPECT_STREQ(L"s_col__array_ArrayP", list->classId());
    ArrayP* deleted = new ArrayP();
    void* slot = deleted;
    s::cleaner::CleanerIObject::instance().destroy(&slot);
    EXPECT_EQ(nullptr, slot);
}

}  // namespace
