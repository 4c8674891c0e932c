// tests/s/image/win/BufferedImageFiltersTest.cpp
//
// Scaled copies (keep aspect, the cache kept on the size), the filter list (an owned filter
// is released when replaced as well as when removed or cleared), applyFilters and saving
// under a path that already exists.
#include <gtest/gtest.h>

#include <string>

#include "s/image/ImageTestSupport.h"
#include "s/image/filters/IFilter.h"
#include "s/image/filters/sharpness/Sharpness.h"
#include "s/image/win/BufferedImage.h"
#include "support/Pooled.h"
#include "support/Sandbox.h"

namespace {

using s::image::win::BufferedImage;
using tests::image::Held;
using tests::image::imageOf;
using tests::image::pixelsOf;

// A filter that counts its releases and adds 1 to every blue byte.
class CountingFilter : public s::image::filters::IFilter {
public:
    explicit CountingFilter(bool owned) : m_owned(owned) {}
    int releases = 0;
    const wchar_t* getName() const override { return L"Counting"; }
    bool isOwned() const override { return m_owned; }
    void setOwned(bool flag) override { m_owned = flag; }
    BufferedImage* apply(const BufferedImage* source, BufferedImage* target) override {
        BufferedImage* out = source->copy(target);
        for (int32_t i = 0; out && i < out->getHeight(); ++i) {
            for (int32_t j = 0; j < out->getWidth(); ++j) out->getRow(i)[j] += 1;
        }
        return out;
    }
    const wchar_t* classId() const override { return L"tests_CountingFilter"; }
    s::base::IObject* newInstance() const override { return nullptr; }
    void releaseToPool() override { ++releases; }
    void resetForReuse() override {}

private:
    bool m_owned;
};

TEST(BufferedImageFiltersTest, ScaledCopyKeepsTheAspectAndCachesOnTheSize) {
    Held image(imageOf(200, 100, std::vector<uint32_t>(200 * 100, 0xFF336699u), false));
    BufferedImage* scaled = image->scaledCopy(100, 100, true);
    ASSERT_NE(nullptr, scaled);
    EXPECT_EQ(100, scaled->getWidth());
    EXPECT_EQ(50, scaled->getHeight());
    EXPECT_EQ(scaled, image->getScaledCache());
    EXPECT_EQ(image.get(), image->scaledCopy(200, 100, false)) << "its own size: the image itself";
    EXPECT_EQ(image.get(), image->scaledCopy(400, 100, true)) << "the height ratio 1 wins";
    image->getRow(0)[0] = 0xFF000000u;
    EXPECT_EQ(scaled, image->scaledCopy(100, 50, false)) << "kept on the size alone";
    EXPECT_EQ(0xFF336699u, scaled->getRow(0)[0]) << "not refreshed when the pixels change";
    BufferedImage* other = image->scaledCopy(50, 50, false);
    ASSERT_NE(nullptr, other);
    EXPECT_EQ(50, other->getWidth());
    EXPECT_EQ(50, other->getHeight());
}

TEST(BufferedImageFiltersTest, OwnedFiltersAreReleasedWheneverTheImageDropsThem) {
    Held image(imageOf(2, 1, {0xFF000010u, 0xFF000020u}, false));
    CountingFilter owned(true), kept(false), next(true);
    ASSERT_TRUE(image->addFilter(&owned));
    ASSERT_TRUE(image->addFilter(&kept));
    int32_t index = -1;
    EXPECT_TRUE(image->findFilter(owned.getName(), &index));
    EXPECT_EQ(0, index);
    const std::wstring sameText(owned.getName());
    EXPECT_FALSE(image->findFilter(sameText.c_str(), &index)) << "the name's identity counts, not its text";
    ASSERT_TRUE(image->setFilter(0, &next));
    EXPECT_EQ(1, owned.releases) << "a replaced owned filter was lost before";
    EXPECT_FALSE(image->setFilter(5, &owned)) << "beyond the end";
    BufferedImage* filtered = image->getFilteredImage();
    ASSERT_NE(nullptr, filtered);
    EXPECT_EQ((std::vector<uint32_t>{0xFF000012u, 0xFF000022u}), pixelsOf(filtered)) << "both filters ran";
    EXPECT_EQ(filtered, image->getFilteredImage()) << "the cache";
    image->removeFilter(1);
    EXPECT_EQ(0, kept.releases) << "not owned";
    image->clearFilters();
    EXPECT_EQ(1, next.releases);
    EXPECT_FALSE(image->hasFilters());
    image->addFilter(&owned);
    image->detachFilters();
    EXPECT_EQ(1, owned.releases) << "detach releases none";
}

TEST(BufferedImageFiltersTest, FilteredAlphaIsDetected) {
    Held image(imageOf(1, 1, {0xFE000000u}, false));
    CountingFilter up(false);
    image->addFilter(&up);
    BufferedImage* filtered = image->applyFilters();
    ASSERT_NE(nullptr, filtered);
    EXPECT_EQ(0xFE000001u, filtered->getRow(0)[0]);
    EXPECT_TRUE(filtered->hasAlpha()) << "alpha 254 after the filters";
    image->detachFilters();
}

TEST(BufferedImageFiltersTest, SavingToAPathWritesTheFile) {
    tests::Sandbox box;
    ASSERT_TRUE(box.ok());
    Held image(imageOf(2, 2, {0xFF0000FFu, 0xFF00FF00u, 0xFFFF0000u, 0xFFFFFFFFu}, false));
    const std::wstring bmp = box.at(L"a.bmp"), png = box.at(L"a.png"), gif = box.at(L"a.gif"), jpg = box.at(L"a.jpg");
    EXPECT_TRUE(image->saveBmpToPath(bmp.c_str(), 24, true, 255, 255, 255));
    EXPECT_TRUE(image->savePngToPath(png.c_str(), true, false, 255, 255, 255));
    EXPECT_TRUE(image->saveGifToPath(gif.c_str(), 8, true, 255, 255, 255));
    EXPECT_TRUE(image->saveJpegToPath(jpg.c_str(), 90, 255, 255, 255));
    std::string bytes;
    ASSERT_TRUE(box.readFile(L"a.bmp", &bytes));
    EXPECT_EQ("BM", bytes.substr(0, 2));
    ASSERT_TRUE(box.readFile(L"a.png", &bytes));
    EXPECT_EQ("\x89PNG", bytes.substr(0, 4));
    ASSERT_TRUE(box.readFile(L"a.gif", &bytes));
    EXPECT_EQ("GIF89a", bytes.substr(0, 6));
    ASSERT_TRUE(box.readFile(L"a.jpg", &bytes));
    EXPECT_EQ("\xFF\xD8", bytes.substr(0, 2));
}

}  // namespace
