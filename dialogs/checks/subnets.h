#pragma once

#include "com/unknown.h"
#include "forms/forms.h"
#include "host/layer.h"
#include "host/map.h"

namespace corvane {

// "Show Subnets": the subnet check fills TotNets with the numbers 1..gSubnetCount and shows
// the dialog modally. SHOW selects the links of the chosen subnet ("CV_RESULT" = its number)
// and brings the map to one of them; CLOSE selects the links of every subnet, shows the whole
// network layer and unloads the dialog, which empties the list. Closing by the frame leaves the
// map as it is.
class Subnets : public forms::Form {
public:
  Subnets();

  forms::Frame Frame1{
      *this, "Frame1", "Show Subnets", {.Left = 120, .Top = 120, .Width = 2415, .Height = 2535}};
  forms::ListBox TotNets{Frame1, "TotNets", {}, {.Left = 240, .Top = 360, .Width = 1935, .Height = 1980}};
  forms::CommandButton CmdShow{
      *this, "CmdShow", "&SHOW", {.Left = 2760, .Top = 480, .Width = 1215, .Height = 375}};
  forms::CommandButton CmdOk{
      *this, "CmdOk", "&CLOSE", {.Left = 2760, .Top = 1080, .Width = 1215, .Height = 375}};

protected:
  void Form_Load() override;
  void Form_Activate() override;

private:
  void CmdShow_Click();
  void CmdOk_Click();

  com::ComPtr<host::HostMap> map_;
  com::ComPtr<host::HostFeatureLayer> network_layer_;
};

// The shared instance, made on first use.
Subnets& gSubnetsForm();

} // namespace corvane
