#include "plugins/trilattice/ExtremumDialog.h"

#include "plugins/common/PluginDialogSupport.h"
#include "plugins/trilattice/TrilatticeLogic.h"

namespace orvanta {

TExtremumDialog::TExtremumDialog(OrvPlanService* plan) : CDialog(MakeTemplate()), Plan(plan) {}

TDialogTemplate TExtremumDialog::MakeTemplate() {
    TDialogTemplate t;
    t.Caption = "Экстремум на симплекс-решетке";
    t.Cx = 216;
    t.Cy = 165;
    t.Controls = {
        {IDC_STATIC, TControlKind::Static, "Делений", 8, 10, 0, 0},
        {IdDivisions, TControlKind::Edit, "5", 56, 6, 152, 14},
        {IDC_STATIC, TControlKind::GroupBox, " Искать ", 8, 26, 200, 40},
        {IdMinimum, TControlKind::RadioButton, "Минимум", 20, 36, 0, 0},
        {IdMaximum, TControlKind::RadioButton, "Максимум", 20, 50, 0, 0},
        {IDC_STATIC, TControlKind::GroupBox, " Результат ", 8, 70, 200, 68},
        {IdResult, TControlKind::MultiLineEdit, "", 16, 82, 184, 50},
        {IdFind, TControlKind::DefButton, "Найти", 8, 142, 50, 14},
        {IdClose, TControlKind::Button, "Закрыть", 160, 142, 50, 14},
    };
    return t;
}

void TExtremumDialog::OnInitDialog() {
    CheckItem(IdMinimum);
}

void TExtremumDialog::OnCommand(int id) {
    if (id == IdFind)
        Find();
    else
        CDialog::OnCommand(id);
}

void TExtremumDialog::Find() {
    const TExtremumKind kind =
        IsChecked(IdMaximum) ? TExtremumKind::Maximum : TExtremumKind::Minimum;
    const TExtremumResult result = FindSimplexExtremum(Plan, GetItemText(IdDivisions), kind);
    if (result.Message)
        ShowPluginMessage(Handle(), *result.Message);
    else
        SetItemText(IdResult, result.Text);
}

} // namespace orvanta
