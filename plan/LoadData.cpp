#include "plan/RaruRuro.h"

#include "numeric/Errors.h"
#include "numeric/FileStream.h"
#include "numeric/Messages.h"
#include "numeric/NumberText.h"

#include <cmath>
#include <optional>

namespace orvanta {

namespace {

void ShowOpenError(const std::string& name) {
    ShowError("Ошибка открытия файла \"" + name +
              "\".\nФайл не существует или используется другим\n"
              "приложением. Извините.");
}

// Reads a matrix in the text form, or in the binary form when the text gives
// no rows or columns (`textFailedToo` also falls back when the text reading
// failed). Nullopt after the open error.
std::optional<TNamedMatrix> ReadMatrixFile(const std::string& name, bool fallBackOnFailure) {
    try {
        TFileStream stream(name);
        TNamedMatrix matrix;
        const bool text = matrix.ReadTextForm(stream);
        if ((fallBackOnFailure && !text) || matrix.RowCount() == 0 || matrix.ColCount() == 0) {
            stream.SetPosition(0);
            if (!matrix.ReadBinary(stream))
                matrix.SetSize(0, 0);
        }
        return matrix;
    } catch (const EFOpenError&) {
        ShowOpenError(name);
    } catch (const EStreamError&) {
        // A short or unreadable file holds no matrix.
        return TNamedMatrix();
    }
    return std::nullopt;
}

std::optional<TNamedVector> ReadVectorFile(const std::string& name) {
    try {
        TFileStream stream(name);
        TNamedVector vector;
        if (!vector.ReadTextForm(stream) || vector.Size() == 0) {
            stream.SetPosition(0);
            if (!vector.ReadBinary(stream))
                vector.SetSize(0);
        }
        return vector;
    } catch (const EFOpenError&) {
        ShowOpenError(name);
    } catch (const EStreamError&) {
        return TNamedVector();
    }
    return std::nullopt;
}

} // namespace

bool TRaruRuro::LoadCodeMatrix(const std::string& fileName) {
    if (HasFactorCount) {
        auto matrix = ReadMatrixFile(fileName, false);
        if (!matrix)
            return false;
        if (matrix->RowCount() != RunCount || matrix->ColCount() != FactorCount) {
            ShowWarning("Файл \"" + fileName + "\" должен содержать\nописание матрицы из " +
                        IntToStr(RunCount) + " строк и " + IntToStr(FactorCount) + " столбцов.");
            return false;
        }
        CodeMatrix = std::move(*matrix);
        HasCodeMatrix = true;
        PlanHost.ShowDataWindow(TDataWindow::CodeMatrix);
        return true;
    }

    HasCodeMatrix = false;
    auto matrix = ReadMatrixFile(fileName, false);
    if (!matrix)
        return false;
    if (matrix->RowCount() == 0 || matrix->ColCount() == 0) {
        ShowWarning("Файл \"" + fileName + "\" должен содержать описание матрицы.");
        return false;
    }
    const std::int32_t k = matrix->ColCount();
    const std::int32_t n = matrix->RowCount();
    // Only plans of up to 30 factors can be recognised: 2^k must fit.
    const bool factorial = k < 31 && n == (std::int32_t{1} << k);
    const bool composite = k < 30 && n == (std::int32_t{1} << k) + 2 * k + 1;
    if (!factorial && !composite) {
        ShowWarning("Файл \"" + fileName + "\" содержит\nописание матрицы неизвестного плана.");
        return false;
    }
    CodeMatrix = std::move(*matrix);
    SetFactorCount(k);
    RunCount = n;
    if (factorial) {
        PlanKind = PlanFFE;
    } else if (!RecognizeCompositePlan()) {
        HasFactorCount = false;
        return false;
    }
    HasCodeMatrix = true;
    HasRunCount = true;
    HasPlanKind = true;
    Generator = nullptr;
    Model = nullptr;
    Addens.clear();
    DefaultNaturalUnits();
    for (auto window : {TDataWindow::CodeMatrix, TDataWindow::NaturalMatrix,
                        TDataWindow::BaseLevels, TDataWindow::Intervals})
        PlanHost.ShowDataWindow(window);
    return true;
}

// Tells an orthogonal from a rotatable composite plan by its star arm: the
// first positive element within 1 % of either arm decides; otherwise the
// person is asked, and may have the standard star and centre rows rebuilt.
bool TRaruRuro::RecognizeCompositePlan() {
    const double orthogonal = ComputeStarArm(PlanCCO);
    const double rotatable = ComputeStarArm(PlanCCR);
    for (std::int32_t i = 0; i < RunCount; ++i) {
        for (std::int32_t j = 0; j < FactorCount; ++j) {
            const double x = CodeMatrix.Get(i, j);
            if (std::fabs(x - rotatable) < 0.01 * rotatable) {
                PlanKind = PlanCCR;
                StarArm = rotatable;
                HasStarArm = true;
                return true;
            }
            if (std::fabs(x - orthogonal) < 0.01 * orthogonal) {
                PlanKind = PlanCCO;
                StarArm = orthogonal;
                HasStarArm = true;
                return true;
            }
        }
    }
    const auto answer = PlanHost.RunSecondOrderKindDialog();
    if (!answer)
        return false;
    PlanKind = answer->Rotatable ? PlanCCR : PlanCCO;
    StarArm = answer->Rotatable ? rotatable : orthogonal;
    HasStarArm = true;
    if (answer->StandardStarArm) {
        const std::int32_t core = std::int32_t{1} << FactorCount;
        TMatrix kept(core, FactorCount);
        CodeMatrix.GetBlock(kept, 0, 0);
        BuildCodeMatrix();
        CodeMatrix.PutBlock(kept, 0, 0);
    }
    return true;
}

bool TRaruRuro::LoadBaseLevels(const std::string& fileName) {
    return LoadPlanVector(fileName, BaseLevels, HasBaseLevels, TDataWindow::BaseLevels,
                          "Невозможно открыть вектор основный уровней\n- его размер неизвестен.");
}

bool TRaruRuro::LoadIntervals(const std::string& fileName) {
    return LoadPlanVector(fileName, Intervals, HasIntervals, TDataWindow::Intervals,
                          "Невозможно открыть вектор интервалов варьирования:\n- его размер "
                          "неизвестен");
}

bool TRaruRuro::LoadPlanVector(const std::string& fileName, TNamedVector& target, bool valid,
                               TDataWindow window, const char* unknownSize) {
    if (!valid) {
        ShowWarning(unknownSize);
        return false;
    }
    auto vector = ReadVectorFile(fileName);
    if (!vector)
        return false;
    if (vector->Size() != target.Size()) {
        ShowWarning("Файл \"" + fileName + "\" должен содержать описание\nвектора из " +
                    IntToStr(target.Size()) + " элементов.");
        return false;
    }
    target = std::move(*vector);
    PlanHost.ShowDataWindow(window);
    RefreshNaturalMatrix();
    return true;
}

bool TRaruRuro::LoadResponses(const std::string& fileName) {
    auto matrix = ReadMatrixFile(fileName, true);
    if (!matrix)
        return false;
    if (!HasRunCount || matrix->RowCount() != RunCount || matrix->ColCount() < 2) {
        ShowWarning("Файл \"" + fileName +
                    "\" должен содержать\nописание матрицы с двумя или "
                    "более столбцами\nи числом строк, равным " +
                    IntToStr(HasRunCount ? RunCount : 0));
        return false;
    }
    YMatrix = std::move(*matrix);
    RepeatCount = YMatrix.ColCount();
    HasRepeatCount = true;
    HasYMatrix = true;
    PlanHost.ShowDataWindow(TDataWindow::Responses);
    return true;
}

} // namespace orvanta
