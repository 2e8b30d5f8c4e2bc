#include "network/clear_result.h"

namespace corvane {

ClearResult::ClearResult()
    : CommandBase({.Caption = "Clear Results",
                   .Name = "Clear Corvane Results",
                   .Tooltip = "Clear Results",
                   .Message = "Clears the various results of Corvane",
                   .BitmapId = 7032}) {}

} // namespace corvane
