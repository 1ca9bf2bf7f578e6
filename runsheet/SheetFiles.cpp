#include "runsheet/SheetFiles.h"

#include "numeric/FileNames.h"
#include "numeric/Messages.h"
#include "numeric/Stream.h"
#include "plan/RaruRuro.h"
#include "runsheet/RunSheet.h"
#include "runsheet/SheetCsv.h"
#include "runsheet/SheetHtml.h"
#include "runsheet/SheetReader.h"
#include "services/SafeWrite.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace orvanta {

TSheetFormat SheetFormatOf(const std::string& path) {
    std::string extension = SplitFileName(path).Extension;
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == "htm" || extension == "html")
        return TSheetFormat::Html;
    return extension == "pdf" ? TSheetFormat::Pdf : TSheetFormat::Csv;
}

std::string SheetDate(std::time_t moment) {
    std::tm local{};
    localtime_r(&moment, &local);
    char text[32];
    std::snprintf(text, sizeof text, "%02d.%02d.%04d", local.tm_mday, local.tm_mon + 1,
                  local.tm_year + 1900);
    return text;
}

bool WriteRunSheet(const std::string& path, const TRunSheet& sheet, TSheetFormat format,
                   const std::string& date) {
    const std::string bytes =
        format == TSheetFormat::Html ? RunSheetHtml(sheet, date) : RunSheetCsv(sheet);
    return WriteFileSafely(path,
                           [&](TStream& stream) { stream.Write(bytes.data(), bytes.size()); });
}

bool ImportRunSheet(TRaruRuro& plan, const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        ShowError("Ошибка открытия файла \"" + path +
                  "\".\nФайл не существует или используется другим\n"
                  "приложением. Извините.");
        return false;
    }
    std::ostringstream bytes;
    bytes << file.rdbuf();
    const TSheetReading reading = ReadRunSheet(bytes.str(), plan);
    if (!reading.Error.empty()) {
        ShowWarning(reading.Error);
        return false;
    }
    if (!plan.HasYMatrix)
        plan.YMatrix.Create(plan.RunCount, reading.Repeats);
    for (const TSheetResponse& response : reading.Responses)
        plan.YMatrix.Set(response.Run.Run - 1, response.Run.Repeat - 1, response.Value);
    // As after the import of a responses file: the observations are new,
    // the results wait for the next analysis.
    plan.RepeatCount = plan.YMatrix.ColCount();
    plan.HasRepeatCount = true;
    plan.HasYMatrix = true;
    plan.Modified = true;
    plan.Host().ShowDataWindow(TDataWindow::Responses);
    return true;
}

} // namespace orvanta
