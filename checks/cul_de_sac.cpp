#include "checks/cul_de_sac.h"

namespace corvane {

CulDeSac::CulDeSac()
    : CommandBase({.Caption = "Detect Cul-De-Sac",
                   .Name = "Detects the Cul_De_Sacs in the Network",
                   .Tooltip = "Cul_De_Sac",
                   .Message = "Detects the Cul_De_Sac in the Network",
                   .BitmapId = 7050}) {}

} // namespace corvane
