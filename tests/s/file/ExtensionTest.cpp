// tests/s/file/ExtensionTest.cpp
#include "s/file/Extension.h"

#include <gmock/gmock.h>

#include "s/file/win/PathWin.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "support/Pooled.h"

namespace {

using s::file::Extension;

TEST(Extension, ComparesAsItsKeyAndHoldsThePathsItIsGiven) {
    tests::Pooled<Extension> jpg, JPG, png;
    jpg->setKey(L".jpg");
    JPG->setKey(L".JPG");
    png->setKey(L".png");
    EXPECT_TRUE(jpg->equalsIgnoreCase(JPG.get()));
    EXPECT_FALSE(jpg->equals(JPG.get()));
    EXPECT_EQ(jpg->hashCodeIgnoreCase(), JPG->hashCodeIgnoreCase());
    EXPECT_LT(jpg->compareToIgnoreCase(png.get()), 0);
    s::str::strbuffer::StrBuffer key;
    key.setText(L".JpG");
    EXPECT_TRUE(jpg->equalsIgnoreCase(&key)) << "a group stands for its key";
    EXPECT_STREQ(jpg->classId(), L"s_file_Extension");

    s::file::win::PathWin a, b;
    a.assignText(L"C:\\a.jpg");
    b.assignText(L"C:\\b.jpg");
    EXPECT_EQ(jpg->count(), 0u);
    jpg->add(&a);
    jpg->add(&b);
    ASSERT_EQ(jpg->count(), 2u);
    EXPECT_EQ(jpg->at(1), &b);
    EXPECT_TRUE(jpg->at(2) == nullptr);
    jpg->resetForReuse();
    EXPECT_EQ(jpg->count(), 0u) << "the paths are not the group's: only the list goes";
    EXPECT_STREQ(a.getFullPath(), L"C:\\a.jpg");
}

}  // namespace
