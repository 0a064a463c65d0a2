// Windows devices (NUL, CON, COM1, a named pipe) written into in place, as
// cmd's ">" does: they cannot be replaced by a new file (Windows only, no Qt).
#pragma once

#include <string>
#include <string_view>

namespace mozaru {

class DeviceWriter {
public:
    // Opens path for writing when it names a device or a pipe; a file, a
    // folder or a name that does not exist is left closed (those are saved
    // atomically, which reports their failures).
    explicit DeviceWriter(const std::u16string& path);
    ~DeviceWriter();
    DeviceWriter(const DeviceWriter&) = delete;
    DeviceWriter& operator=(const DeviceWriter&) = delete;

    bool isOpen() const { return m_handle != nullptr; }
    // All of bytes, or false with the reason in error().
    bool write(std::string_view bytes);
    // The system's description of the failed write.
    std::u16string error() const;

private:
    void* m_handle = nullptr;
    unsigned long m_error = 0;
};

}  // namespace mozaru
