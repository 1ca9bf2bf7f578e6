#include "plan/RaruRuro.h"

#include "numeric/Messages.h"
#include "numeric/NumberText.h"

namespace orvanta {

void TRaruRuro::FillNames() {
    if (!HasBVector)
        return;
    EquationLines.clear();
    const std::int32_t p = BVector.Size();
    auto line = [&](const std::string& label, std::int32_t i) {
        return label + "=" + FormatCoefficient(BVector.Get(i));
    };
    if (PlanKind == PlanGeneral && Model) {
        if (p != Model->AddenCount()) {
            ShowWarning("BVector.nSize<>Model^.AddenCount\nГЛЮК. Обратитесь к разработчику.");
            return;
        }
        for (std::int32_t i = 0; i < p; ++i) {
            const TAdden* adden = Model->GetAdden(i);
            std::string text = line(adden ? adden->GetCoefName() : std::string(), i);
            const auto entry = static_cast<std::size_t>(i);
            if (entry < Significance.size() && !Significance[entry])
                text += " (статистически не значим, слагаемое модели должно быть исключено)";
            EquationLines.push_back(std::move(text));
        }
    } else if (PlanKind == PlanGeneral) {
        const std::int32_t count = std::min(p, static_cast<std::int32_t>(Addens.size()));
        for (std::int32_t i = 0; i < count; ++i)
            EquationLines.push_back(line(Addens[static_cast<std::size_t>(i)]->GetCoefName(), i));
    } else if (PlanKind <= PlanCCR) {
        const std::int32_t k = FactorCount;
        std::int32_t t = 0;
        for (; t <= k && t < p; ++t)
            EquationLines.push_back(line("B" + IntToStr(t), t));
        if (PlanKind != PlanFFE) {
            for (std::int32_t i = 1; i <= k; ++i)
                for (std::int32_t j = i + 1; j <= k && t < p; ++j, ++t)
                    EquationLines.push_back(line("B" + IntToStr(i) + IntToStr(j), t));
            for (std::int32_t i = 1; i <= k && t < p; ++i, ++t)
                EquationLines.push_back(line("B" + IntToStr(i) + IntToStr(i), t));
        }
    } else {
        ShowWarning("FillNames: неверный тип плана.\nОбратитесь в разработчику.");
        return;
    }
    HasEquationLines = true;
}

} // namespace orvanta
