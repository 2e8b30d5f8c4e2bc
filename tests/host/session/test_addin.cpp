// A small add-in module standing in for the real one in the host's end-to-end sessions: a few
// commands, a map tool, a menu and a toolbar, one dialog and message boxes. The host reaches
// it only through the registry and the add-in interfaces.
#include <cstdio>
#include <string>

#include "com/create.h"
#include "com/module.h"
#include "forms/forms.h"
#include "host/application.h"
#include "host/command.h"
#include "host/command_bar.h"
#include "host/element.h"
#include "host/graphics_container.h"
#include "host/layer.h"
#include "host/progress.h"
#include "host/table_window.h"

namespace {

using com::HRESULT;

// The command members that every test command answers alike.
template <class... Extra> class TestCommand : public com::ComObject<host::ICommand, Extra...> {
public:
  TestCommand(std::string name, std::string caption)
      : name_(std::move(name)), caption_(std::move(caption)) {}

  HRESULT Enabled(bool* enabled) override { return *enabled = true, com::S_OK; }
  HRESULT Checked(bool* checked) override { return *checked = false, com::S_OK; }
  HRESULT Name(std::string* name) override { return *name = name_, com::S_OK; }
  HRESULT Caption(std::string* caption) override { return *caption = caption_, com::S_OK; }
  HRESULT Tooltip(std::string* tooltip) override { return *tooltip = caption_, com::S_OK; }
  HRESULT Message(std::string* message) override { return *message = caption_, com::S_OK; }
  HRESULT HelpFile(std::string* file) override { return file->clear(), com::S_OK; }
  HRESULT HelpContextID(long* id) override { return *id = 0, com::S_OK; }
  HRESULT Bitmap(long* handle) override { return *handle = 0, com::S_OK; }
  HRESULT Category(std::string* category) override { return *category = "Corvane Test", com::S_OK; }
  HRESULT OnCreate(com::IUnknown* hook) override {
    application_ = com::ComPtr<com::IUnknown>(hook).as<host::HostApplication>();
    return com::S_OK;
  }

protected:
  com::ComPtr<host::HostApplication> application_;

private:
  std::string name_;
  std::string caption_;
};

class Hello final : public TestCommand<> {
public:
  Hello() : TestCommand("Hello", "Say \"Hello\"") {}
  HRESULT OnClick() override {
    forms::MsgBox("Hello from the test add-in\nsecond line", "Test Add-in",
                  forms::Icon::Information);
    return com::S_OK;
  }
};

class Ask final : public TestCommand<> {
public:
  Ask() : TestCommand("Ask", "Ask") {}
  HRESULT OnClick() override {
    const auto answer = forms::MsgBox("Keep the layer?", "Test Add-in", forms::Icon::Question,
                                      forms::Buttons::YesNoCancel);
    application_->StatusBar()->SetMessage(0, "Answered " + std::string(forms::name_of(answer)));
    return com::S_OK;
  }
};

class Never final : public TestCommand<> {
public:
  Never() : TestCommand("Never", "Never Enabled") {}
  HRESULT Enabled(bool* enabled) override { return *enabled = false, com::S_OK; }
  HRESULT OnClick() override { return com::E_UNEXPECTED; }
};

// The test's dialog: a layer choice, a note, an option and OK / Cancel.
class PickForm final : public forms::Form {
public:
  PickForm() : Form("PickForm", {.Caption = "Pick A Layer"}) {
    CmdOk.Click = [this] {
      picked = Combo1.Text();
      note = Text1.Text();
      remember = Check1.Value();
      Unload();
    };
    CmdCancel.Click = [this] { Unload(); };
    Text1.KeyDown = [this](int& code, int) {
      if (code == 13)
        CmdOk.Click();
    };
  }
  forms::Label Label1{*this, "Label1", "Select The Layer"};
  forms::ComboBox Combo1{*this, "Combo1", forms::ComboStyle::DropdownList};
  forms::TextBox Text1{*this, "Text1"};
  forms::CheckBox Check1{*this, "Check1", "Remember"};
  forms::CommandButton CmdOk{*this, "CmdOk", "&OK"};
  forms::CommandButton CmdCancel{*this, "CmdCancel", "&CANCEL"};

