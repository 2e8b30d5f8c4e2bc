#pragma once

#include <string>
#include <string_view>

#include "com/unknown.h"
#include "host/color.h"

namespace host {

// The standard font object (name, size in points, bold) that text symbols carry.
struct StdFont : com::IUnknown {
  COM_INTERFACE(StdFont, com::IUnknown, "3EA6F7F6-DE28-4390-9206-A4C07A5EDD9E")
  virtual std::string Name() = 0;
  virtual void SetName(const std::string& name) = 0;
  virtual double Size() = 0;
  virtual void SetSize(double points) = 0;
  virtual bool Bold() = 0;
  virtual void SetBold(bool bold) = 0;
};

// Every symbol; the concrete kind is found by asking for the interfaces below.
struct HostSymbol : com::IUnknown {
  COM_INTERFACE(HostSymbol, com::IUnknown, "289E88B9-2E10-4F75-A9FC-6E9C2861B732")
};

// Colour getters hand out a copy: changing it does not change the symbol until set back.
struct HostLineSymbol : HostSymbol {
  COM_INTERFACE(HostLineSymbol, HostSymbol, "ADC122AF-666A-452A-AA8E-571D9B55EE05")
  virtual com::ComPtr<HostColor> Color() = 0;
  virtual void SetColor(HostColor* color) = 0;
  virtual double Width() = 0;
  virtual void SetWidth(double points) = 0;
};

// Style 0 = solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 null (not drawn).
struct HostSimpleLineSymbol : HostLineSymbol {
  COM_INTERFACE(HostSimpleLineSymbol, HostLineSymbol, "520F1780-168B-492A-BE0D-21BA112B7827")
  virtual int Style() = 0;
  virtual void SetStyle(int style) = 0;
};

struct HostFillSymbol : HostSymbol {
  COM_INTERFACE(HostFillSymbol, HostSymbol, "41B10628-B55C-487B-BD38-5476ADC08058")
  virtual com::ComPtr<HostColor> Color() = 0;
  virtual void SetColor(HostColor* color) = 0;
  // The outline; null draws none.
  virtual com::ComPtr<HostLineSymbol> Outline() = 0;
  virtual void SetOutline(HostLineSymbol* outline) = 0;
};

// Style 0 = solid, 1 null (hollow); other codes are hatches, drawn as solid.
struct HostSimpleFillSymbol : HostFillSymbol {
  COM_INTERFACE(HostSimpleFillSymbol, HostFillSymbol, "BC67E87C-BDC6-4578-8722-42C85A56821A")
  virtual int Style() = 0;
  virtual void SetStyle(int style) = 0;
};

// Size in points; the map treats a point as one screen pixel when it locates or draws markers.
struct HostMarkerSymbol : HostSymbol {
  COM_INTERFACE(HostMarkerSymbol, HostSymbol, "1727B2F0-E228-4C00-93A0-A27CCE6143E8")
  virtual com::ComPtr<HostColor> Color() = 0;
  virtual void SetColor(HostColor* color) = 0;
  virtual double Size() = 0;
  virtual void SetSize(double points) = 0;
  virtual double Angle() = 0;
  virtual void SetAngle(double degrees) = 0;
  virtual double XOffset() = 0;
  virtual void SetXOffset(double points) = 0;
  virtual double YOffset() = 0;
  virtual void SetYOffset(double points) = 0;
};

// Style 0 = circle, 1 square, 2 cross, 3 x, 4 diamond.
struct HostSimpleMarkerSymbol : HostMarkerSymbol {
  COM_INTERFACE(HostSimpleMarkerSymbol, HostMarkerSymbol, "AF24F40D-1302-4676-A64E-ADC00FDD7871")
  virtual int Style() = 0;
  virtual void SetStyle(int style) = 0;
};

// A marker drawn from a picture file. CreateMarkerSymbolFromFile(1 = bitmap, path) fails
// with E_FAIL when the file does not exist or is not a bitmap, and leaves the symbol as it was.
struct HostPictureMarkerSymbol : HostMarkerSymbol {
  COM_INTERFACE(HostPictureMarkerSymbol, HostMarkerSymbol, "8DBD3439-4FE5-46F5-9953-E6BBDC206EB3")
  virtual com::HRESULT CreateMarkerSymbolFromFile(int picture_type, const std::string& path) = 0;
  virtual std::string PicturePath() = 0;
  // The colour of the bitmap drawn transparent.
  virtual com::ComPtr<HostColor> BitmapTransparencyColor() = 0;
  virtual void SetBitmapTransparencyColor(HostColor* color) = 0;
};

// Text symbols: colour, font and size (the font's size, in points).
struct HostTextSymbol : HostSymbol {
  COM_INTERFACE(HostTextSymbol, HostSymbol, "1E0BB4DD-CE5B-497D-9A88-C35DA7D9F6DE")
  virtual com::ComPtr<HostColor> Color() = 0;
  virtual void SetColor(HostColor* color) = 0;
  virtual com::ComPtr<StdFont> Font() = 0;
  virtual void SetFont(StdFont* font) = 0;
  virtual double Size() = 0;
  virtual void SetSize(double points) = 0;
  // Horizontal 0 left, 1 centre, 2 right; vertical 0 top, 1 centre, 2 baseline, 3 bottom.
  virtual int HorizontalAlignment() = 0;
  virtual void SetHorizontalAlignment(int code) = 0;
  virtual int VerticalAlignment() = 0;
  virtual void SetVerticalAlignment(int code) = 0;
};

// The line side of a text symbol (its halo line): a width and a kind code, kept as set.
struct HostLineWidthSet : com::IUnknown {
  COM_INTERFACE(HostLineWidthSet, com::IUnknown, "EA470C45-0B2C-4029-8F90-55D799941DB7")
  virtual int LineKind() = 0;
  virtual void SetLineKind(int code) = 0;
  virtual double LineWidth() = 0;
  virtual void SetLineWidth(double points) = 0;
};

inline constexpr std::string_view StdFontClass = "StdFont";
inline constexpr std::string_view SimpleLineSymbolClass = "esricore.SimpleLineSymbol";
inline constexpr std::string_view SimpleFillSymbolClass = "esricore.SimpleFillSymbol";
inline constexpr std::string_view SimpleMarkerSymbolClass = "esricore.SimpleMarkerSymbol";
inline constexpr std::string_view PictureMarkerSymbolClass = "esricore.PictureMarkerSymbol";
inline constexpr std::string_view TextSymbolClass = "esricore.TextSymbol";

} // namespace host
