#include "services/PlanService.h"

#include "numeric/Messages.h"
#include "numeric/NumberText.h"
#include "numeric/Stream.h"
#include "numeric/StreamText.h"
#include "plan/Settings.h"

namespace orvanta {

bool TPlanService::ExportItem(std::int32_t action, const std::string& title,
                              std::string& remembered, const std::function<void(TStream&)>& write) {
    return Command(action, [&] {
        const auto name = AskFile(true, title, TFileFilter::Text, remembered);
        if (!name || !WriteFile(*name, write))
            return false;
        remembered = *name;
        return true;
    });
}

bool TPlanService::ExportCodeMatrix() {
    return ExportItem(13, "Экспорт кодовой матрицы", CodeMatrixFile,
                      [&](TStream& s) { Plan.CodeMatrix.WriteTextForm(s); });
}

bool TPlanService::ExportNaturalMatrix() {
    return ExportItem(14, "Экспорт матрицы в натуральном выражении", NaturalMatrixFile,
                      [&](TStream& s) { Plan.NaturalMatrix.WriteTextForm(s); });
}

bool TPlanService::ExportBaseLevels() {
    return ExportItem(15, "Экспорт вектора основных уровней", BaseLevelsFile,
                      [&](TStream& s) { Plan.BaseLevels.WriteTextForm(s); });
}

bool TPlanService::ExportIntervals() {
    return ExportItem(16, "Экспорт вектора интервалов варьирования", IntervalsFile,
                      [&](TStream& s) { Plan.Intervals.WriteTextForm(s); });
}

bool TPlanService::ExportResponses() {
    return ExportItem(17, "Экспорт матрицы откликов", ResponsesFile,
                      [&](TStream& s) { Plan.YMatrix.WriteTextForm(s); });
}

bool TPlanService::ExportAll() {
    return Command(12, [&] {
        bool (TPlanService::*const exports[])() = {
            &TPlanService::ExportCodeMatrix, &TPlanService::ExportNaturalMatrix,
            &TPlanService::ExportBaseLevels, &TPlanService::ExportIntervals,
            &TPlanService::ExportResponses};
        for (std::int32_t i = 0; i < 5; ++i)
            if (Can(13 + i) && !(this->*exports[i])())
                return false;
        return true;
    });
}

bool TPlanService::ExportReport() {
    return Command(18, [&] { return Plan.Host().SaveReport(); });
}

bool TPlanService::ImportItem(std::int32_t action, const std::string& title,
                              std::string& remembered,
                              bool (TRaruRuro::*load)(const std::string&)) {
    return Command(action, [&] {
        const auto name = AskFile(false, title, TFileFilter::Text, remembered);
        if (!name || !(Plan.*load)(*name))
            return false;
        remembered = *name;
        return true;
    });
}

bool TPlanService::ImportCodeMatrix() {
    return ImportItem(7, "Импорт кодовой матрицы", CodeMatrixFile, &TRaruRuro::LoadCodeMatrix);
}

bool TPlanService::ImportBaseLevels() {
    return ImportItem(9, "Импорт вектора основных уровней", BaseLevelsFile,
                      &TRaruRuro::LoadBaseLevels);
}

bool TPlanService::ImportIntervals() {
    return ImportItem(10, "Импорт вектора интервалов варьирования", IntervalsFile,
                      &TRaruRuro::LoadIntervals);
}

bool TPlanService::ImportResponses() {
    return ImportItem(11, "Импорт матрицы откликов", ResponsesFile, &TRaruRuro::LoadResponses);
}

bool TPlanService::ImportAll() {
    Plan.StatusText = "Операция не завершена.";
    if (!Can(7))
        return false;
    // Each import is repeated until it succeeds; a cancelled dialog ends
    // the whole command.
    auto repeat = [&](std::int32_t action, bool (TPlanService::*import)()) {
        while (!(this->*import)()) {
            if (LastDialogCancelled || !Can(action))
                return false;
        }
        return true;
    };
    if (!repeat(7, &TPlanService::ImportCodeMatrix))
        return false;
    if (!Can(9) || !repeat(9, &TPlanService::ImportBaseLevels))
        return false;
    if (!Can(10) || !repeat(10, &TPlanService::ImportIntervals))
        return false;
    if (!Can(11))
        return false;
    if (AskYesNo("Загрузить таблицу откликов - ?") && !repeat(11, &TPlanService::ImportResponses))
        return false;
    Plan.MakeDefaultFactorNames();
    Plan.StatusText = CompletionMessage(6);
    Plan.Host().RefreshCommands();
    return true;
}

} // namespace orvanta
