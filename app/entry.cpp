// Start-up entry, the menu action table and the launchers.
#include <cstdio>
#include <exception>
#include <NXOpen/NXMessageBox.hxx>
#include <NXOpen/UI.hxx>
#include <uf.h>
#include <uf_mb.h>
#include "app/commands.hpp"
#include "attributes/delete_xiantong.hpp"
#include "attributes/qel_shuxinV30.hpp"
#include "attributes/shuxingjiancha.hpp"
#include "common/report.hpp"
#include "components/delete_attr.hpp"
#include "components/tuhao_xiegai.hpp"
#include "components/zujian.hpp"
#include "drawings/BlockStyler2D.hpp"
#include "tools/TWO_CYL_tool.hpp"
#include "tools/boark.hpp"
#include "tools/bom.hpp"
#include "tools/shitu_shichu.hpp"
#include "tools/wucanku.hpp"
#include "tools/zidongbom.hpp"

#define DLLEXPORT extern "C" __attribute__((visibility("default")))

namespace {

// Creates the dialog, shows it modally and deletes it; whatever escapes ends in the error box.
template <class C>
int launch() {
    C* dialog = nullptr;
    try {
        dialog = new C();
        dialog->Show();
    } catch (std::exception& ex) {
        NXOpen::UI::GetUI()->NXMessageBox()->Show("Block Styler", NXOpen::NXMessageBox::DialogTypeError, ex.what());
    }
    if (dialog != nullptr) {
        delete dialog;
        dialog = nullptr;
    }
    return 0;
}

template <int (*Command)()>
UF_MB_cb_status_t action(UF_MB_widget_t, UF_MB_data_t, UF_MB_activated_button_p_t) {
    Command();
    return UF_MB_CB_CONTINUE;
}

UF_MB_action_t actionTable[] = {
    {const_cast<char*>("drawing"), action<launch<BlockStyler2D>>, nullptr},
    {const_cast<char*>("attrV2"), action<launch<qel_shuxinV30>>, nullptr},
    {const_cast<char*>("bom_shuchu"), action<launch<bom>>, nullptr},
    {const_cast<char*>("attr_jiancha"), action<launch<shuxingjiancha>>, nullptr},
    {const_cast<char*>("genxinbom"), action<launch<zidongbom>>, nullptr},
    {const_cast<char*>("wucanku"), action<launch<wucanku>>, nullptr},
    {const_cast<char*>("new_zujianV1"), action<launch<zujian>>, nullptr},
    {const_cast<char*>("bili_yangshi"), action<bili_yangshi>, nullptr},
    {const_cast<char*>("tuceng_xianshi"), action<tuceng_xianshi>, nullptr},
    {const_cast<char*>("baijin_heibai"), action<baijin_heibai>, nullptr},
    {const_cast<char*>("tuhao_xiegai"), action<launch<tuhao_xiegai>>, nullptr},
    {const_cast<char*>("delete_attr"), action<launch<delete_attr>>, nullptr},
    {const_cast<char*>("wrod_lujin"), action<wrod_lujin>, nullptr},
    {const_cast<char*>("TWO_CYL_tool"), action<launch<TWO_CYL_tool>>, nullptr},
    {const_cast<char*>("boark"), action<launch<boark>>, nullptr},
    {const_cast<char*>("delete_xiantong"), action<launch<delete_xiantong>>, nullptr},
    {const_cast<char*>("yanse_touming"), action<yanse_touming>, nullptr},
    {const_cast<char*>("shitu_shichu"), action<launch<shitu_shichu>>, nullptr},
    {const_cast<char*>("2D"), action<daochu_dwg>, nullptr},
    {nullptr, nullptr, nullptr},
};

void initializeApplication() { printf("Initializing application\n"); }
void exitApplication() { printf("Exiting application\n"); }
void enterApplication() { printf("Entering application\n"); }

}  // namespace

DLLEXPORT void ufsta(char* param, int* retcode, int paramLen) {
    UF_initialize();
    print_status("UF_MB_add_actions", UF_MB_add_actions(actionTable));
    UF_MB_application_t app{};
    app.name = const_cast<char*>("XXX");
    app.init_proc = initializeApplication;
    app.exit_proc = exitApplication;
    app.enter_proc = enterApplication;
    app.drawings_supported = TRUE;
    app.design_in_context_supported = TRUE;
    print_status("UF_MB_register_application", UF_MB_register_application(&app));
}

DLLEXPORT int ufusr_ask_unload() { return 1; }

DLLEXPORT void ufusr_cleanup() {}
