#include "services/GraphHolder.h"

#include "plan/RaruRuro.h"

namespace orvanta {

bool TGraphHolder::Query(std::int32_t code) const {
    switch (code) {
    case 8:
        return HasCurve || HasSurface;
    case 9:
        return WindowsOpen;
    default:
        return false;
    }
}

void TGraphHolder::Show(bool visible) {
    if (visible && (HasCurve || HasSurface)) {
        Host.ShowGraphWindows();
        WindowsOpen = true;
    } else if (!visible && WindowsOpen) {
        Host.CloseGraphWindows();
        WindowsOpen = false;
    }
}

void TGraphHolder::Clear() {
    Show(false);
    HasCurve = HasSurface = false;
    Points.clear();
    Columns = Rows = 0;
}

bool TGraphHolder::NewDiagram(const TRaruRuro& plan) {
    auto answer = Host.RunDiagramWizard();
    if (!answer || answer->Points < 2 ||
        static_cast<std::int32_t>(answer->Point.size()) != plan.FactorCount)
        return false;
    Clear();
    const double step = (answer->End - answer->Start) / (answer->Points - 1);
    double x = answer->Start;
    for (std::int32_t p = 0; p < answer->Points; ++p, x += step) {
        answer->Point[static_cast<std::size_t>(answer->Factor)] = x;
        Points.push_back(static_cast<float>(x));
        Points.push_back(static_cast<float>(plan.Predict(answer->Point.data())));
    }
    HasCurve = true;
    Show(true);
    return true;
}

bool TGraphHolder::NewSurface(const TRaruRuro& plan) {
    auto answer = Host.RunSurfaceWizard();
    if (!answer || answer->XPoints < 2 || answer->YPoints < 2 ||
        static_cast<std::int32_t>(answer->Point.size()) != plan.FactorCount)
        return false;
    Clear();
    const double hx = (answer->XEnd - answer->XStart) / (answer->XPoints - 1);
    const double hy = (answer->YEnd - answer->YStart) / (answer->YPoints - 1);
    for (std::int32_t i = 0; i < answer->XPoints; ++i) {
        const double x = answer->XStart + i * hx;
        for (std::int32_t j = 0; j < answer->YPoints; ++j) {
            const double y = answer->YStart + j * hy;
            answer->Point[static_cast<std::size_t>(answer->FactorX)] = x;
            answer->Point[static_cast<std::size_t>(answer->FactorY)] = y;
            Points.push_back(static_cast<float>(x));
            Points.push_back(static_cast<float>(y));
            Points.push_back(static_cast<float>(plan.Predict(answer->Point.data())));
        }
    }
    Columns = answer->XPoints;
    Rows = answer->YPoints;
    HasSurface = true;
    Show(true);
    return true;
}

} // namespace orvanta
