// Overlapped transfers: async records, the asynchronous starts, the wait, the blocking
// forms and the abort.
#include "serial/port/SerialPort.h"

#include <cstring>

namespace serial {

namespace {

void CheckAsync(PPortAsync async) {
    if (!async)
        throw ESerialPort(4);
}

// The record is released whatever happens to the transfer.
struct LocalAsync {
    PPortAsync async = nullptr;
    LocalAsync() { NewAsync(async); }
    ~LocalAsync() { FreeAsync(async); }
};

} // namespace

void NewAsync(PPortAsync &async) {
    async = new TPortAsync;
    async->Overlapped.hEvent = &async->Event;
}

void FreeAsync(PPortAsync &async) {
    delete async;
    async = nullptr;
}

// The device is handed the record's own copy of the data, so a caller may release or
// reuse its buffer while the write is still pending.
std::int32_t TCustomSerialPort::WriteAsync(const void *buffer, std::int32_t count,
                                           PPortAsync async) {
    CheckAsync(async);
    async->Kind = akWrite;
    async->DataCopy.reset();
    const std::size_t size = count > 0 ? static_cast<std::size_t>(count) : 0;
    async->DataCopy = std::make_unique<char[]>(size);
    if (size)
        std::memcpy(async->DataCopy.get(), buffer, size);
    async->DataSize = count;
    std::uint32_t written = 0;
    SerialDevice *device = Device();
    if (!device || (!device->WriteFile(async->DataCopy.get(), static_cast<std::uint32_t>(size),
                                       &written, async->Overlapped) &&
                    GetLastError() != ERROR_IO_PENDING))
        throw ESerialPort(2, GetLastError());
    return static_cast<std::int32_t>(written);
}

std::int32_t TCustomSerialPort::WriteStringAsync(const std::string &text, PPortAsync async) {
    if (text.empty())
        return 0;
    return WriteAsync(text.data(), static_cast<std::int32_t>(text.size()), async);
}

std::int32_t TCustomSerialPort::WriteString(const std::string &text) {
    LocalAsync local;
    WriteStringAsync(text, local.async);
    return WaitAsync(local.async);
}

std::int32_t TCustomSerialPort::ReadAsync(void *buffer, std::int32_t count, PPortAsync async) {
    CheckAsync(async);
    async->Kind = akRead;
    std::uint32_t read = 0;
    SerialDevice *device = Device();
    const auto size = count > 0 ? static_cast<std::uint32_t>(count) : 0;
    if (!device || (!device->ReadFile(buffer, size, &read, async->Overlapped) &&
                    GetLastError() != ERROR_IO_PENDING))
        throw ESerialPort(3, GetLastError());
    return static_cast<std::int32_t>(read);
}

std::int32_t TCustomSerialPort::Read(void *buffer, std::int32_t count) {
    LocalAsync local;
    ReadAsync(buffer, count, local.async);
    return WaitAsync(local.async);
}

std::int32_t TCustomSerialPort::ReadStringAsync(std::string &text, std::int32_t count,
                                                PPortAsync async) {
    text.assign(count > 0 ? static_cast<std::size_t>(count) : 0, '\0');
    if (count <= 0)
        return 0;
    return ReadAsync(text.data(), count, async);
}

std::int32_t TCustomSerialPort::ReadString(std::string &text, std::int32_t count) {
    LocalAsync local;
    ReadStringAsync(text, count, local.async);
    const std::int32_t read = WaitAsync(local.async);
    text.resize(static_cast<std::size_t>(read));
    return read;
}

std::int32_t TCustomSerialPort::WaitAsync(PPortAsync async) {
    CheckAsync(async);
    const int code = async->Kind == akWrite ? 2 : 3;
    std::uint32_t transferred = 0;
    if (WaitForEvents({async->Overlapped.hEvent}, INFINITE) != 0 ||
        !GetOverlappedResult(async->Overlapped, transferred, false))
        throw ESerialPort(code, GetLastError());
    if (async->Kind == akRead)
        PendingInput(); // clears the line errors the read may have left pending
    return static_cast<std::int32_t>(transferred);
}

void TCustomSerialPort::AbortAll() {
    SerialDevice *device = Device();
    if (!device || !device->PurgeComm(PURGE_TXABORT | PURGE_RXABORT))
        throw ESerialPort(5, GetLastError());
}

} // namespace serial
