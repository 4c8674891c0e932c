// tests/s/file/gui/dialogs/brakvane/FakeWiperFixture.h
//
// The product's window with the fake wiper in place of a real one (see FakeWiper.h): the
// dialog's handling of a run, of its end and of its list is seen without disk work. A
// sandbox file "item.txt" is there to be dropped.
#pragma once
#include "tests/s/file/gui/dialogs/brakvane/FakeWiper.h"
#include "tests/s/file/gui/dialogs/brakvane/ProductFixture.h"

namespace tests::product {

class FakeWiperFixture : public ProductFixture {
protected:
    void SetUp() override {
        ProductFixture::SetUp();
        g_fake = &fake;
        Product::setWiperSource(&kFakeWipers);
        ASSERT_TRUE(sandbox.writeFile(L"item.txt", "dropped"));
    }
    void TearDown() override {
        ProductFixture::TearDown();
        g_fake = nullptr;
    }
    FakeWiper fake;
};

}  // namespace tests::product
