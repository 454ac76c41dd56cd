#include "LnkShortcut.h"

#include <libbfio.h>
#include <liblnk.h>

#include <vector>

namespace {

// liblnk's getters share one shape: a size query, then the copy. 1 = present, 0 = absent.
using SizeGetter = int (*)(liblnk_file_t*, size_t*, liblnk_error_t**);
using ValueGetter = int (*)(liblnk_file_t*, uint8_t*, size_t, liblnk_error_t**);

std::optional<QString> ReadString(liblnk_file_t* file, SizeGetter sizeOf, ValueGetter valueOf) {
    liblnk_error_t* error = nullptr;
    size_t size = 0;
    const int found = sizeOf(file, &size, &error);
    if (found == 0 || (found == 1 && size == 0)) return QString();
    if (found != 1) {
        liblnk_error_free(&error);
        return std::nullopt;
    }
    std::vector<uint8_t> buffer(size);
    if (valueOf(file, buffer.data(), buffer.size(), &error) != 1) {
        liblnk_error_free(&error);
        return std::nullopt;
    }
    return QString::fromUtf8(reinterpret_cast<const char*>(buffer.data()),
                             qstrnlen(reinterpret_cast<const char*>(buffer.data()), buffer.size()));
}

// Owns the liblnk file and the memory handle under it, closing both on every path out.
class LnkReader {
public:
    ~LnkReader() {
        if (FOpen) liblnk_file_close(FFile, nullptr);
        if (FFile) liblnk_file_free(&FFile, nullptr);
        if (FHandle) libbfio_handle_free(&FHandle, nullptr);
    }

    bool Open(QByteArray& bytes) {
        libbfio_error_t* bfioError = nullptr;
        if (libbfio_memory_range_initialize(&FHandle, &bfioError) != 1 ||
            libbfio_memory_range_set(FHandle, reinterpret_cast<uint8_t*>(bytes.data()),
                                     static_cast<size_t>(bytes.size()), &bfioError) != 1) {
            libbfio_error_free(&bfioError);
            return false;
        }
        liblnk_error_t* error = nullptr;
        if (liblnk_file_initialize(&FFile, &error) != 1) {
            liblnk_error_free(&error);
            return false;
        }
        // Links made on a Chinese system keep their non-Unicode strings in code page 936.
        liblnk_file_set_ascii_codepage(FFile, LIBLNK_CODEPAGE_WINDOWS_936, nullptr);
        if (liblnk_file_open_file_io_handle(FFile, FHandle, LIBLNK_OPEN_READ, &error) != 1) {
            liblnk_error_free(&error);
            return false;
        }
        FOpen = true;
        return true;
    }

    liblnk_file_t* File() const { return FFile; }

private:
    libbfio_handle_t* FHandle = nullptr;
    liblnk_file_t* FFile = nullptr;
    bool FOpen = false;
};

}  // namespace

std::optional<TShortcutTarget> ReadLnkShortcut(const QByteArray& bytes) {
    // liblnk reads through a non-const pointer; give it its own copy.
    QByteArray data = bytes;
    if (data.isEmpty()) return std::nullopt;
    LnkReader reader;
    if (!reader.Open(data)) return std::nullopt;
    const auto network =
        ReadString(reader.File(), liblnk_file_get_utf8_network_path_size, liblnk_file_get_utf8_network_path);
    const auto local =
        ReadString(reader.File(), liblnk_file_get_utf8_local_path_size, liblnk_file_get_utf8_local_path);
    const auto arguments = ReadString(reader.File(), liblnk_file_get_utf8_command_line_arguments_size,
                                      liblnk_file_get_utf8_command_line_arguments);
    if (!network || !local || !arguments) return std::nullopt;
    return TShortcutTarget{network->isEmpty() ? *local : *network, *arguments};
}
