// s/image/gui/boxes/BoxMaker.h
//
// Gives the encode settings their boxes: installs the maker that answers a box from its
// pool for each box class id. Called once by whoever shows the boxes; any thread.
#pragma once

namespace s::image { class IEncodeSettingBox; }

namespace s::image::gui::boxes {

s::image::IEncodeSettingBox* newBoxOfClass(const wchar_t* boxClassId);
void installBoxMaker();

}  // namespace s::image::gui::boxes
