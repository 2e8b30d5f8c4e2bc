#include "network/clear_result.h"

#include "common/handler_end.h"
#include "network/result_clearing.h"

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
