#pragma once

#include <string_view>

#include "command/command_base.h"
#include "common/check_network_ready.h"
#include "maintenance/link_list.h"
#include "maintenance/link_tools.h"

namespace corvane {

// What tells the open-road tool and the default-speed tool apart.
template <class Row> struct LinkListSteps {
  LinkList<Row> (*list)();       // the list the tool empties
  std::string_view caption;      // FrmDefRoadSp's caption
  bool with_labels;              // "All" also deletes the labels at the markers
  std::string_view select_text;  // told after "Select"
  LeadingTests click_tests;      // before each click takes a link out
  std::string_view no_link_text; // a click on no link of the list
  bool stamps_edited;            // the answer marks the network edited ("EDITED")
};

// A map tool that takes links out of one of the maintenance lists. Choosing the tool asks "All"
// or "Select" (FrmDefRoadSp): "All" empties the list at once, with its markers; "Select" lets
// each click take the link under it out, for as long as the latest answer of that dialog is
// "Select". The tool is enabled only while the list holds a link. A tool that `stamps_edited`
// writes the stamp with the emptied list in one write of "Corvane.ini" on "All", and alone on
// any other answer.
template <class Row> class LinkListTool : public ToolBase {
protected:
  LinkListTool(const CommandProperties& properties, const LinkListSteps<Row>& steps)
      : ToolBase(properties), steps_(steps) {}

  bool enabled() override;
  void click() final;
  void mouse_down(long button, long shift, long x, long y) final;

  // Between the pre-check and the question: false ends the choice without asking.
  virtual bool may_ask() { return true; }

private:
  const LinkListSteps<Row> steps_;
  // The map and network layer of the last OnClick that passed the pre-check.
  NetworkLinkView kept_;
};

} // namespace corvane
