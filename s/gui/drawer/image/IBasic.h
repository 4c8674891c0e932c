// s/gui/drawer/image/IBasic.h
//
// The Basic style of the Image family; its drawer adds its own setters.
#pragma once
#include "s/gui/drawer/IImage.h"

namespace s::gui::drawer::image {

class IBasic : public s::gui::drawer::IImage {};

}  // namespace s::gui::drawer::image
