// The program's end of a virtual serial line, the device the port component opens.
#pragma once

#include "serial/virtual/VirtualLineCore.h"

namespace serial {

class VirtualProgramEnd : public SerialDevice {
public:
    explicit VirtualProgramEnd(std::shared_ptr<VirtualSerialLine::Core> core);
    ~VirtualProgramEnd() override;

    bool SetCommState(const TDCB &dcb) override;
    bool SetCommTimeouts(const TCommTimeouts &timeouts) override;
    bool SetupComm(std::uint32_t inQueue, std::uint32_t outQueue) override;
    bool EscapeCommFunction(std::uint32_t function) override;
    bool GetCommModemStatus(std::uint32_t &modemStatus) override;
    bool ClearCommError(std::uint32_t &errors, TComStat *status) override;
    bool SetCommMask(std::uint32_t mask) override;
    bool WaitCommEvent(std::uint32_t &mask, TOverlapped &overlapped) override;
    bool ReadFile(void *buffer, std::uint32_t count, std::uint32_t *read,
                  TOverlapped &overlapped) override;
    bool WriteFile(const void *buffer, std::uint32_t count, std::uint32_t *written,
                   TOverlapped &overlapped) override;
    bool PurgeComm(std::uint32_t flags) override;

private:
    bool Admit(VirtualCall call, bool evenIfPulled = false);

    std::shared_ptr<VirtualSerialLine::Core> core_;
};

} // namespace serial
