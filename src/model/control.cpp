#include "model/control.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace qm {

Control::Control(ControlKind kind, std::string name, Control* parent)
    : kind_(kind), name_(std::move(name)), parent_(parent) {
  if (parent_) parent_->addChild(this);
}

Control::~Control() {
  if (parent_) parent_->removeChild(this);
  for (Control* c : children_) c->parent_ = nullptr;
}

Control* Control::find(const std::string& name) {
  if (name_ == name) return this;
  for (Control* c : children_)
    if (Control* found = c->find(name)) return found;
  return nullptr;
}

Control& Control::findOrDie(const std::string& name) {
  Control* found = find(name);
  if (!found) {
    std::fprintf(stderr, "no control named %s\n", name.c_str());
    std::abort();
  }
  return *found;
}

void Control::addChild(Control* child) { children_.push_back(child); }

void Control::removeChild(Control* child) {
  children_.erase(std::remove(children_.begin(), children_.end(), child), children_.end());
}

bool Control::setLeft(Twips v) {
  if (left_ != v) {
    left_ = v;
    notifyChanged();
  }
  return true;
}

bool Control::setTop(Twips v) {
  if (top_ != v) {
    top_ = v;
    notifyChanged();
  }
  return true;
}

bool Control::setWidth(Twips v) {
  if (v < 0) return false;
  if (width_ != v) {
    width_ = v;
    notifyChanged();
  }
  return true;
}

bool Control::setHeight(Twips v) {
  if (v < 0) return false;
  if (height_ != v) {
    height_ = v;
    notifyChanged();
  }
  return true;
}

void Control::setGeometry(Twips left, Twips top, Twips width, Twips height) {
  setLeft(left);
  setTop(top);
  setWidth(width);
  setHeight(height);
}

void Control::setVisible(bool v) {
  if (visible_ == v) return;
  visible_ = v;
  notifyChanged();
}

void Control::setEnabled(bool v) {
  if (enabled_ == v) return;
  enabled_ = v;
  notifyChanged();
}

void Control::setToolTip(std::string text) {
  toolTip_ = std::move(text);
  notifyChanged();
}

void Control::zOrder(int position) {
  if (!parent_) {
    notifyChanged();
    return;
  }
  auto& siblings = parent_->children_;
  siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  if (position == 1)
    siblings.insert(siblings.begin(), this);
  else
    siblings.push_back(this);
  notifyChanged();
}

int Control::stackIndex() const {
  if (!parent_) return 0;
  const auto& siblings = parent_->children_;
  return static_cast<int>(std::find(siblings.begin(), siblings.end(), this) - siblings.begin());
}

void Image::setPicture(Picture p) {
  picture_ = std::move(p);
  notifyChanged();
}

void Label::setCaption(std::string text) {
  if (caption_ == text) return;
  caption_ = std::move(text);
  notifyChanged();
}

void Label::setForeColor(Colour c) {
  if (foreColor_ == c) return;
  foreColor_ = c;
  notifyChanged();
}

void Label::setAlignment(int a) {
  alignment_ = a;
  notifyChanged();
}

void PictureBox::setPicture(Picture p) {
  picture_ = std::move(p);
  notifyChanged();
}

void PictureBox::setBackColor(Colour c) {
  backColor_ = c;
  notifyChanged();
}

void Frame::setCaption(std::string text) {
  caption_ = std::move(text);
  notifyChanged();
}

void Frame::setBackColor(Colour c) {
  backColor_ = c;
  notifyChanged();
}

void OptionButton::setCaption(std::string text) {
  caption_ = std::move(text);
  notifyChanged();
}

void OptionButton::setValue(bool v) {
  if (v && parent()) {
    for (Control* c : parent()->children())
      if (c != this && c->kind() == ControlKind::OptionButton) static_cast<OptionButton*>(c)->setValue(false);
  }
  if (value_ == v) return;
  value_ = v;
  notifyChanged();
}

void MenuItem::setCaption(std::string text) {
  caption_ = std::move(text);
  notifyChanged();
}

void MenuItem::setChecked(bool c) {
  if (checked_ == c) return;
  checked_ = c;
  notifyChanged();
}

void Label::setBackStyle(int s) {
  if (backStyle_ == s) return;
  backStyle_ = s;
  notifyChanged();
}

void Label::setBackColor(Colour c) {
  if (backColor_ == c) return;
  backColor_ = c;
  notifyChanged();
}

void Label::setWordWrap(bool w) {
  if (wordWrap_ == w) return;
  wordWrap_ = w;
  notifyChanged();
}

void Frame::setBorderStyle(int s) {
  if (borderStyle_ == s) return;
  borderStyle_ = s;
  notifyChanged();
}

void CheckBox::setCaption(std::string text) {
  if (caption_ == text) return;
  caption_ = std::move(text);
  notifyChanged();
}

void CheckBox::setValue(int v) {
  if (value_ == v) return;
  value_ = v;
  notifyChanged();
}

void CheckBox::click() {
  setValue(value_ == Checked ? Unchecked : Checked);
  Click.raise();
}

void CommandButton::setCaption(std::string text) {
  if (caption_ == text) return;
  caption_ = std::move(text);
  notifyChanged();
}

void Form::setBackColor(Colour c) {
  if (backColor_ == c) return;
  backColor_ = c;
  notifyChanged();
}

void Form::setCaption(std::string text) {
  caption_ = std::move(text);
  notifyChanged();
}

void Form::setMousePointer(int p) {
  if (mousePointer_ == p) return;
  mousePointer_ = p;
  notifyChanged();
}

bool Form::setWidth(Twips v) {
  Twips before = width();
  if (!Control::setWidth(v)) return false;
  if (before != width()) Resize.raise();
  return true;
}

bool Form::setHeight(Twips v) {
  Twips before = height();
  if (!Control::setHeight(v)) return false;
  if (before != height()) Resize.raise();
  return true;
}

void Form::syncFromScreen(Twips left, Twips top, Twips width, Twips height, int state) {
  bool resized = width != this->width() || height != this->height() || state != windowState_;
  windowState_ = state;
  Control::setLeft(left);
  Control::setTop(top);
  Control::setWidth(width);
  Control::setHeight(height);
  if (resized) Resize.raise();
}

void Form::show() {
  if (!loaded_) {
    loaded_ = true;
    Load.raise();
  }
  setVisible(true);
}

// No longer loaded before it hides: a handler that unloads a form once it is
// hidden must not unload it a second time from inside this one.
void Form::unload() {
  if (!loaded_) return;
  loaded_ = false;
  setVisible(false);
  Unload.raise();
}

}  // namespace qm