  std::string picked;
  std::string note;
  int remember = 0;
};
const forms::RegisteredForm<PickForm> registered_pick_form;

class Pick final : public TestCommand<> {
public:
  Pick() : TestCommand("Pick", "Pick A Layer") {}
  HRESULT OnClick() override {
    PickForm form;
    auto map = application_->Document()->FocusMap();
    for (int i = 0; i < map->LayerCount(); ++i)
      form.Combo1.AddItem(map->Layer(i)->Name());
    form.Show(forms::ShowMode::Modal);
    if (form.picked.empty()) {
      forms::MsgBox("Nothing picked", "Test Add-in", forms::Icon::Exclamation);
      return com::S_OK;
    }
    forms::MsgBox("Picked " + form.picked + ", note \"" + form.note + "\", remember " +
                      std::to_string(form.remember),
                  "Test Add-in", forms::Icon::Information);
    return com::S_OK;
  }
};

// Opens a table window on the top layer of the map.
class Table final : public TestCommand<> {
public:
  Table() : TestCommand("Table", "Open Table") {}
  HRESULT OnClick() override {
    auto layer = application_->Document()->FocusMap()->Layer(0).as<host::HostFeatureLayer>();
    auto window = com::create_object<host::HostTableWindow>(host::TableWindowClass);
    if (!layer || !window)
      return com::E_FAIL;
    window->SetLayer(layer.get());
    window->SetApplication(application_.get());
    return window->Show(true);
  }
};

// A modeless progress window over a long operation that the user may stop with Esc.
class WorkForm final : public forms::Form {
public:
  WorkForm() : Form("WorkForm", {.Caption = "Working"}) {}
  forms::Label Label1{*this, "Label1", "Working..."};
  forms::ProgressBar ProgressBar1{*this, "ProgressBar1", 0, 5};
};

class Batch final : public TestCommand<> {
public:
  Batch() : TestCommand("Batch", "Batch") {}
  HRESULT OnClick() override {
    auto tracker = com::create_object<host::HostCancelTracker>(host::CancelTrackerClass);
    if (!tracker)
      return com::E_FAIL;
    WorkForm form;
    form.Show(forms::ShowMode::Modeless);
    int step = 1;
    for (; step <= form.ProgressBar1.Max(); ++step) {
      forms::DoEvents();
      if (!tracker->Continue())
        break;
      form.ProgressBar1.SetValue(step);
    }
    form.Unload();
    forms::MsgBox(step > form.ProgressBar1.Max() ? "Finished"
                                                 : "Stopped before step " + std::to_string(step),
                  "Test Add-in");
    return com::S_OK;
  }
};

// How often the host asked whether the point tool is enabled.
int point_tool_polls = 0;

class Polls final : public TestCommand<> {
public:
  Polls() : TestCommand("Polls", "Polls") {}
  HRESULT OnClick() override {
    forms::MsgBox("Point tool polls: " + std::to_string(point_tool_polls), "Test Add-in");
    return com::S_OK;
  }
};

// Marks each click on the map and tells where the host delivered it.
class PointTool final : public TestCommand<host::ITool> {
public:
  PointTool() : TestCommand("PointTool", "Mark Point") {}
  HRESULT Enabled(bool* enabled) override {
    ++point_tool_polls;
    return *enabled = true, com::S_OK;
  }
  HRESULT OnClick() override { return com::S_OK; }
  HRESULT Cursor(long* cursor) override { return *cursor = 0, com::S_OK; }
  HRESULT OnMouseDown(long button, long shift, long x, long y) override {
    auto document = application_->Document();
    auto transformation = document->ActiveView()->ScreenDisplay()->DisplayTransformation();
    auto point = transformation->ToMapPoint(static_cast<int>(x), static_cast<int>(y));
    auto marker = com::create_object<host::HostElement>(host::MarkerElementClass);
    if (!marker)
      return com::E_FAIL;
    marker->SetGeometry(point.get());
    auto graphics = document->FocusMap().as<host::HostGraphicsContainer>();
    if (const auto hr = graphics->AddElement(marker.get(), 0); com::FAILED(hr))
      return hr;
    forms::MsgBox("Clicked pixel " + std::to_string(x) + " " + std::to_string(y) + " button " +
                      std::to_string(button) + " shift " + std::to_string(shift),
                  "Test Add-in");
    return com::S_OK;
  }
  HRESULT OnMouseMove(long, long, long, long) override { return com::S_OK; }
  HRESULT OnMouseUp(long, long, long, long) override { return com::S_OK; }
  HRESULT OnDblClick() override { return com::S_OK; }
  HRESULT OnKeyDown(long, long) override { return com::S_OK; }
  HRESULT OnKeyUp(long, long) override { return com::S_OK; }
  HRESULT OnContextMenu(long, long, bool* handled) override { return *handled = false, com::S_OK; }
  HRESULT Refresh(long) override { return com::S_OK; }
  HRESULT Deactivate(bool* deactivated) override { return *deactivated = true, com::S_OK; }
};

struct BarItem {
  const char* prog_id;
  bool group;
};

// A menu or toolbar definition over a fixed list of items.
template <class Definition, class... Extra>
class TestBar : public com::ComObject<Definition, Extra...> {
public:
  TestBar(std::string name, std::string caption, std::vector<BarItem> items)
      : name_(std::move(name)), caption_(std::move(caption)), items_(std::move(items)) {}
  HRESULT ItemCount(long* count) override {
    return *count = static_cast<long>(items_.size()), com::S_OK;
  }
  HRESULT GetItemInfo(long position, host::HostItemDef* item) override {
    if (static_cast<unsigned long>(position) >= items_.size())
      return com::S_OK;
    const auto& entry = items_[static_cast<std::size_t>(position)];
    if (const auto hr = item->SetID(entry.prog_id); com::FAILED(hr))
      return hr;
    return item->SetGroup(entry.group);
  }
  HRESULT Name(std::string* name) override { return *name = name_, com::S_OK; }
  HRESULT Caption(std::string* caption) override { return *caption = caption_, com::S_OK; }

private:
  std::string name_;
  std::string caption_;
  std::vector<BarItem> items_;
};

class TestMenu final : public TestBar<host::IMenuDef, host::IRootLevelMenu> {
public:
  TestMenu()
      : TestBar("CorvaneTestMenu", "Corvane Test",
                {{"CorvaneTest.Hello", false},
                 {"CorvaneTest.OptionsMenu", true},
                 {"CorvaneTest.Ask", true},
                 {"CorvaneTest.Pick", false},
                 {"CorvaneTest.Never", false},
                 {"CorvaneTest.Batch", true}}) {}
};

class OptionsMenu final : public TestBar<host::IMenuDef, host::IRootLevelMenu> {
public:
  OptionsMenu() : TestBar("Options", "Options", {{"CorvaneTest.Pick", false}}) {}
};

class TestToolbar final : public TestBar<host::IToolBarDef> {
public:
  TestToolbar()
      : TestBar("CorvaneTest", "Corvane Test",
                {{"CorvaneTest.TestMenu", false},
                 {"CorvaneTest.PointTool", true},
                 {"CorvaneTest.Hello", false}}) {}
};

} // namespace

