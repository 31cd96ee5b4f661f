#include "WireLog.h"

namespace testsupport {

void WireLog::Append(const void *bytes, std::uint32_t count) {
    std::lock_guard lock(mutex_);
    text_.append(static_cast<const char *>(bytes), count);
}

std::string WireLog::Text() const {
    std::lock_guard lock(mutex_);
    return text_;
}

void WireLog::NoteRts(bool on) {
    std::lock_guard lock(mutex_);
    rts_.push_back({on, text_.size()});
}

std::vector<WireLog::RtsChange> WireLog::RtsChanges() const {
    std::lock_guard lock(mutex_);
    return rts_;
}

namespace {

class Logging : public serial::SerialDevice {
public:
    Logging(std::unique_ptr<serial::SerialDevice> device, WireLog &log)
        : device_(std::move(device)), log_(log) {}

    bool SetCommState(const serial::TDCB &dcb) override { return device_->SetCommState(dcb); }
    bool SetCommTimeouts(const serial::TCommTimeouts &t) override {
        return device_->SetCommTimeouts(t);
    }
    bool SetupComm(std::uint32_t in, std::uint32_t out) override {
        return device_->SetupComm(in, out);
    }
    bool EscapeCommFunction(std::uint32_t f) override {
        if (f == serial::SETRTS || f == serial::CLRRTS)
            log_.NoteRts(f == serial::SETRTS);
        return device_->EscapeCommFunction(f);
    }
    bool GetCommModemStatus(std::uint32_t &s) override { return device_->GetCommModemStatus(s); }
    bool ClearCommError(std::uint32_t &e, serial::TComStat *s) override {
        return device_->ClearCommError(e, s);
    }
    bool SetCommMask(std::uint32_t mask) override { return device_->SetCommMask(mask); }
    bool WaitCommEvent(std::uint32_t &mask, serial::TOverlapped &o) override {
        return device_->WaitCommEvent(mask, o);
    }
    bool ReadFile(void *buffer, std::uint32_t count, std::uint32_t *read,
                  serial::TOverlapped &o) override {
        return device_->ReadFile(buffer, count, read, o);
    }
    bool WriteFile(const void *buffer, std::uint32_t count, std::uint32_t *written,
                   serial::TOverlapped &o) override {
        log_.Append(buffer, count);
        return device_->WriteFile(buffer, count, written, o);
    }
    bool PurgeComm(std::uint32_t flags) override { return device_->PurgeComm(flags); }

private:
    std::unique_ptr<serial::SerialDevice> device_;
    WireLog &log_;
};

} // namespace

std::unique_ptr<serial::SerialDevice> LoggingDevice(std::unique_ptr<serial::SerialDevice> device,
                                                    WireLog &log) {
    return std::make_unique<Logging>(std::move(device), log);
}

} // namespace testsupport
