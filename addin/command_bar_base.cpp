#include "addin/command_bar_base.h"

#include <string>

namespace corvane {

com::HRESULT fill_item_info(const BarContents& contents, long position, host::HostItemDef* item) {
  if (static_cast<unsigned long>(position) >= contents.Items.size())
    return com::S_OK;
  if (!item)
    return com::E_POINTER;
  const BarItem& row = contents.Items[static_cast<std::size_t>(position)];
  if (const auto hr = item->SetID(std::string(row.ProgID)); com::FAILED(hr))
    return hr;
  return item->SetGroup(row.Group);
}

} // namespace corvane
