#pragma once

#include <string>

#include "com/object.h"
#include "host/active_view.h"
#include "host/application.h"
#include "host/mouse_cursor.h"
#include "map/user_services.h"

namespace host {

// Every mouse-cursor object sets the application's one pointer.
class MouseCursor final : public com::ComObject<HostMouseCursor> {
public:
  void SetCursor(int code) override { set_mouse_pointer(code); }
  int Cursor() override { return mouse_pointer(); }
};

class Uid final : public com::ComObject<HostUid> {
public:
  std::string Value() override { return value_; }
  void SetValue(const std::string& value) override { value_ = value; }

private:
  std::string value_;
};

class ExtentBookmark final : public com::ComObject<HostExtentBookmark> {
public:
  com::ComPtr<HostEnvelope> Extent() override { return extent_; }
  void SetExtent(HostEnvelope* extent) override;
  com::HRESULT ZoomTo(HostMap* map) override;

private:
  com::ComPtr<HostEnvelope> extent_;
};

} // namespace host
