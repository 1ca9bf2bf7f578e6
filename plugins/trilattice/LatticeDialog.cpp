#include "plugins/trilattice/LatticeDialog.h"

#include "plugins/common/PluginDialogSupport.h"
#include "plugins/trilattice/TrilatticeLogic.h"

#include <string>

namespace orvanta {

TLatticeDialog::TLatticeDialog(OrvPlanService* plan, TLineFileWriter& writer)
    : CDialog(MakeTemplate()), Plan(plan), Writer(writer) {}

TDialogTemplate TLatticeDialog::MakeTemplate() {
    TDialogTemplate t;
    t.Caption = "Расчет значений на симплекс-решетке";
    t.Cx = 210;
    t.Cy = 85;
    t.Controls = {
        {IDC_STATIC, TControlKind::GroupBox, "Решетка", 7, 7, 196, 28},
        {IDC_STATIC, TControlKind::Static, "Делений", 15, 18, 0, 0},
        {IdDivisions, TControlKind::Edit, "5", 60, 15, 137, 14},
        {IDC_STATIC, TControlKind::Static, "Файл", 15, 44, 0, 0},
        {IdFile, TControlKind::Edit, "РешеткаСимплекса.csv", 40, 41, 109, 14},
        {IdChoose, TControlKind::Button, "Выбор ...", 153, 41, 50, 14},
        {IdOk, TControlKind::DefButton, "OK", 7, 64, 50, 14},
        {IdCancel, TControlKind::Button, "Отмена", 153, 64, 50, 14},
    };
    return t;
}

void TLatticeDialog::OnCommand(int id) {
    if (id == IdChoose)
        ChooseFile();
    else if (id == IdOk)
        WriteFile();
    else
        CDialog::OnCommand(id);
}

void TLatticeDialog::ChooseFile() {
    const std::string path = AskCsvFileName(Handle(), "Сохранить в файл", GetItemText(IdFile));
    if (!path.empty())
        SetItemText(IdFile, path);
}

void TLatticeDialog::WriteFile() {
    const TLatticeResult result =
        WriteLattice(Plan, GetItemText(IdDivisions), GetItemText(IdFile), Writer);
    if (result.Message)
        ShowPluginMessage(Handle(), *result.Message);
    if (result.Written)
        CDialog::OnCommand(IdOk);
}

} // namespace orvanta
