#include "services/SafeWrite.h"

#include "numeric/Errors.h"
#include "numeric/Messages.h"
#include "numeric/SafeFileStream.h"

#include <memory>

namespace orvanta {

bool WriteFileSafely(const std::string& path, const std::function<void(TStream&)>& write) {
    std::unique_ptr<TSafeFileStream> stream;
    try {
        stream = std::make_unique<TSafeFileStream>(path);
    } catch (const EStreamError&) {
        ShowError("Ошибка создания файла \"" + path + "\". Извините.");
        return false;
    }
    try {
        write(*stream);
        stream->Commit();
    } catch (const EStreamError&) {
        ShowError("Ошибка записи файла \"" + path + "\". Извините.");
        return false;
    }
    return true;
}

} // namespace orvanta