COM_CLASS(Hello, "CorvaneTest.Hello", "B83A3A80-65B3-4456-A444-2960B3508FE0",
          host::CommandsCategory)
COM_CLASS(Ask, "CorvaneTest.Ask", "265CB369-292C-40EF-8FF8-55492A23EE33", host::CommandsCategory)
COM_CLASS(Never, "CorvaneTest.Never", "B65C4334-23B2-4CD2-A912-FFB22E98B04B",
          host::CommandsCategory)
COM_CLASS(Pick, "CorvaneTest.Pick", "11B01E32-D865-4821-894F-584119AF3247", host::CommandsCategory)
COM_CLASS(Table, "CorvaneTest.Table", "5E7A2C91-8D4B-4F0E-A3C6-1B9D7E2F4A58",
          host::CommandsCategory)
COM_CLASS(Batch, "CorvaneTest.Batch", "7B0C5E0A-3F21-4D7C-9C7E-2A51C0D9E6B4",
          host::CommandsCategory)
COM_CLASS(Polls, "CorvaneTest.Polls", "C4D2E8A1-6B3F-4A97-8E15-0F2B7C9D3E64",
          host::CommandsCategory)
COM_CLASS(PointTool, "CorvaneTest.PointTool", "F232E0F2-30AF-46C3-9498-2B84563CB0EF",
          host::CommandsCategory)
COM_CLASS(TestMenu, "CorvaneTest.TestMenu", "31678BA9-DC1F-43C5-A822-6C7E79F329B6",
          host::CommandBarsCategory)
COM_CLASS(OptionsMenu, "CorvaneTest.OptionsMenu", "3CCB4C93-4225-45F0-B57C-7BCF3055874F",
          host::CommandBarsCategory)
COM_CLASS(TestToolbar, "CorvaneTest.TestToolbar", "69A75710-14BA-42F1-8D1D-AB0967286C90",
          host::CommandBarsCategory)
COM_MODULE_EXPORTS()
