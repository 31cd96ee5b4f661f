#include "WireLog.h"

namespace testsupport {

void WireLog::Append(const void *bytes, std::uint32_t count) {
    const std::string written(static_cast<const char *>(bytes), count);
    {
        std::lock_guard lock(mutex_);
        text_ += written;
    }
    Notify(Event::Wrote, written);
}

void WireLog::Opened() {
    {
        std::lock_guard lock(mutex_);
        rtsUp_ = false;
    }
    Notify(Event::Opened);
}

void WireLog::Closed() {
    {
        std::lock_guard lock(mutex_);
        rtsUp_ = false;
    }
    Notify(Event::Closed);
}

void WireLog::SetRts(bool on) {
    {
        std::lock_guard lock(mutex_);
        rts_.push_back({on, text_.size()});
        if (on) {
            ++rises_;
            if (rtsUp_)
                ++risesWhileUp_;
        }
        rtsUp_ = on;
    }
    Notify(on ? Event::RtsUp : Event::RtsDown);
}

void WireLog::Notify(Event event, const std::string &bytes) {
    if (onEvent)
        onEvent(event, bytes);
}

std::string WireLog::Text() const {
    std::lock_guard lock(mutex_);
    return text_;
}

int WireLog::RtsRises() const {
    std::lock_guard lock(mutex_);
    return rises_;
}

int WireLog::RtsRisesWhileUp() const {
    std::lock_guard lock(mutex_);
    return risesWhileUp_;
}

std::vector<WireLog::RtsChange> WireLog::RtsChanges() const {
    std::lock_guard lock(mutex_);
    return rts_;
}

namespace {

class Logging : public serial::SerialDevice {
public:
    Logging(std::unique_ptr<serial::SerialDevice> device, WireLog &log)
        : device_(std::move(device)), log_(log) {
        log_.Opened();
    }
    ~Logging() override {
        device_.reset();
        log_.Closed();
    }

    bool SetCommState(const serial::TDCB &dcb) override { return device_->SetCommState(dcb); }
    bool SetCommTimeouts(const serial::TCommTimeouts &t) override {
        return device_->SetCommTimeouts(t);
    }
    bool SetupComm(std::uint32_t in, std::uint32_t out) override {
        return device_->SetupComm(in, out);
    }
    bool EscapeCommFunction(std::uint32_t f) override {
        const bool done = device_->EscapeCommFunction(f);
        if (done && (f == serial::SETRTS || f == serial::CLRRTS))
            log_.SetRts(f == serial::SETRTS);
        return done;
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
