// s/image/EncodeSettingBoxes.cpp
#include "s/image/EncodeSettingBoxes.h"

#include <atomic>

namespace s::image {

namespace {
std::atomic<EncodeSettingBoxMaker> g_maker{nullptr};
}  // namespace

void setEncodeSettingBoxMaker(EncodeSettingBoxMaker maker) { g_maker.store(maker); }

EncodeSettingBoxMaker encodeSettingBoxMaker() { return g_maker.load(); }

}  // namespace s::image
