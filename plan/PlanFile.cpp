#include "plan/PlanFile.h"

#include "numeric/Cp1251.h"
#include "numeric/Errors.h"
#include "numeric/Messages.h"
#include "numeric/NumberText.h"
#include "numeric/Stream.h"
#include "numeric/StreamText.h"
#include "plan/RaruRuro.h"

#include <new>

namespace orvanta {

namespace {

const char* const Magic = "MTPL";
const char* const NoName = "NULL";
const char* const Damaged = "Файл поврежден. Извините.";
const char* const ReadError = "Ошибка чтения. Извините.";

// A stored record that does not fit the plan around it.
class EDamagedFile {};

std::string NameOrNull(const std::string& name) {
    return name.empty() ? NoName : name;
}

std::string NullToEmpty(std::string name) {
    return name == NoName ? std::string() : name;
}

void ReadVector(TStream& stream, TNamedVector& vector) {
    if (!vector.ReadBinary(stream))
        throw EDamagedFile();
}

void ReadMatrix(TStream& stream, TNamedMatrix& matrix) {
    if (!matrix.ReadBinary(stream))
        throw EDamagedFile();
}

// The records must describe one plan: N runs of k factors.
void CheckShapes(const TPlanImage& image) {
    const std::int32_t n = image.Code.RowCount();
    const std::int32_t k = image.Code.ColCount();
    if (n < 1 || k < 1 || image.Levels.Size() != k || image.Steps.Size() != k ||
        image.Obs.RowCount() != n)
        throw EDamagedFile();
    if (image.HasCheck && (image.CheckPointVec.Size() != k || image.CheckObs.Size() < 1))
        throw EDamagedFile();
}

} // namespace

bool CheckStoredText(std::string_view text, const std::string& what) {
    if (Utf8ToCp1251(text).size() <= MaxLStringBytes)
        return true;
    ShowWarning(what + " длиннее " + IntToStr(static_cast<std::int64_t>(MaxLStringBytes)) +
                " символов\nи не поместится в файл плана.");
    return false;
}

bool CheckStoredNames(const std::vector<std::string>& names) {
    for (std::size_t i = 0; i < names.size(); ++i)
        if (!CheckStoredText(names[i],
                             "Имя фактора № " + IntToStr(static_cast<std::int64_t>(i) + 1)))
            return false;
    return true;
}

bool FillImage(const TRaruRuro& plan, TPlanImage& image) {
    image.Valid = false;
    if (!plan.HasCodeMatrix) {
        ShowWarning("Не определена кодовая матрица.");
        return false;
    }
    if (!plan.HasBaseLevels) {
        ShowWarning("Не определен вектор основных уровней.");
        return false;
    }
    if (!plan.HasIntervals) {
        ShowWarning("Не определен вектор интервалов варьирования.");
        return false;
    }
    if (!plan.HasYMatrix) {
        ShowWarning("Не определена матрица наблюдений.");
        return false;
    }
    if (plan.PlanKind == PlanGeneral && !plan.Model && plan.Addens.empty()) {
        ShowWarning("Не заданы слагаемые модели.");
        return false;
    }
    try {
        image.Kind = plan.PlanKind;
        image.Code = plan.CodeMatrix;
        image.Levels = plan.BaseLevels;
        image.Steps = plan.Intervals;
        image.Obs = plan.YMatrix;
        image.HasCheck = plan.HasCheckPoint && plan.HasCheckY;
        if (image.HasCheck) {
            image.CheckPointVec = plan.CheckPoint;
            image.CheckObs = plan.CheckY;
        }
        image.GenName.clear();
        image.ModelName.clear();
        image.AddenNames.clear();
        if (plan.PlanKind == PlanGeneral) {
            if (plan.Generator)
                image.GenName = plan.Generator->GetName();
            if (plan.Model) {
                image.ModelName = plan.Model->GetName();
            } else {
                std::size_t count = plan.Addens.size();
                if (count > MaxStoredAddens) {
                    ShowWarning("Число слагаемых слишком велико. Описания будут\nсохранены только "
                                "для первых " +
                                IntToStr(MaxStoredAddens) + " - ти из них.");
                    count = MaxStoredAddens;
                }
                for (std::size_t i = 0; i < count; ++i)
                    image.AddenNames.push_back(plan.Addens[i]->GetName());
            }
        }
        image.Names = plan.FactorNames;
        image.Response = plan.ResponseName;
    } catch (const std::bad_alloc&) {
        ShowError("Недостаточно памяти для сохранения плана.\nПопробуйте сохранить его по частям "
                  "через\nменю \"Экспорт\". Извините.");
        return false;
    }
    image.Valid = true;
    return true;
}

bool WriteImage(const TPlanImage& image, TStream& stream) {
    try {
        stream.Write(Magic, 4);
        stream.WriteByte(image.Kind);
        image.Code.WriteBinary(stream);
        stream.WriteByte(image.HasCheck ? 1 : 0);
        if (image.HasCheck) {
            image.CheckPointVec.WriteBinary(stream);
            image.CheckObs.WriteBinary(stream);
        }
        image.Levels.WriteBinary(stream);
        image.Steps.WriteBinary(stream);
        image.Obs.WriteBinary(stream);
        if (image.Kind == PlanGeneral) {
            WriteLString(stream, NameOrNull(image.GenName));
            WriteLString(stream, NameOrNull(image.ModelName));
            if (image.ModelName.empty()) {
                stream.WriteInt32(static_cast<std::int32_t>(image.AddenNames.size()));
                for (const std::string& name : image.AddenNames)
                    WriteLString(stream, name);
            }
        }
        // Exactly k factor names: the reader counts them by the code matrix.
        const auto k = static_cast<std::size_t>(image.Code.ColCount());
        for (std::size_t j = 0; j < k; ++j)
            WriteLString(stream, j < image.Names.size() ? image.Names[j] : std::string());
        WriteLString(stream, image.Response);
    } catch (const EStreamError&) {
        ShowError("Ошибка записи. Извините.");
        return false;
    }
    return true;
}

bool ReadImage(TStream& stream, TPlanImage& image) {
    image = TPlanImage();
    try {
        char magic[4] = {};
        // A file shorter than its magic is a short file: the read error.
        stream.ReadBuffer(magic, 4);
        if (std::string(magic, 4) != Magic) {
            ShowError(Damaged);
            return false;
        }
        image.Kind = stream.ReadByte();
        if (image.Kind > PlanGeneral) {
            ShowError("Файл содержит описание неизвестного плана. Извините.");
            return false;
        }
        ReadMatrix(stream, image.Code);
        const std::uint8_t check = stream.ReadByte();
        if (check > 1)
            throw EDamagedFile();
        image.HasCheck = check == 1;
        if (image.HasCheck) {
            ReadVector(stream, image.CheckPointVec);
            ReadVector(stream, image.CheckObs);
        }
        ReadVector(stream, image.Levels);
        ReadVector(stream, image.Steps);
        ReadMatrix(stream, image.Obs);
        CheckShapes(image);
        if (image.Kind == PlanGeneral) {
            image.GenName = NullToEmpty(ReadLString(stream));
            image.ModelName = NullToEmpty(ReadLString(stream));
            if (image.ModelName.empty()) {
                const std::int32_t count = stream.ReadInt32();
                if (count < 0 || count > MaxStoredAddens)
                    throw EReadError(ReadError);
                for (std::int32_t i = 0; i < count; ++i)
                    image.AddenNames.push_back(ReadLString(stream));
            }
        }
        for (std::int32_t j = 0; j < image.Code.ColCount(); ++j)
            image.Names.push_back(ReadLString(stream));
        image.Response = ReadLString(stream);
    } catch (const EDamagedFile&) {
        ShowError(Damaged);
        image = TPlanImage();
        return false;
    } catch (const EStreamError&) {
        ShowError(ReadError);
        image = TPlanImage();
        return false;
    } catch (const std::bad_alloc&) {
        ShowError("Недостаточно памяти для открытия плана. Извините.");
        image = TPlanImage();
        return false;
    }
    image.Valid = true;
    return true;
}

namespace {

// Finds a module object by name through the plan's catalog; a missing one
// is reported as "Описание <what> \"name\"\nне найдено во внешних модулях.".
template <class TLookup>
bool Resolve(const TMathCatalog* catalog, const std::string& name, const char* what,
             TLookup lookup) {
    const std::int32_t index = catalog ? lookup(*catalog, name) : -1;
    if (index < 0) {
        ShowWarning(std::string("Описание ") + what + " \"" + name +
                    "\"\nне найдено во внешних модулях.");
        return false;
    }
    return true;
}

bool ResolveModules(const TPlanImage& image, TRaruRuro& plan) {
    const TMathCatalog* catalog = plan.MathCatalog();
    if (!image.GenName.empty()) {
        if (!Resolve(catalog, image.GenName, "плана",
                     [](const TMathCatalog& c, const std::string& n) { return c.GenByName(n); }))
            return false;
        plan.Generator = catalog->Generator(catalog->GenByName(image.GenName));
    }
    if (!image.ModelName.empty()) {
        if (!Resolve(catalog, image.ModelName, "модели",
                     [](const TMathCatalog& c, const std::string& n) { return c.ModelByName(n); }))
            return false;
        plan.Model = catalog->Model(catalog->ModelByName(image.ModelName));
        return true;
    }
    for (const std::string& name : image.AddenNames) {
        if (!Resolve(catalog, name, "слагаемого",
                     [](const TMathCatalog& c, const std::string& n) { return c.AddenByName(n); }))
            return false;
        plan.Addens.push_back(catalog->Adden(catalog->AddenByName(name)));
    }
    if (plan.Addens.empty()) {
        ShowWarning("Модель не содержит не одного слагаемого.");
        return false;
    }
    return true;
}

bool ApplyRecords(const TPlanImage& image, TRaruRuro& plan) {
    if (image.Kind == PlanGeneral && !ResolveModules(image, plan))
        return false;
    plan.PlanKind = image.Kind;
    plan.RunCount = image.Code.RowCount();
    plan.SetFactorCount(image.Code.ColCount());
    plan.CodeMatrix = image.Code;
    plan.NaturalMatrix.Create(plan.RunCount, plan.FactorCount);
    if (image.HasCheck) {
        plan.CheckPoint = image.CheckPointVec;
        plan.CheckY = image.CheckObs;
        plan.CheckRepeatCount = image.CheckObs.Size();
        plan.HasCheckPoint = true;
        plan.HasCheckY = true;
    }
    plan.BaseLevels = image.Levels;
    plan.Intervals = image.Steps;
    plan.YMatrix = image.Obs;
    plan.RepeatCount = image.Obs.ColCount();
    plan.FactorNames = image.Names;
    plan.ResponseName = image.Response;
    plan.HasPlanKind = plan.HasRunCount = true;
    plan.HasCodeMatrix = plan.HasNaturalMatrix = true;
    plan.HasBaseLevels = plan.HasIntervals = true;
    plan.HasYMatrix = plan.HasRepeatCount = plan.HasFactorNames = true;
    if (plan.PlanKind == PlanCCO || plan.PlanKind == PlanCCR) {
        plan.StarArm = plan.ComputeStarArm(plan.PlanKind);
        plan.HasStarArm = true;
    }
    plan.RefreshNaturalMatrix();
    plan.ShowPlanWindows();
    return true;
}

} // namespace

bool ApplyImage(const TPlanImage& image, TRaruRuro& plan) {
    plan.Reset();
    if (!image.Valid)
        return false;
    try {
        if (ApplyRecords(image, plan))
            return true;
    } catch (const std::bad_alloc&) {
        ShowError("Недостаточно памяти для открытия плана. Извините.");
    }
    plan.Reset();
    return false;
}

bool ReadPlan(TStream& stream, TRaruRuro& plan) {
    plan.Reset();
    TPlanImage image;
    return ReadImage(stream, image) && ApplyImage(image, plan);
}

bool WritePlan(const TRaruRuro& plan, TStream& stream) {
    TPlanImage image;
    return FillImage(plan, image) && WriteImage(image, stream);
}

} // namespace orvanta
