#include "slider/property_bag.h"
#include "slider/tvate.h"

namespace qm {

namespace {

constexpr int kDefaultStyle = 2;
constexpr int kDefaultValue = 1;
constexpr int kDefaultMax = 100;
constexpr Colour kDefaultGotColour = 0xFF0000;

template <class T>
void writeUnlessDefault(PropertyBag& bag, const char* key, T value, T fallback) {
  if (value != fallback) bag.write(key, value);
}

}  // namespace

void tVate::writeProperties(PropertyBag& bag) const {
  writeUnlessDefault<std::int32_t>(bag, "Style", style_, kDefaultStyle);
  writeUnlessDefault<std::int32_t>(bag, "Value", value_, kDefaultValue);
  writeUnlessDefault<std::int32_t>(bag, "Max", max_, kDefaultMax);
  if (bkPicture_) bag.write("BKPicture", bkPicture_);
  writeUnlessDefault<std::int16_t>(bag, "Appearance", appearance_, 0);
  writeUnlessDefault<std::int16_t>(bag, "BorderStyle", borderStyle_, 0);
  writeUnlessDefault<std::int16_t>(bag, "Bite_LP", biteL_, 0);
  writeUnlessDefault<std::int16_t>(bag, "Bite_RP", biteR_, 0);
  writeUnlessDefault<bool>(bag, "IsShowCmd", isShowCmd_, true);
  writeUnlessDefault<Colour>(bag, "TopColor", topColor_, kSliderBackColor);
  writeUnlessDefault<Colour>(bag, "BottomColor", bottomColor_, kSliderBackColor);
  writeUnlessDefault<Colour>(bag, "GotTopColor", gotTopColor_, kDefaultGotColour);
  writeUnlessDefault<Colour>(bag, "GotBottomColor", gotBottomColor_, kDefaultGotColour);
  writeUnlessDefault<std::string>(bag, "Caption", caption_, "");
  writeUnlessDefault<bool>(bag, "CanMove", canMove_, true);
}

void tVate::readProperties(const PropertyBag& bag) {
  style_ = bag.read<std::int32_t>("Style").value_or(kDefaultStyle);
  value_ = bag.read<std::int32_t>("Value").value_or(kDefaultValue);
  max_ = bag.read<std::int32_t>("Max").value_or(kDefaultMax);
  bkPicture_ = bag.read<Picture>("BKPicture").value_or(nullptr);
  // The surface knows only looks 0 and 1; anything else falls back to 0.
  auto look = bag.read<std::int16_t>("Appearance").value_or(0);
  appearance_ = look == 1 ? 1 : 0;
  auto border = bag.read<std::int16_t>("BorderStyle").value_or(0);
  borderStyle_ = border == 1 ? 1 : 0;
  biteL_ = bag.read<std::int16_t>("Bite_LP").value_or(0);
  biteR_ = bag.read<std::int16_t>("Bite_RP").value_or(0);
  isShowCmd_ = bag.read<bool>("IsShowCmd").value_or(true);
  topColor_ = bag.read<Colour>("TopColor").value_or(kSliderBackColor);
  bottomColor_ = bag.read<Colour>("BottomColor").value_or(kSliderBackColor);
  gotTopColor_ = bag.read<Colour>("GotTopColor").value_or(kDefaultGotColour);
  gotBottomColor_ = bag.read<Colour>("GotBottomColor").value_or(kDefaultGotColour);
  caption_ = bag.read<std::string>("Caption").value_or("");
  canMove_ = bag.read<bool>("CanMove").value_or(true);
  notifyChanged();  // the border may differ
  redraw();
}

}  // namespace qm
