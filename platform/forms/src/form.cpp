#include "forms/form.h"

#include <algorithm>

#include "forms/lists.h"
#include "forms/user.h"
#include "screen.h"
#include "whole_number.h"

namespace forms {

namespace {
// Runs a cleanup when a scope is left, also by an exception.
template <class F> struct OnExit {
  F cleanup;
  ~OnExit() { cleanup(); }
};
template <class F> OnExit(F) -> OnExit<F>;

// "Picture1(2)" -> ("Picture1", 2); "Combo1" -> ("Combo1", -1); false when malformed.
bool split_control_name(std::string_view text, std::string_view& name, int& index) {
  index = -1;
  name = text;
  const auto open = text.find('(');
  if (open == std::string_view::npos)
    return !text.empty();
  if (open == 0 || text.back() != ')')
    return false;
  name = text.substr(0, open);
  const auto number = whole_number(text.substr(open + 1, text.size() - open - 2));
  if (!number || *number < 0)
    return false;
  index = *number;
  return true;
}
} // namespace

namespace {
void describe_children(const Container& container, int depth, std::vector<ControlView>& out) {
  for (const Control* control : container.Children()) {
    out.push_back({depth, control->FullName(), control->Appear()});
    if (const auto* inner = dynamic_cast<const Container*>(control))
      describe_children(*inner, depth + 1, out);
  }
}
} // namespace

std::vector<ControlView> Form::DescribeControls() const {
  std::vector<ControlView> out;
  describe_children(*this, 1, out);
  return out;
}

std::vector<std::string> Form::ListedProblems() const {
  if (!problem_list_ || !loaded_)
    return {};
  return problem_list_->Appear().items;
}

Form::Form(std::string name, FormLook look)
    : name_(std::move(name)), look_(look), design_(std::move(look)) {}

Form::~Form() {
  std::erase(corvane_forms_screen()->modal_forms, this);
}

void Form::adopt(Control* control) {
  controls_.push_back(control);
}
void Form::forget(Control* control) {
  std::erase(controls_, control);
  if (focused_ == control)
    focused_ = nullptr;
}

void Form::touch() const {
  const_cast<Form*>(this)->Load();
}

void Form::Load() {
  if (loaded_ || loading_)
    return;
  loading_ = true;
  loaded_ = true;
  OnExit done{[this] { loading_ = false; }};
  Form_Load();
}

void Form::Show(ShowMode mode) {
  Load();
  if (mode == ShowMode::Modal) {
    if (visible_)
      throw Error("Form already displayed; can't show modally");
    show_modal();
    return;
  }
  if (visible_)
    return;
  visible_ = true;
  if (auto user = current_user())
    user->FormShown(*this, false);
  activate();
}

void Form::show_modal() {
  auto& stack = corvane_forms_screen()->modal_forms;
  const auto user = current_user();
  visible_ = true;
  stack.push_back(this);
  {
    OnExit leave{[this, &stack] {
      std::erase(stack, this);
      // Nothing may hang: a close the form refused still ends the modal show.
      stop_showing();
    }};
    if (user)
      user->FormShown(*this, true);
    activate();
    if (visible_ && user)
      user->WorkModal(*this);
    if (visible_)
      close_by_frame();
  }
  if (!stack.empty() && stack.back()->Visible())
    stack.back()->activate();
}

void Form::activate() {
  Form_Activate();
}

void Form::Hide() {
  stop_showing();
}

void Form::stop_showing() {
  visible_ = false;
  focused_ = nullptr;
}

void Form::focus(Control& control) {
  if (!control.Reachable())
    throw Error("Invalid procedure call: " + control.FullName() +
                " cannot take the focus while it or its form is hidden or disabled");
  if (focused_ == &control)
    return;
  focused_ = &control;
  if (auto user = current_user())
    user->FocusChanged(*this);
}

std::string Form::FocusedControl() const {
  return focused_ ? focused_->FullName() : std::string();
}

bool Form::Unload() {
  return unload(FormCode);
}

bool Form::unload(int mode) {
  if (!loaded_)
    return true;
  int cancel = 0;
  Form_QueryUnload(cancel, mode);
  if (cancel != 0)
    return false;
  Form_Unload(cancel);
  if (cancel != 0)
    return false;
  stop_showing();
  loaded_ = false;
  look_ = design_;
  look_enabled_ = true;
  for (Control* control : controls_)
    control->RestoreDesign();
  return true;
}

void Form::close_by_frame() {
  if (!visible_)
    return;
  if (auto user = current_user())
    user->FormClosedByFrame(*this);
  unload(FormControlMenu);
}

std::string Form::CloseByFrame() {
  try {
    close_by_frame();
    return {};
  } catch (const std::exception& failure) {
    return name_ + " failed to close: " + failure.what();
  }
}

std::string Form::Caption() const {
  touch();
  return look_.Caption;
}
void Form::SetCaption(std::string caption) {
  touch();
  look_.Caption = std::move(caption);
}
bool Form::Enabled() const {
  touch();
  return look_enabled_;
}
void Form::SetEnabled(bool enabled) {
  touch();
  look_enabled_ = enabled;
}
int Form::Left() const {
  touch();
  return look_.Left;
}
int Form::Top() const {
  touch();
  return look_.Top;
}
int Form::Width() const {
  touch();
  return look_.Width;
}
int Form::Height() const {
  touch();
  return look_.Height;
}
void Form::Move(int left, int top, int width, int height) {
  touch();
  look_.Left = left;
  look_.Top = top;
  look_.Width = width;
  look_.Height = height;
}

Pointer Form::MousePointer() const {
  touch();
  return look_.MousePointer;
}
void Form::SetMousePointer(Pointer pointer) {
  touch();
  if (look_.MousePointer == pointer)
    return;
  look_.MousePointer = pointer;
  if (!visible_)
    return;
  if (auto user = current_user())
    user->PointerChanged(*this);
}

std::string name_of(Pointer pointer) {
  switch (pointer) {
  case Pointer::Default:
    return "default";
  case Pointer::Arrow:
    return "arrow";
  case Pointer::Cross:
    return "cross";
  case Pointer::IBeam:
    return "i-beam";
  case Pointer::Icon:
    return "icon";
  case Pointer::Size:
    return "size";
  case Pointer::SizeNESW:
    return "size-nesw";
  case Pointer::SizeNS:
    return "size-ns";
  case Pointer::SizeNWSE:
    return "size-nwse";
  case Pointer::SizeWE:
    return "size-we";
  case Pointer::UpArrow:
    return "up-arrow";
  case Pointer::Hourglass:
    return "hourglass";
  case Pointer::NoDrop:
    return "no-drop";
  case Pointer::ArrowHourglass:
    return "arrow-hourglass";
  case Pointer::ArrowQuestion:
    return "arrow-question";
  case Pointer::SizeAll:
    return "size-all";
  case Pointer::Custom:
    return "custom";
  }
  return std::to_string(static_cast<int>(pointer));
}

Control* Form::FindControl(std::string_view name, int index) const {
  const auto found = std::ranges::find_if(controls_, [&](const Control* control) {
    return control->Name() == name && control->Index() == index;
  });
  return found == controls_.end() ? nullptr : *found;
}

std::string Form::Perform(std::string_view control, const UserAction& action) {
  if (!visible_)
    return "the form is not shown";
  if (!look_enabled_)
    return "the form is disabled";
  if (control == name_ && action.gesture == Gesture::Hover) {
    try {
      Form_MouseMove(0, 0, 0, 0);
      return {};
    } catch (const std::exception& failure) {
      return "hover failed: " + std::string(failure.what());
    }
  }
  std::string_view name;
  int index = -1;
  Control* target = split_control_name(control, name, index) ? FindControl(name, index) : nullptr;
  if (!target) {
    std::string known;
    for (const Control* c : controls_)
      known += (known.empty() ? "" : ", ") + c->FullName();
    return "no control " + std::string(control) + " (controls: " + known + ")";
  }
  return target->Perform(action);
}

} // namespace forms
