// s/image/EncodeSettingBoxes.h
//
// The hook through which encode settings get their boxes: the dialogs register one maker
// that answers a box for a box class id ("s_image_gui_boxes_BmpConfigBox", "...GifConfigBox",
// "...JpgConfigBox", "...PngConfigBox"), or null. Any thread; the last maker set is used.
#pragma once
#include "s/image/IEncodeSettingBox.h"

namespace s::image {

using EncodeSettingBoxMaker = IEncodeSettingBox* (*)(const wchar_t* boxClassId);

void setEncodeSettingBoxMaker(EncodeSettingBoxMaker maker);  // null removes it
EncodeSettingBoxMaker encodeSettingBoxMaker();

}  // namespace s::image
