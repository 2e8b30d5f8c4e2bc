#pragma once

#include <string>

#include "com/object.h"
#include "host/legend_file.h"

namespace host {

// Legend files are text, one item a line, fields separated by tabs:
//   corvane-legend<TAB>1
//   renderer<TAB>simple                     then one line: class<TAB>LABEL<TAB>SYMBOL...
//   renderer<TAB>class-breaks<TAB>FIELD<TAB>MINIMUM
//                                           then per class: class<TAB>UPPER<TAB>LABEL<TAB>SYMBOL...
//   renderer<TAB>unique-value<TAB>FIELD     then per value:
//   class<TAB>VALUE<TAB>HEADING<TAB>LABEL<TAB>SYMBOL...
// SYMBOL is one of
//   line<TAB>R<TAB>G<TAB>B<TAB>WIDTH<TAB>STYLE
//   fill<TAB>R<TAB>G<TAB>B<TAB>STYLE<TAB>(the outline as a line symbol, or "none")
//   marker<TAB>R<TAB>G<TAB>B<TAB>SIZE<TAB>STYLE
// For example the route legend:
//   corvane-legend	1
//   renderer	simple
//   class	Route	line	255	0	0	2	0
class LegendFile final : public com::ComObject<HostLegendFile> {
public:
  com::HRESULT LoadRenderer(const std::string& path,
                            com::ComPtr<HostFeatureRenderer>* renderer) override;
  com::HRESULT SaveRenderer(const std::string& path, HostFeatureRenderer* renderer) override;
};

} // namespace host
