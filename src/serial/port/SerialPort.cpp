// The port's lifecycle, its properties and the device configuration.
#include "serial/port/SerialPort.h"

#include "serial/port/PortEventReceiver.h"

#include <system_error>

namespace serial {

namespace {

constexpr std::uint32_t BaudRates[] = {0,     110,   300,   600,   1200,  2400,   4800,   9600,
                                       14400, 19200, 38400, 56000, 57600, 115200, 128000, 256000};
constexpr std::uint8_t DataBitCounts[] = {5, 6, 7, 8};

} // namespace

TCustomSerialPort::TCustomSerialPort(platform::TComponent *owner) : platform::TComponent(owner) {
    parity_ = std::make_unique<TSerialParity>();
    parity_->SetOwnerPort(this);
    flowControl_ = std::make_unique<TSerialFlowControl>();
    flowControl_->SetOwnerPort(this);
    timeouts_ = std::make_unique<TSerialTimeouts>();
    timeouts_->SetOwnerPort(this);
    buffer_ = std::make_unique<TSerialBuffer>();
    buffer_->SetOwnerPort(this);
}

TCustomSerialPort::~TCustomSerialPort() {
    // A destructor must not throw: when Close fails (a handler raises, or the device
    // refuses the purge), the port is still torn down, silently.
    try {
        Close();
    } catch (...) {
    }
    StopWorker();
    ReapStoppedWorkers();
    CloseDevice();
    connected_ = false;
    buffer_.reset();
    flowControl_.reset();
    timeouts_.reset();
    parity_.reset();
}

void TCustomSerialPort::Open() {
    if (connected_ || IsDesigning())
        return;
    ReapStoppedWorkers();
    FireBeforeOpen();
    OpenDevice();
    connected_ = true;
    try {
        ConfigureDevice();
    } catch (...) {
        CloseDevice();
        connected_ = false;
        throw;
    }
    if (events_.Empty()) {
        workerRunning_ = false;
    } else {
        StartDelivery();
        workerRunning_ = true;
    }
    FireAfterOpen();
    // The present state of the lines, each read afresh.
    FireCTSChange(ModemSignals().Contains(msCTS));
    FireDSRChange(ModemSignals().Contains(msDSR));
    FireRLSDChange(ModemSignals().Contains(msRLSD));
}

void TCustomSerialPort::Close() {
    if (!connected_ || IsDesigning())
        return;
    FireCTSChange(false);
    FireDSRChange(false);
    FireRLSDChange(false);
    FireBeforeClose();
    try {
        AbortAll();
    } catch (const ESerialPort &error) {
        // A device that is gone (adapter pulled) cannot be purged, and never will be:
        // refusing to close it would keep the port from ever being opened again.
        if (!DeviceLost(error.WinErrorCode))
            throw;
    }
    if (workerRunning_) {
        StopWorker();
        workerRunning_ = false;
    }
    CloseDevice();
    connected_ = false;
    FireAfterClose();
}

void TCustomSerialPort::StartDelivery() {
    if (syncMethod_ == smWindowSync)
        notifyWindow_ = std::make_unique<TPortEventReceiver>(
            [this](std::uint32_t eventBit) { HandlePortEvent(eventBit); });
    platform::SyncQueue &queue = platform::SyncQueue::Instance();
    if (syncMethod_ != smNone && queue.ServesDescriptors() && queue.IsMainThread()) {
        try {
            loopEvents_ = std::make_unique<TMainLoopEvents>(*this, queue);
            return;
        } catch (const std::system_error &) {
            // No descriptor for the loop to watch: the worker waits instead.
        }
    }
    eventWorker_ = std::make_unique<TSerialThread>(*this);
}

bool TCustomSerialPort::DeviceLost(int osError) {
    return osError == EIO || osError == ENODEV || osError == ENXIO;
}

// The worker (or the loop's watch) goes first: it reads the device and the receiver
// until it has ended. Stopped from inside one of its own deliveries (a handler closes the
// port), it cannot be waited for: it ends by itself once the delivery returns, with its
// own hold on the device, and is reaped at the next Open or with the port.
void TCustomSerialPort::StopWorker() {
    if (InsideOwnDelivery()) {
        if (eventWorker_) {
            eventWorker_->RequestStop();
            stoppedWorkers_.push_back(std::move(eventWorker_));
        }
        if (loopEvents_) {
            loopEvents_->RequestStop();
            stoppedLoops_.push_back(std::move(loopEvents_));
        }
    }
    eventWorker_.reset();
    loopEvents_.reset();
    notifyWindow_.reset();
}

void TCustomSerialPort::ReapStoppedWorkers() {
    if (!InsideOwnDelivery()) {
        stoppedWorkers_.clear();
        stoppedLoops_.clear();
    }
}

void TCustomSerialPort::OpenDevice() {
    device_ = serial::OpenDevice(port_);
    if (!device_)
        throw ESerialPort(1, GetLastError());
}

void TCustomSerialPort::CloseDevice() { device_.reset(); }

void TCustomSerialPort::ConfigureDevice() {
    ApplyBufferSettings();
    ApplyLineSettings();
    ApplyTimeoutSettings();
}

SerialDevice *TCustomSerialPort::Device() const {
    if (!device_)
        SetLastError(ERROR_INVALID_HANDLE);
    return device_.get();
}

void TCustomSerialPort::ApplyLineSettings() {
    if (!Configurable())
        return;
    const auto &flow = *flowControl_;
    const bool replace = parity_->Check() && parity_->Replace();
    TDCB dcb;
    dcb.DCBlength = sizeof(TDCB);
    dcb.BaudRate =
        baudRate_ == brCustom ? static_cast<std::uint32_t>(customBaudRate_) : BaudRates[baudRate_];
    dcb.Flags = fBinary | (parity_->Check() ? fParity : 0) |
                (flow.OutCTSFlow() ? fOutxCtsFlow : 0) | (flow.OutDSRFlow() ? fOutxDsrFlow : 0) |
                (std::uint32_t(flow.ControlDTR()) << fDtrControlShift) |
                (flow.DSRSensitivity() ? fDsrSensitivity : 0) |
                (flow.TxContinueOnXoff() ? fTXContinueOnXoff : 0) |
                (flow.XonXoffOut() ? fOutX : 0) | (flow.XonXoffIn() ? fInX : 0) |
                (replace ? fErrorChar : 0) | (discardNull_ ? fNull : 0) |
                (std::uint32_t(flow.ControlRTS()) << fRtsControlShift);
    dcb.XonLim = static_cast<std::uint16_t>(buffer_->InputSize() / 4);
    dcb.XoffLim = dcb.XonLim;
    dcb.ByteSize = DataBitCounts[dataBits_];
    dcb.Parity = parity_->Bits();
    dcb.StopBits = stopBits_;
    dcb.XonChar = flow.XonChar();
    dcb.XoffChar = flow.XoffChar();
    dcb.ErrorChar = replace ? parity_->ReplaceChar() : 0;
    dcb.EofChar = 0;
    dcb.EvtChar = eventChar_;
    SerialDevice *device = Device();
    if (!device || !device->SetCommState(dcb))
        throw ESerialPort(7, GetLastError());
}

void TCustomSerialPort::ApplyTimeoutSettings() {
    if (!Configurable())
        return;
    const auto &t = *timeouts_;
    // Each value as its 32-bit pattern: -1 arrives as MAXDWORD.
    const TCommTimeouts record{static_cast<std::uint32_t>(t.ReadInterval()),
                               static_cast<std::uint32_t>(t.ReadTotalMultiplier()),
                               static_cast<std::uint32_t>(t.ReadTotalConstant()),
                               static_cast<std::uint32_t>(t.WriteTotalMultiplier()),
                               static_cast<std::uint32_t>(t.WriteTotalConstant())};
    SerialDevice *device = Device();
    if (!device || !device->SetCommTimeouts(record))
        throw ESerialPort(8, GetLastError());
}

void TCustomSerialPort::ApplyBufferSettings() {
    if (!Configurable())
        return;
    SerialDevice *device = Device();
    if (!device || !device->SetupComm(static_cast<std::uint32_t>(buffer_->InputSize()),
                                      static_cast<std::uint32_t>(buffer_->OutputSize())))
        throw ESerialPort(9, GetLastError());
}

std::uint32_t TCustomSerialPort::ReadErrorWord(TComStat *status) {
    std::uint32_t errors = 0;
    SerialDevice *device = Device();
    if (!device || !device->ClearCommError(errors, status))
        throw ESerialPort(10, GetLastError());
    return errors;
}

std::int32_t TCustomSerialPort::PendingInput() {
    TComStat status;
    ReadErrorWord(&status);
    return static_cast<std::int32_t>(status.cbInQue);
}

TSerialErrors TCustomSerialPort::LineErrors() {
    TComStat status;
    const std::uint32_t word = ReadErrorWord(&status);
    TSerialErrors errors;
    if (word & CE_FRAME)
        errors.Include(ceFraming);
    if ((word & CE_RXPARITY) && parity_->Check())
        errors.Include(ceParity);
    if (word & CE_OVERRUN)
        errors.Include(ceOverrun);
    if (word & CE_RXOVER)
        errors.Include(ceRxOverflow);
    if (word & CE_TXFULL)
        errors.Include(ceTxFull);
    if (word & CE_BREAK)
        errors.Include(ceBreak);
    if (word & CE_IOE)
        errors.Include(ceDeviceIO);
    if (word & CE_MODE)
        errors.Include(ceBadMode);
    return errors;
}

TModemSignals TCustomSerialPort::ModemSignals() {
    std::uint32_t status = 0;
    SerialDevice *device = Device();
    if (!device || !device->GetCommModemStatus(status))
        throw ESerialPort(11, GetLastError());
    // Status bits 4-7 are the set's bits 0-3.
    return TModemSignals::FromBits(static_cast<std::uint8_t>((status >> 4) & 0x0F));
}

void TCustomSerialPort::SetRTSLine(bool OnOff) {
    SerialDevice *device = Device();
    if (!device || !device->EscapeCommFunction(OnOff ? SETRTS : CLRRTS))
        throw ESerialPort(12, GetLastError());
}

void TCustomSerialPort::SetConnected(bool value) {
    if (IsLoading() || IsDesigning()) {
        connected_ = value;
        return;
    }
    if (value == connected_)
        return;
    if (value)
        Open();
    else
        Close();
}

void TCustomSerialPort::SetPort(const std::string &value) {
    if (value == port_)
        return;
    port_ = value;
    if (Configurable()) {
        Close();
        Open();
    }
}

void TCustomSerialPort::SetSyncMethod(TSyncMethod value) {
    if (value == syncMethod_)
        return;
    if (Configurable())
        throw ESerialPort(14);
    syncMethod_ = value;
}

void TCustomSerialPort::SetParity(const TSerialParity &value) {
    parity_->Assign(value);
    ApplyLineSettings();
}

void TCustomSerialPort::SetFlowControl(const TSerialFlowControl &value) {
    flowControl_->Assign(value);
    ApplyLineSettings();
}

void TCustomSerialPort::SetTimeouts(const TSerialTimeouts &value) {
    timeouts_->Assign(value);
    ApplyTimeoutSettings();
}

void TCustomSerialPort::SetBuffer(const TSerialBuffer &value) {
    buffer_->Assign(value);
    ApplyBufferSettings();
}

void TCustomSerialPort::Loaded() {
    TComponent::Loaded();
    if (connected_ && !IsDesigning()) {
        connected_ = false;
        try {
            Open();
        } catch (...) {
            ReportCurrentException();
        }
    }
}

} // namespace serial
