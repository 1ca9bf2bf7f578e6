#pragma once

#include "numeric/NamedMatrix.h"
#include "numeric/NamedVector.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvanta {

class TRaruRuro;
class TStream;

// Most adden names a plan file keeps.
constexpr std::int32_t MaxStoredAddens = 256;

// True when the text (a factor or response name) fits a plan file; otherwise
// says so, naming the text as `what` ("Имя фактора № 2"), and returns false.
bool CheckStoredText(std::string_view text, const std::string& what);
// The same for every factor name, "Имя фактора № " and its number.
bool CheckStoredNames(const std::vector<std::string>& names);

// A plan as stored in a plan file (".mpl"): the plan, its natural units,
// the observations, the check point, the names of the general plan's
// generator, model and addens, the factor names and the response name.
// Results are not stored.
struct TPlanImage {
    bool Valid = false;
    std::uint8_t Kind = 0;
    TNamedMatrix Code;
    bool HasCheck = false;
    TNamedVector CheckPointVec;
    TNamedVector CheckObs;
    TNamedVector Levels;
    TNamedVector Steps;
    TNamedMatrix Obs;
    std::string GenName;
    std::string ModelName;
    std::vector<std::string> AddenNames;
    std::vector<std::string> Names;
    std::string Response;
};

// Copies the plan into the image; false (with its message) when the plan
// cannot be saved.
bool FillImage(const TRaruRuro& plan, TPlanImage& image);
// Writes the image; false after "Ошибка записи. Извините.". The caller
// commits the stream only after a true result.
bool WriteImage(const TPlanImage& image, TStream& stream);
// Reads an image; false (with its message) for a damaged or unreadable file.
bool ReadImage(TStream& stream, TPlanImage& image);
// Makes the plan the image's; a failure leaves the plan reset.
bool ApplyImage(const TPlanImage& image, TRaruRuro& plan);

// Opening: the plan is reset, then read from the stream; a failure leaves it
// reset.
bool ReadPlan(TStream& stream, TRaruRuro& plan);
// Saving: FillImage then WriteImage.
bool WritePlan(const TRaruRuro& plan, TStream& stream);

} // namespace orvanta
