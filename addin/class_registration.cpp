#include "addin/about.h"
#include "addin/analize.h"
#include "addin/corvane1.h"
#include "addin/corvbar.h"
#include "addin/help.h"
#include "addin/network.h"
#include "addin/preference.h"
#include "addin/route_batch.h"
#include "checks/add_node_shp.h"
#include "checks/close_node.h"
#include "checks/cul_de_sac.h"
#include "checks/parallel_link.h"
#include "checks/pseudo_nodes.h"
#include "checks/subnet.h"
#include "checks/unused_link.h"
#include "com/module.h"
#include "host/command.h"
#include "host/command_bar.h"
#include "isochrones/batch_iso_chrone.h"
#include "isochrones/iso_link_multi.h"
#include "isochrones/iso_poly.h"
#include "isochrones/iso_poly3.h"
#include "isochrones/isochrone.h"
#include "isochrones/link_isochrone.h"
#include "isochrones/multy_poly.h"
#include "maintenance/close_link.h"
#include "maintenance/open_link.h"
#include "maintenance/set_def.h"
#include "maintenance/set_dyn_speed.h"
#include "maintenance/speed_set.h"
#include "maintenance/update_class.h"
#include "network/clear_result.h"
#include "network/close_network.h"
#include "network/create_network.h"
#include "network/rout_clr.h"
#include "routing/batch_route.h"
#include "routing/route_options.h"
#include "routing/routefinal.h"
#include "routing/selection_by_location.h"
#include "tsp/tsp_final.h"
#include "tsp/tsp_option.h"
#include "tsp/tsp_tables.h"

