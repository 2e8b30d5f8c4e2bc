#include "dialogs/network/coloring.h"

#include <string>

#include "common/unwritten_settings.h"
#include "network/state/settings_files.h"
#include "network/state/shared_state.h"

namespace corvane {

namespace {

struct Swatch {
  forms::Color shown;
  int red, green, blue; // the colour a click sets
};

// By column, top to bottom: the light tints set 130 or 132 where they show 128, and 195 or 198
// where they show 192.
constexpr Swatch swatches[18] = {
    {forms::Rgb(255, 128, 128), 255, 130, 132}, {forms::Rgb(255, 0, 0), 255, 0, 0},
    {forms::Rgb(192, 0, 0), 198, 0, 0},         {forms::Rgb(255, 192, 255), 255, 195, 255},
    {forms::Rgb(255, 128, 255), 255, 130, 255}, {forms::Rgb(255, 0, 255), 255, 0, 255},
    {forms::Rgb(255, 255, 192), 255, 255, 198}, {forms::Rgb(255, 255, 0), 255, 255, 0},
    {forms::Rgb(192, 192, 0), 198, 195, 0},     {forms::Rgb(128, 255, 128), 132, 255, 132},
    {forms::Rgb(0, 255, 0), 0, 255, 0},         {forms::Rgb(0, 192, 0), 0, 195, 0},
    {forms::Rgb(192, 255, 255), 198, 255, 255}, {forms::Rgb(128, 255, 255), 132, 255, 255},
    {forms::Rgb(0, 192, 192), 0, 195, 198},     {forms::Rgb(192, 192, 255), 198, 195, 255},
    {forms::Rgb(128, 128, 255), 132, 130, 255}, {forms::Rgb(0, 0, 255), 0, 0, 255},
};

constexpr int swatch_size = 375;
constexpr int swatch_step = 480;

} // namespace

Coloring::Coloring() : Form("Coloring", {.Caption = "Route Color", .Width = 5055, .Height = 5175}) {
  add_swatches();
  Slider1.Bind(&forms::Slider::Change, [this](int) { slider_moved(); });
  CmdOk.Click = [this] { accept(); };
  CmdCancel.Click = [this] {
    dialog_result_ = 2;
    Unload();
  };
}

void Coloring::add_swatches() {
  for (int i = 0; i < 18; ++i) {
    const int column = i / 3, row = i % 3;
    auto swatch =
        std::make_unique<forms::PictureBox>(Frame1, "Picture" + std::to_string(i + 2),
                                            forms::Look{.BackColor = swatches[i].shown,
                                                        .Left = 120 + column * swatch_step,
                                                        .Top = 300 + row * swatch_step,
                                                        .Width = swatch_size,
                                                        .Height = swatch_size});
    swatch->Click = [this, i] { choose(swatches[i].red, swatches[i].green, swatches[i].blue); };
    swatches_.push_back(std::move(swatch));
  }
}

void Coloring::Form_Load() {
  const auto& state = shared_state();
  dialog_result_ = 0;
  Red = state.gRouteColorRed;
  Green = state.gRouteColorGreen;
  Blue = state.gRouteColorBlue;
  UpdateMyColors();
}

void Coloring::UpdateMyColors() {
  updating_ = true;
  Picture1(0).SetBackColor(forms::Rgb(Red, 0, 0));
  Picture1(1).SetBackColor(forms::Rgb(0, Green, 0));
  Picture1(2).SetBackColor(forms::Rgb(0, 0, Blue));
  Shape2.SetFillColor(forms::Rgb(Red, Green, Blue));
  Slider1(0).SetValue(Red);
  Slider1(1).SetValue(Green);
  Slider1(2).SetValue(Blue);
  updating_ = false;
}

void Coloring::choose(std::int32_t red, std::int32_t green, std::int32_t blue) {
  Red = red;
  Green = green;
  Blue = blue;
  UpdateMyColors();
}

void Coloring::slider_moved() {
  if (updating_)
    return;
  choose(Slider1(0).Value(), Slider1(1).Value(), Slider1(2).Value());
}

void Coloring::accept() {
  auto& state = shared_state();
  const auto red = static_cast<std::int16_t>(Slider1(0).Value());
  const auto green = static_cast<std::int16_t>(Slider1(1).Value());
  const auto blue = static_cast<std::int16_t>(Slider1(2).Value());
  // The colour takes effect once the file holds it, so that the two never disagree.
  const auto ini = NetworkIniFile(state.gNetworkFolder);
  if (!SettingsWritten(settings::write_colour(ini, red, green, blue), ini))
    return;
  state.gRouteColorRed = red;
  state.gRouteColorGreen = green;
  state.gRouteColorBlue = blue;
  dialog_result_ = 1;
  Unload();
}

Coloring& gColoringForm() {
  thread_local Coloring form;
  return form;
}

namespace {
// For listings of every dialog (gishost --forms).
const forms::RegisteredForm<Coloring> registered_coloring;
} // namespace

} // namespace corvane
