// s/image/gui/boxes/BoxMaker.cpp
#include "s/image/gui/boxes/BoxMaker.h"

#include <cwchar>

#include "s/image/EncodeSettingBoxes.h"
#include "s/image/gui/boxes/BmpConfigBox.h"
#include "s/image/gui/boxes/GifConfigBox.h"
#include "s/image/gui/boxes/JpgConfigBox.h"
#include "s/image/gui/boxes/PngConfigBox.h"
#include "s/thread/Pool.h"

namespace s::image::gui::boxes {

s::image::IEncodeSettingBox* newBoxOfClass(const wchar_t* id) {
    if (!id) return nullptr;
    if (!wcscmp(id, L"s_image_gui_boxes_BmpConfigBox")) return s::thread::Pool<BmpConfigBox>::obtain();
    if (!wcscmp(id, L"s_image_gui_boxes_GifConfigBox")) return s::thread::Pool<GifConfigBox>::obtain();
    if (!wcscmp(id, L"s_image_gui_boxes_JpgConfigBox")) return s::thread::Pool<JpgConfigBox>::obtain();
    if (!wcscmp(id, L"s_image_gui_boxes_PngConfigBox")) return s::thread::Pool<PngConfigBox>::obtain();
    return nullptr;
}

void installBoxMaker() { s::image::setEncodeSettingBoxMaker(&newBoxOfClass); }

}  // namespace s::image::gui::boxes
