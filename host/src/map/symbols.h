#pragma once

#include <string>

#include "com/object.h"
#include "host/symbol.h"
#include "map/color.h"

namespace host {

class Font final : public com::ComObject<StdFont> {
public:
  std::string Name() override { return name_; }
  void SetName(const std::string& name) override { name_ = name; }
  double Size() override { return size_; }
  void SetSize(double points) override { size_ = points; }
  bool Bold() override { return bold_; }
  void SetBold(bool bold) override { bold_ = bold; }

private:
  std::string name_ = "Arial";
  double size_ = 8;
  bool bold_ = false;
};

// New symbols start as the platform's do: black lines of width 1, grey fills with a black
// outline, black markers of size 8.
class SimpleLineSymbol final : public com::ComObject<HostSimpleLineSymbol> {
public:
  com::ComPtr<HostColor> Color() override { return make_color(color_); }
  void SetColor(HostColor* color) override { color_ = rgb_of(color); }
  double Width() override { return width_; }
  void SetWidth(double points) override { width_ = points; }
  int Style() override { return style_; }
  void SetStyle(int style) override { style_ = style; }

private:
  Rgb color_;
  double width_ = 1;
  int style_ = 0;
};

class SimpleFillSymbol final : public com::ComObject<HostSimpleFillSymbol> {
public:
  SimpleFillSymbol();
  com::ComPtr<HostColor> Color() override { return make_color(color_); }
  void SetColor(HostColor* color) override { color_ = rgb_of(color); }
  com::ComPtr<HostLineSymbol> Outline() override { return outline_; }
  void SetOutline(HostLineSymbol* outline) override {
    outline_ = com::ComPtr<HostLineSymbol>(outline);
  }
  int Style() override { return style_; }
  void SetStyle(int style) override { style_ = style; }

private:
  Rgb color_{190, 190, 190};
  com::ComPtr<HostLineSymbol> outline_;
  int style_ = 0;
};

// The marker properties shared by both marker kinds.
template <class Interface> class MarkerSymbolBase : public com::ComObject<Interface> {
public:
  com::ComPtr<HostColor> Color() override { return make_color(color_); }
  void SetColor(HostColor* color) override { color_ = rgb_of(color); }
  double Size() override { return size_; }
  void SetSize(double points) override { size_ = points; }
  double Angle() override { return angle_; }
  void SetAngle(double degrees) override { angle_ = degrees; }
  double XOffset() override { return x_offset_; }
  void SetXOffset(double points) override { x_offset_ = points; }
  double YOffset() override { return y_offset_; }
  void SetYOffset(double points) override { y_offset_ = points; }

private:
  Rgb color_;
  double size_ = 8;
  double angle_ = 0;
  double x_offset_ = 0;
  double y_offset_ = 0;
};

class SimpleMarkerSymbol final : public MarkerSymbolBase<HostSimpleMarkerSymbol> {
public:
  int Style() override { return style_; }
  void SetStyle(int style) override { style_ = style; }

private:
  int style_ = 0;
};

class PictureMarkerSymbol final : public MarkerSymbolBase<HostPictureMarkerSymbol> {
public:
  com::HRESULT CreateMarkerSymbolFromFile(int picture_type, const std::string& path) override;
  std::string PicturePath() override { return path_; }
  com::ComPtr<HostColor> BitmapTransparencyColor() override { return make_color(transparent_); }
  void SetBitmapTransparencyColor(HostColor* color) override { transparent_ = rgb_of(color); }

private:
  std::string path_;
  Rgb transparent_;
};

class TextSymbol final : public com::ComObject<HostTextSymbol, HostLineWidthSet> {
public:
  TextSymbol();
  com::ComPtr<HostColor> Color() override { return make_color(color_); }
  void SetColor(HostColor* color) override { color_ = rgb_of(color); }
  com::ComPtr<StdFont> Font() override { return font_; }
  void SetFont(StdFont* font) override;
  double Size() override;
  void SetSize(double points) override;
  int HorizontalAlignment() override { return horizontal_; }
  void SetHorizontalAlignment(int code) override { horizontal_ = code; }
  int VerticalAlignment() override { return vertical_; }
  void SetVerticalAlignment(int code) override { vertical_ = code; }
  int LineKind() override { return line_kind_; }
  void SetLineKind(int code) override { line_kind_ = code; }
  double LineWidth() override { return line_width_; }
  void SetLineWidth(double points) override { line_width_ = points; }

private:
  Rgb color_;
  com::ComPtr<StdFont> font_;
  int horizontal_ = 1;
  int vertical_ = 2;
  int line_kind_ = 0;
  double line_width_ = 0;
};

} // namespace host