// The classes of the add-in, each created by the ProgID "Corvane." followed by its name. The
// host builds its menus and toolbars from the command-bars category and creates the commands
// and tools they list from the commands category.
namespace corvane {

COM_CLASS(Corvane1, "Corvane.Corvane1", "{28C2A512-88B0-4E60-BBB8-16F663DDA851}",
          host::CommandBarsCategory)
COM_CLASS(Network, "Corvane.Network", "{ECB4C353-852E-4D76-BEA0-664456CAAA81}",
          host::CommandBarsCategory)
COM_CLASS(Preference, "Corvane.Preference", "{A4121528-A94E-4084-9C0F-F5744D60C828}",
          host::CommandBarsCategory)
COM_CLASS(RouteBatch, "Corvane.RouteBatch", "{5455744B-3CB1-4DF4-8568-915B6C10BF8A}",
          host::CommandBarsCategory)
COM_CLASS(Analize, "Corvane.Analize", "{A3DC3C46-C4B8-4B88-B148-ED1E22D34610}",
          host::CommandBarsCategory)
COM_CLASS(Corvbar, "Corvane.Corvbar", "{CA1A8FF7-EBBD-46D2-B3C1-611C4260CA3F}",
          host::CommandBarsCategory)

COM_CLASS(CreateNetwork, "Corvane.CreateNetwork", "{021925F4-A92C-43DB-891A-599EFFBF3FE9}",
          host::CommandsCategory)
COM_CLASS(CloseNetwork, "Corvane.CloseNetwork", "{FB3F0C97-1E05-4A63-9376-9CB361CB0E3F}",
          host::CommandsCategory)
COM_CLASS(ClearResult, "Corvane.ClearResult", "{332CC3C4-9CBE-4886-8317-0136F602C76D}",
          host::CommandsCategory)
COM_CLASS(RoutClr, "Corvane.RoutClr", "{37E44CE9-D091-4D82-B9D4-625F5357BDF3}",
          host::CommandsCategory)
COM_CLASS(About, "Corvane.About", "{54E2477F-ECC5-4E87-B988-35105185E2F5}", host::CommandsCategory)
COM_CLASS(Help, "Corvane.Help", "{3CB90CA9-BB77-4D35-B1F5-9C87637D5C67}", host::CommandsCategory)
COM_CLASS(Routefinal, "Corvane.Routefinal", "{BDE24536-4C7F-4C22-AE98-BA959A5A465C}",
          host::CommandsCategory)
COM_CLASS(RouteOptions, "Corvane.RouteOptions", "{DCE6A932-4D6E-4CC8-85B9-56A94397AF9B}",
          host::CommandsCategory)
COM_CLASS(SelectionByLocation, "Corvane.SelectionByLocation",
          "{1E261778-9AC6-42AA-8C74-8A2717F74B11}", host::CommandsCategory)
COM_CLASS(BatchRoute, "Corvane.BatchRoute", "{B85C0235-30BC-4B18-8DA4-A4E3E4B5AE9F}",
          host::CommandsCategory)
COM_CLASS(Isochrone, "Corvane.Isochrone", "{4511EAE7-A0AE-4087-8EC9-B9CEECD48BA1}",
          host::CommandsCategory)
COM_CLASS(LinkIsochrone, "Corvane.LinkIsochrone", "{43197640-EFC7-4470-B8F1-BBFF0501BCCC}",
          host::CommandsCategory)
COM_CLASS(IsoLinkMulti, "Corvane.IsoLinkMulti", "{DDB7DE4E-E3A1-453E-B30D-57AD008C5A35}",
          host::CommandsCategory)
COM_CLASS(IsoPoly, "Corvane.IsoPoly", "{89078C70-1495-4BC6-A0A0-730BFB64818A}",
          host::CommandsCategory)
COM_CLASS(MultyPoly, "Corvane.MultyPoly", "{9DF6DBB8-9145-4700-A730-356663DC0D1E}",
          host::CommandsCategory)
COM_CLASS(IsoPoly3, "Corvane.IsoPoly3", "{E6D59B2A-9317-4B99-880E-E35482221F9E}",
          host::CommandsCategory)
COM_CLASS(BatchIsoChrone, "Corvane.BatchIsoChrone", "{E5AECAEF-CDC3-448A-95F1-00531916C9D0}",
          host::CommandsCategory)
COM_CLASS(TspFinal, "Corvane.TspFinal", "{A80A4A80-08E5-4959-8BFC-EDC519A96048}",
          host::CommandsCategory)
COM_CLASS(TspOption, "Corvane.TspOption", "{A0DEBF32-0DDF-4E90-BF22-ED3BDBD90121}",
          host::CommandsCategory)
COM_CLASS(TspTables, "Corvane.TspTables", "{B2A0E180-74DB-4875-BEC0-0ED65D3AD7F8}",
          host::CommandsCategory)
COM_CLASS(CloseLink, "Corvane.CloseLink", "{C0377AC4-1462-4481-A3F9-D2E3822FF835}",
          host::CommandsCategory)
COM_CLASS(OpenLink, "Corvane.OpenLink", "{77F3066D-982C-4524-ABD6-F92ED3B32BA4}",
          host::CommandsCategory)
COM_CLASS(SetDynSpeed, "Corvane.SetDynSpeed", "{C6885C83-D599-4592-806F-0E125C6D3F6C}",
          host::CommandsCategory)
COM_CLASS(SetDef, "Corvane.SetDef", "{A06C1649-2B3F-47FC-B870-2D66A3C8FBB7}",
          host::CommandsCategory)
COM_CLASS(SpeedSet, "Corvane.SpeedSet", "{005C45B2-3FF7-4AF5-B13B-E4752F1587F8}",
          host::CommandsCategory)
COM_CLASS(UpdateClass, "Corvane.UpdateClass", "{F0B6E2D4-28ED-451A-A8AC-FB8A2DDB18EA}",
          host::CommandsCategory)
COM_CLASS(CulDeSac, "Corvane.CulDeSac", "{278395A6-CA98-434C-9C13-A5CF0FF7D27D}",
          host::CommandsCategory)
COM_CLASS(ParallelLink, "Corvane.ParallelLink", "{22614CA8-F2AC-4861-9520-54AF75E7E3E2}",
          host::CommandsCategory)
COM_CLASS(Subnet, "Corvane.Subnet", "{D9484D23-4D86-4A86-BB80-277C6E158AA9}",
          host::CommandsCategory)
COM_CLASS(CloseNode, "Corvane.CloseNode", "{07F68C76-6996-4032-9D19-8DCCA566B6B8}",
          host::CommandsCategory)
COM_CLASS(AddNodeShp, "Corvane.AddNodeShp", "{E75DE0C2-CB3B-4843-BFB6-B1B2A8CA949F}",
          host::CommandsCategory)
COM_CLASS(UnusedLink, "Corvane.UnusedLink", "{8F5E2D36-7798-41B7-BD23-A1CA766506DB}",
          host::CommandsCategory)
COM_CLASS(PseudoNodes, "Corvane.PseudoNodes", "{23A41772-4678-4BA3-8F6D-AB0E2742755B}",
          host::CommandsCategory)

} // namespace corvane
