#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "forms/forms.h"

namespace corvane {

// The route colour dialog: a palette of 18 swatches (Picture2 .. Picture19, 6 columns by 3
// rows) and a red, green and blue slider (Slider1(0..2), 0..255) with a colour box each
// (Picture1(0..2)) and a preview (Shape2). OK makes the colour the route colour and writes it
// to [Color] of "Corvane.ini"; Cancel or the close box change nothing.
class Coloring : public forms::Form {
public:
  Coloring();

  forms::Frame Frame1{
      *this, "Frame1", "Basic Color", {.Left = 120, .Top = 120, .Width = 3135, .Height = 1815}};
  forms::Frame Frame2{
      *this, "Frame2", "Color", {.Left = 120, .Top = 2040, .Width = 3135, .Height = 2535}};
  forms::Label Label1{
      Frame2,
      "Label1",
      "Red:",
      {.ForeColor = forms::Rgb(255, 0, 0), .Left = 120, .Top = 300, .Width = 615, .Height = 255}};
  forms::Label Label2{
      Frame2,
      "Label2",
      "Green:",
      {.ForeColor = forms::Rgb(0, 255, 0), .Left = 120, .Top = 1020, .Width = 615, .Height = 255}};
  forms::Label Label3{
      Frame2,
      "Label3",
      "Blue:",
      {.ForeColor = forms::Rgb(0, 0, 255), .Left = 120, .Top = 1740, .Width = 615, .Height = 255}};
  forms::Shape Shape1{Frame2,
                      "Shape1",
                      forms::Rgb(255, 0, 0),
                      {.Left = 120, .Top = 600, .Width = 255, .Height = 135}};
  forms::Shape Shape3{Frame2,
                      "Shape3",
                      forms::Rgb(0, 255, 0),
                      {.Left = 120, .Top = 1320, .Width = 255, .Height = 135}};
  forms::Shape Shape4{Frame2,
                      "Shape4",
                      forms::Rgb(0, 0, 255),
                      {.Left = 120, .Top = 2040, .Width = 255, .Height = 135}};
  forms::ControlArray<forms::PictureBox> Picture1{
      Frame2, "Picture1", 3, forms::Look{.Left = 840, .Top = 300, .Width = 2175, .Height = 255}};
  forms::ControlArray<forms::Slider> Slider1{
      Frame2,
      "Slider1",
      3,
      0,
      255,
      0,
      forms::Look{.Left = 840, .Top = 600, .Width = 2175, .Height = 315}};
  forms::Shape Shape2{*this,
                      "Shape2",
                      forms::Rgb(255, 255, 255),
                      {.Left = 3480, .Top = 240, .Width = 1335, .Height = 1335}};
  forms::CommandButton CmdOk{
      *this, "CmdOk", "OK", {.Left = 3480, .Top = 3600, .Width = 1215, .Height = 375}};
  forms::CommandButton CmdCancel{
      *this, "CmdCancel", "Cancel", {.Left = 3480, .Top = 4080, .Width = 1215, .Height = 375}};

  // The colour being edited.
  std::int32_t Red = 0;
  std::int32_t Green = 0;
  std::int32_t Blue = 0;

  // 1 after OK, 2 after Cancel.
  std::int16_t DialogResult() const { return dialog_result_; }

  // Shows Red, Green and Blue in the colour boxes, the preview and the sliders.
  void UpdateMyColors();

protected:
  void Form_Load() override;

private:
  void add_swatches();
  void choose(std::int32_t red, std::int32_t green, std::int32_t blue);
  void slider_moved();
  void accept();

  std::vector<std::unique_ptr<forms::PictureBox>> swatches_;
  std::int16_t dialog_result_ = 0;
  // The sliders follow the colour while UpdateMyColors sets them: their change events must not
  // read the other sliders before those are set too.
  bool updating_ = false;
};

// The shared instance, made on first use.
Coloring& gColoringForm();

} // namespace corvane
