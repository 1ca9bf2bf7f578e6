#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace orvanta {

// A colour: an RGB value 0x00BBGGRR or a system colour 0x80000000 + index.
using TColorValue = std::uint32_t;

constexpr TColorValue Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return b * 65536 + g * 256 + r;
}

// The report font as a logical-font record.
struct TFontRecord {
    std::int32_t Height = 10;
    std::int32_t Width = 0;
    std::int32_t Escapement = 0;
    std::int32_t Orientation = 0;
    std::int32_t Weight = 400;
    std::uint8_t Italic = 0;
    std::uint8_t Underline = 0;
    std::uint8_t StrikeOut = 0;
    std::uint8_t CharSet = 204;
    std::uint8_t OutPrecision = 0;
    std::uint8_t ClipPrecision = 0;
    std::uint8_t Quality = 0;
    std::uint8_t PitchAndFamily = 0;
    std::string FaceName = "Courier"; // at most 31 characters
};

// Every preference of the program, with its default. The options are named
// after the check boxes and fields of the options dialog that edit them.
struct TSettings {
    // Main window.
    std::uint8_t WindowState = 0; // 0 normal, 1 minimized, 2 maximized
    std::int32_t WindowLeft = 30;
    std::int32_t WindowTop = 20;
    std::int32_t WindowWidth = 580;
    std::int32_t WindowHeight = 440;
    bool ToolbarVisible = true;
    bool StatusBarVisible = true;
    bool MenuBarVisible = true;
    bool FullScreen = false;
    bool AllowNoBars = false;

    // General page.
    bool CBAskIfReportChanged = true;
    bool CBShowHideList = true;
    bool CBShowShowList = true;
    bool CBShowArrangeList = true;
    bool CBShowHints = true;
    bool CBCohrenResultsShow = true;
    bool CBCohrenActivateReport = false;
    bool CBStudentResultsShow = true;
    bool CBStudentActivateReport = false;
    bool CBFisherResultsShow = true;
    bool CBFisherActivateReport = true;
    bool CBExportAllCoords = false;
    bool CBAlsoCreateY = true;
    bool CBCPForSaturated = true;

    // Report page.
    bool CBUseDivider = true;
    std::string EDividerString =
        "* * * ============================================================== * * *";
    bool CBTimeDate = true;
    bool CBDegree = true;
    bool CBpType = true;
    bool CBN = true;
    bool CBModelType = true;
    bool CBMainMatrix = true;
    bool CBNaturalMatrix = true;
    bool CBMLVector = true;
    bool CBDFVector = true;
    bool CBExpandedMatrix = false;
    bool CBMMatrix = true;
    bool CBCMatrix = true;
    bool CBR = true;
    bool CBYMatrix = true;
    bool CBAVector = false;
    bool CBDVector = false;
    bool CBSVector = true;
    bool CBDV = false;
    bool CBDmax = false;
    bool CBActualBSize = false;
    bool CBBVector = true;
    bool CBDad = false;
    bool CBCohrenAnalysis = true;
    bool CBFisherAnalysis = true;
    bool CBMainPoint = true;
    bool CBMarkEndOfReport = false;

    // Analysis: the critical values of the Cochran, Student and Fisher tests
    // from the distributions at QuantileAlpha instead of the printed 5 %
    // tables.
    bool ExactQuantiles = false;
    double QuantileAlpha = 0.05;

    // Statistics of the model (kept, with the two above, in the second
    // settings file): the error term of the F tests and the coefficients'
    // errors (pure error when there are repeats, else the residual), whether
    // the statistics window opens after the analysis, and the report's
    // sections after the standard ones.
    bool StatisticsPureError = true;
    bool CBOpenStatistics = false;
    bool CBAnovaSection = false;
    bool CBFitSection = false;
    bool CBIntervalsSection = false;
    bool CBCanonicalSection = false;
    bool CBDiagnosticsSection = false;

    // Report window.
    TColorValue ReportBackColor = 0x80000005;
    TColorValue ReportTextColor = 0x80000008;
    TFontRecord ReportFont;

    // Diagram page.
    std::string ELegend = "Зависимость отклика от одного из нормализованных факторов";
    TColorValue SColor = 0x00C0C0C0;
    TColorValue SCopyColor = 0x00FFFFFF;
    TColorValue SSeriesColor = 0;
    bool CBPoints2D = false;
    TColorValue SAxisColor = 0;
    bool CBNaturalX = true;
    bool CBGridVisible = true;
    TColorValue SGridColor = 0x00808080;
    std::uint8_t CBGridStyle = 2; // 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot

    // Surface page.
    bool CBShowLog = true;
    bool CBDescribePFDs = false;
    bool CBDrawLines = true;
    bool CBBlendSurface = false;
    bool CBDrawBBox = true;
    bool CBShowFPS = false;
    bool CBDrawBasis = false;
    std::int32_t TBMass = 25; // 1 .. 100
    bool CBNaturalXY = true;
    bool CBUseVR = false;
    TColorValue SBackColor = 0;
    TColorValue SXWallColor = Rgb(255, 115, 0);
    TColorValue SYWallColor = Rgb(0, 192, 16);
    TColorValue SZWallColor = Rgb(181, 0, 206);
    TColorValue SBBoxColor = 0x00808080;
    bool CBPoints3D = false;
    std::uint8_t LBSurfScheme = 2; // 0 one colour, 1 random, 2 two colours
    TColorValue SSurfColor1 = Rgb(0, 0, 255);
    TColorValue SSurfColor2 = Rgb(32, 255, 0);
    TColorValue SLineColor = 0x0000FFFF;

    // Fills the whole record with the defaults.
    void SetDefaults() { *this = TSettings(); }
};

// The one settings record of the process.
TSettings& Settings();

} // namespace orvanta
