#include "services/PlanService.h"

#include "numeric/Errors.h"
#include "numeric/FileStream.h"
#include "numeric/Messages.h"
#include "numeric/SafeFileStream.h"
#include "plan/PlanFile.h"
#include "plan/Settings.h"
#include "services/SafeWrite.h"

namespace orvanta {

bool TPlanService::WriteFile(const std::string& path, const std::function<void(TStream&)>& write) {
    return WriteFileSafely(path, write);
}

bool TPlanService::OpenPlan(const std::optional<std::string>& path) {
    return Command(1, [&] {
        std::optional<std::string> name = path;
        if (!name)
            name = AskFile(false, "Открыть файл планирования", TFileFilter::Plan, Plan.FileName);
        if (!name)
            return false;
        try {
            TFileStream stream(*name);
            // The plan reader has told why the file cannot be opened: one
            // failure, one message.
            if (!ReadPlan(stream, Plan))
                return false;
        } catch (const EFOpenError&) {
            ShowError("Ошибка открытия файла \"" + *name + "\". Извините.");
            return false;
        } catch (const EStreamError&) {
            ShowError("Ошибка чтения файла \"" + *name + "\". Извините.");
            return false;
        }
        Plan.FileName = *name;
        return true;
    });
}

// Writes the plan to its file name. A plan that cannot be saved whole
// reports why (its own message) and no file is touched.
bool TPlanService::SaveToFile() {
    TPlanImage image;
    if (!FillImage(Plan, image))
        return false;
    // The writer reports its own failure; the file is then abandoned without
    // a second message.
    struct TAbandoned {};
    try {
        if (!WriteFile(Plan.FileName, [&](TStream& stream) {
                if (!WriteImage(image, stream))
                    throw TAbandoned();
            }))
            return false;
    } catch (const TAbandoned&) {
        return false;
    }
    Plan.Modified = false;
    for (TDataWindow window :
         {TDataWindow::CodeMatrix, TDataWindow::NaturalMatrix, TDataWindow::BaseLevels,
          TDataWindow::Intervals, TDataWindow::Responses})
        Plan.Host().ClearDataWindowEdited(window);
    return true;
}

bool TPlanService::SavePlan() {
    if (Plan.FileName.empty())
        return SavePlanAs();
    return Command(2, [&] { return SaveToFile(); });
}

bool TPlanService::SavePlanAs() {
    return Command(3, [&] {
        const auto name = AskFile(true, "Сохранить как новый файл планирования", TFileFilter::Plan,
                                  Plan.FileName);
        if (!name)
            return false;
        const std::string old = Plan.FileName;
        Plan.FileName = *name;
        if (SaveToFile())
            return true;
        Plan.FileName = old;
        return false;
    });
}

// The questions about unsaved changes; false when the close must stop.
bool TPlanService::CloseQuestions() {
    if (IsModified()) {
        if (Can(2) || Can(3)) {
            const TAnswer answer =
                AskYesNoCancel("Сохранить изменения в \"" + DisplayName() + "\"- ?");
            if (answer == TAnswer::Cancel)
                return false;
            if (answer == TAnswer::Yes && !(Can(2) ? SavePlan() : SavePlanAs()))
                return false;
        } else {
            if (Plan.Modified && !Plan.HasYMatrix &&
                !AskYesNo("В текущем состоянии сохранение плана как целого невозможно - не "
                          "определена матрица откликов - и Вами изменены данные, которые не могут "
                          "быть экспортированы. Завершить работу с текущими данными ?\nЕсли Вы "
                          "ответите \"Да\", то часть данные будут потеряны."))
                return false;
            const struct {
                bool Valid;
                TDataWindow Window;
                const char* Question;
                bool (TPlanService::*Export)();
            } items[] = {
                {Plan.HasCodeMatrix, TDataWindow::CodeMatrix,
                 "Кодовая матрица изменена. Сохранить изменения - ?",
                 &TPlanService::ExportCodeMatrix},
                {Plan.HasNaturalMatrix, TDataWindow::NaturalMatrix,
                 "Матрица плана изменена. Сохранить изменения - ?",
                 &TPlanService::ExportNaturalMatrix},
                {Plan.HasBaseLevels, TDataWindow::BaseLevels,
                 "Значения основных уровней изменены.\nСохранить изменения - ?",
                 &TPlanService::ExportBaseLevels},
                {Plan.HasIntervals, TDataWindow::Intervals,
                 "Значения интервалов варьирования изменены.\nСохранить изменения - ?",
                 &TPlanService::ExportIntervals},
                {Plan.HasYMatrix, TDataWindow::Responses,
                 "Матрица откликов изменена. Сохранить изменения - ?",
                 &TPlanService::ExportResponses},
            };
            for (const auto& item : items) {
                if (!item.Valid || !Plan.Host().IsDataWindowOpen(item.Window) ||
                    !Plan.Host().IsDataWindowEdited(item.Window))
                    continue;
                const TAnswer answer = AskYesNoCancel(item.Question);
                if (answer == TAnswer::Cancel)
                    return false;
                if (answer == TAnswer::Yes && !(this->*item.Export)())
                    return false;
            }
        }
    }
    TPlanHost& host = Plan.Host();
    if (host.IsReportWindowOpen() && host.IsReportEdited() && Settings().CBAskIfReportChanged) {
        const TAnswer answer =
            AskYesNoCancel("Содержимое отчета изменено. Сохранить изменения - ?");
        if (answer == TAnswer::Cancel)
            return false;
        if (answer == TAnswer::Yes && !host.SaveReport())
            return false;
    }
    return true;
}

bool TPlanService::ClosePlan() {
    return Command(4, [&] {
        if (!CloseQuestions())
            return false;
        Plan.FreeData();
        Plan.Reset();
        Graphs.Clear();
        Plan.Host().CloseCheckPointWindow();
        Plan.Host().CloseReportWindow();
        return true;
    });
}

} // namespace orvanta
