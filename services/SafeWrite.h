#pragma once

#include <functional>
#include <string>

namespace orvanta {

class TStream;

// Writes a file safely: `write` fills a temporary file beside the target,
// which replaces the target only when everything was written. A failure is
// reported with the path ("Ошибка создания файла ..." or "Ошибка записи
// файла ...") and leaves the old file as it was. An exception other than a
// stream error thrown by `write` abandons the file and propagates.
bool WriteFileSafely(const std::string& path, const std::function<void(TStream&)>& write);

} // namespace orvanta
