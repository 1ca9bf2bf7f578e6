#pragma once

namespace orvanta {

// Adds the report's sections of the model statistics ("Дисперсионный анализ",
// "Показатели качества модели", "Доверительные интервалы коэффициентов",
// "Каноническое преобразование", "Диагностика наблюдений") after the
// standard ones, each when its option is on; with every option off the
// report stays byte for byte as it was. The programs call it once at start.
void InstallStatisticsReport();

} // namespace orvanta
