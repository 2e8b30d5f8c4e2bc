#include "network/clear_result.h"

#include "network/result_clearing.h"
#include "network/state/handler_end.h"

namespace corvane {

ClearResult::ClearResult()
    : CommandBase({.Caption = "Clear Results",
                   .Name = "Clear Corvane Results",
                   .Tooltip = "Clear Results",
                   .Message = "Clears the various results of Corvane",
                   .BitmapId = 7032}) {}

void ClearResult::click() {
  ClearResults(require(document(), "Document").get());
}

} // namespace corvane
