#include "LnkShortcut.h"

#include "LnkLayout.h"

#include <liblnk.h>
#include <sys/mman.h>
#include <unistd.h>

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

// Owns the liblnk file, and the in-memory file its bytes are read from, on every path out.
class LnkReader {
public:
    ~LnkReader() {
        if (FOpen) liblnk_file_close(FFile, nullptr);
        if (FFile) liblnk_file_free(&FFile, nullptr);
        if (FMemory >= 0) close(FMemory);
    }

    // libbfio's memory-range reader copies past the end of its range on some damaged links, so
    // the bytes are handed over as an in-memory file instead, read with ordinary file reads.
    bool Open(const QByteArray& bytes) {
        FMemory = memfd_create("marovia-lnk", MFD_CLOEXEC);
        if (FMemory < 0 || !WriteAll(bytes)) return false;
        liblnk_error_t* error = nullptr;
        if (liblnk_file_initialize(&FFile, &error) != 1) {
            liblnk_error_free(&error);
            return false;
        }
        // Links made on a Chinese system keep their non-Unicode strings in code page 936.
        liblnk_file_set_ascii_codepage(FFile, LIBLNK_CODEPAGE_WINDOWS_936, nullptr);
        const QByteArray path = "/proc/self/fd/" + QByteArray::number(FMemory);
        if (liblnk_file_open(FFile, path.constData(), LIBLNK_OPEN_READ, &error) != 1) {
            liblnk_error_free(&error);
            return false;
        }
        FOpen = true;
        return true;
    }

    liblnk_file_t* File() const { return FFile; }

private:
    bool WriteAll(const QByteArray& bytes) {
        qsizetype written = 0;
        while (written < bytes.size()) {
            const ssize_t count =
                write(FMemory, bytes.constData() + written, static_cast<size_t>(bytes.size() - written));
            if (count <= 0) return false;
            written += count;
        }
        return true;
    }

    int FMemory = -1;
    liblnk_file_t* FFile = nullptr;
    bool FOpen = false;
};

}  // namespace

std::optional<TShortcutTarget> ReadLnkShortcut(const QByteArray& bytes) {
    if (bytes.isEmpty() || !LinkLayoutIsSound(bytes)) return std::nullopt;
    LnkReader reader;
    if (!reader.Open(bytes)) return std::nullopt;
    const auto network =
        ReadString(reader.File(), liblnk_file_get_utf8_network_path_size, liblnk_file_get_utf8_network_path);
    const auto local =
        ReadString(reader.File(), liblnk_file_get_utf8_local_path_size, liblnk_file_get_utf8_local_path);
    const auto arguments = ReadString(reader.File(), liblnk_file_get_utf8_command_line_arguments_size,
                                      liblnk_file_get_utf8_command_line_arguments);
    if (!network || !local || !arguments) return std::nullopt;
    return TShortcutTarget{network->isEmpty() ? *local : *network, *arguments};
}
