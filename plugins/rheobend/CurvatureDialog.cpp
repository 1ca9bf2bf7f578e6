#include "plugins/rheobend/CurvatureDialog.h"

#include "plugins/common/PluginDialogSupport.h"
#include "plugins/rheobend/RheobendLogic.h"

#include <string>

namespace orvanta {

TCurvatureDialog::TCurvatureDialog(OrvPlanService* plan, TLineFileWriter& writer)
    : CDialog(MakeTemplate()), Plan(plan), Writer(writer) {}

TDialogTemplate TCurvatureDialog::MakeTemplate() {
    TDialogTemplate t;
    t.Caption = "Коэффициент кривизны";
    t.Cx = 213;
    t.Cy = 109;
    t.Controls = {
        {IDC_STATIC, TControlKind::Static,
         "Расчет коэффициента кривизны реологической кривой, аппроксимируемой суммой линейной и "
         "экспоненциаль- ной функций.",
         7, 7, 199, 27},
        {IDC_STATIC, TControlKind::Static, "Аргумент: от", 7, 38, 0, 0},
        {IdFrom, TControlKind::Edit, "-1.0", 55, 35, 66, 14},
        {IDC_STATIC, TControlKind::Static, "до", 125, 38, 0, 0},
        {IdTo, TControlKind::Edit, "1.0", 137, 35, 68, 14},
        {IDC_STATIC, TControlKind::Static, "Количество делений:", 7, 65, 0, 0},
        {IdDivisions, TControlKind::Edit, "5", 82, 62, 124, 14},
        {IdExtremum, TControlKind::Button, "Экстремум", 7, 88, 50, 14},
        {IdCompute, TControlKind::DefButton, "Расчет", 81, 88, 50, 14},
        {IdCancel, TControlKind::Button, "Отмена", 155, 88, 50, 14},
    };
    return t;
}

void TCurvatureDialog::OnCommand(int id) {
    if (id == IdCompute)
        Compute();
    else if (id != IdExtremum)
        CDialog::OnCommand(id);
}

void TCurvatureDialog::Compute() {
    const TCurvatureCheck check =
        CheckCurvatureFields(GetItemText(IdDivisions), GetItemText(IdFrom), GetItemText(IdTo));
    if (check.Message) {
        ShowPluginMessage(Handle(), *check.Message);
        return;
    }
    const std::string path = AskCsvFileName(Handle(), "Сохранить значения в файл", std::string());
    if (!path.empty()) {
        const TCurvatureResult result = WriteCurvature(Plan, check.Request, path, Writer);
        if (result.Message)
            ShowPluginMessage(Handle(), *result.Message);
    }
    // Once the fields were accepted the dialog closes whatever became of
    // the file.
    EndDialog(IdCompute);
}

} // namespace orvanta
