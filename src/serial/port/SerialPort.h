// The serial port component (unit SerialPort): one serial device opened, configured,
// watched by an event worker, read and written with overlapped transfers. Including this
// header brings in the whole unit.
#pragma once

#include "base/Component.h"
#include "base/Event.h"
#include "serial/port/ESerialPort.h"
#include "serial/port/ExceptionReport.h"
#include "serial/port/SerialAsync.h"
#include "serial/port/SerialDevice.h"
#include "serial/port/SerialSettings.h"
#include "serial/port/SerialTypes.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace serial {

class TSerialThread;
class TMainLoopEvents;
class TPortEventReceiver;
class TIniFile;

// The registry object of the platforms that keep one: the key under which the port names
// its values. This platform has no registry; the port refuses to use one.
struct TRegistry {
    std::string CurrentPath;
};

using TRxCharEvent = platform::TEvent<platform::TObject *, int>;
using TRxBufEvent = platform::TEvent<platform::TObject *, const void *, int>;
using TSerialSignalEvent = platform::TEvent<platform::TObject *, bool>;
using TSerialErrorEvent = platform::TEvent<platform::TObject *, TSerialErrors>;
using platform::TNotifyEvent;

class TCustomSerialPort : public platform::TComponent {
public:
    explicit TCustomSerialPort(platform::TComponent *owner = nullptr);
    ~TCustomSerialPort() override;

    // ---- Lifecycle and device state (main thread) ----
    void Open();
    void Close();
    // Bytes waiting in the input queue; also clears the device's pending line errors.
    std::int32_t PendingInput();
    TModemSignals ModemSignals();
    void SetRTSLine(bool OnOff);
    // The device's pending line errors; reading them clears them.
    TSerialErrors LineErrors();

    // Whether an operating-system error means the device itself has gone away.
    static bool DeviceLost(int osError);

    // ---- Properties ----
    bool Connected() const { return connected_; }
    void SetConnected(bool value);
    TBaudRate BaudRate() const { return baudRate_; }
    void SetBaudRate(TBaudRate value) { StoreLineSetting(baudRate_, value); }
    std::int32_t CustomBaudRate() const { return customBaudRate_; }
    void SetCustomBaudRate(std::int32_t value) { StoreLineSetting(customBaudRate_, value); }
    const std::string &Port() const { return port_; }
    void SetPort(const std::string &value);
    TStopBits StopBits() const { return stopBits_; }
    void SetStopBits(TStopBits value) { StoreLineSetting(stopBits_, value); }
    TDataBits DataBits() const { return dataBits_; }
    void SetDataBits(TDataBits value) { StoreLineSetting(dataBits_, value); }
    bool DiscardNull() const { return discardNull_; }
    void SetDiscardNull(bool value) { StoreLineSetting(discardNull_, value); }
    char EventChar() const { return eventChar_; }
    void SetEventChar(char value) { StoreLineSetting(eventChar_, value); }
    // Takes effect at the next Open, when the worker sets its event mask.
    TSerialEvents Events() const { return events_; }
    void SetEvents(TSerialEvents value) { events_ = value; }
    TSyncMethod SyncMethod() const { return syncMethod_; }
    void SetSyncMethod(TSyncMethod value);
    TStoredGroups StoredGroups() const { return storedGroups_; }
    void SetStoredGroups(TStoredGroups value) { storedGroups_ = value; }

    // The owned settings objects; the setters copy a whole object, then apply its group.
    TSerialParity &Parity() { return *parity_; }
    void SetParity(const TSerialParity &value);
    TSerialFlowControl &FlowControl() { return *flowControl_; }
    void SetFlowControl(const TSerialFlowControl &value);
    TSerialTimeouts &Timeouts() { return *timeouts_; }
    void SetTimeouts(const TSerialTimeouts &value);
    TSerialBuffer &Buffer() { return *buffer_; }
    void SetBuffer(const TSerialBuffer &value);

    // The open device (null while closed), what delivers its events and the delivery
    // receiver. In the synchronised modes the main thread's loop waits on the device
    // itself when it can (LoopEvents), so a byte crosses no thread before its handler;
    // otherwise, and always for smNone, an event worker does (EventWorker).
    SerialDevice *DeviceHandle() const { return device_.get(); }
    TSerialThread *EventWorker() const { return eventWorker_.get(); }
    TMainLoopEvents *LoopEvents() const { return loopEvents_.get(); }
    bool WorkerRunning() const { return workerRunning_; }
    TPortEventReceiver *NotifyWindow() const { return notifyWindow_.get(); }

    // ---- Overlapped transfers (byte strings, no conversion) ----
    std::int32_t WriteAsync(const void *buffer, std::int32_t count, PPortAsync async);
    std::int32_t WriteStringAsync(const std::string &text, PPortAsync async);
    std::int32_t WriteString(const std::string &text);
    std::int32_t ReadAsync(void *buffer, std::int32_t count, PPortAsync async);
    std::int32_t Read(void *buffer, std::int32_t count);
    std::int32_t ReadStringAsync(std::string &text, std::int32_t count, PPortAsync async);
    std::int32_t ReadString(std::string &text, std::int32_t count);
    std::int32_t WaitAsync(PPortAsync async);
    void AbortAll();

    // ---- Settings persistence (SerialPersistence.cpp) ----
    // The groups of StoredGroups, in the section named after the component. Saving writes
    // every value, then updates the file once. Loading reads each key with the current
    // value as its default and assigns it through its property, so a missing key changes
    // nothing and an open port applies each change at once.
    virtual void SaveToIni(TIniFile &IniFile);
    virtual void LoadFromIni(TIniFile &IniFile);
    // No registry here: both raise ESerialPort code 23.
    virtual void SaveToRegistry(TRegistry &Registry);
    virtual void LoadFromRegistry(TRegistry &Registry);

    // ---- Applying the settings groups to the open device ----
    virtual void ApplyLineSettings();
    virtual void ApplyTimeoutSettings();
    virtual void ApplyBufferSettings();

    // ---- Event slots ----
    TRxCharEvent OnRxChar;
    TRxBufEvent OnRxBuf;
    TNotifyEvent OnTxEmpty;
    TNotifyEvent OnBreak;
    TNotifyEvent OnRing;
    TSerialSignalEvent OnCTSChange;
    TSerialSignalEvent OnDSRChange;
    TSerialSignalEvent OnRLSDChange;
    TSerialErrorEvent OnError;
    TNotifyEvent OnRxFlag;
    TNotifyEvent OnAfterOpen;
    TNotifyEvent OnAfterClose;
    TNotifyEvent OnBeforeOpen;
    TNotifyEvent OnBeforeClose;
    TNotifyEvent OnRx80Full;

protected:
    // After a form load: opens the port if Connected was read as True.
    void Loaded() override;

    virtual void OpenDevice();
    virtual void CloseDevice();
    virtual void ConfigureDevice();

    virtual void FireAfterClose();
    virtual void FireAfterOpen();
    virtual void FireBeforeClose();
    virtual void FireBeforeOpen();
    virtual void FireRxChar(int Count);
    virtual void FireRxBuf(const void *Buffer, int Count);
    virtual void FireTxEmpty();
    virtual void FireBreak();
    virtual void FireRing();
    virtual void FireRxFlag();
    virtual void FireCTSChange(bool OnOff);
    virtual void FireDSRChange(bool OnOff);
    virtual void FireError(TSerialErrors Errors);
    virtual void FireRLSDChange(bool OnOff);
    virtual void FireRx80Full();

    // Event dispatch, run on whichever thread the delivery mode chooses.
    friend class TSerialThread;
    friend class TMainLoopEvents;
    friend class TPortEventReceiver;
    void DeliverEvents(TSerialEvents occurred);
    // The receiver's handler for one event bit (main thread, smWindowSync).
    void HandlePortEvent(std::uint32_t eventBit);
    void HandleError();
    void HandleRxChar();
    void HandleTxEmpty();
    void HandleBreak();
    void HandleRing();
    void HandleCTSChange();
    void HandleDSRChange();
    void HandleRxFlag();
    void HandleRLSDChange();
    void HandleRx80Full();

private:
    bool Configurable() const { return connected_ && !IsLoading() && !IsDesigning(); }
    template <typename T> void StoreLineSetting(T &field, T value) {
        if (field == value)
            return;
        field = value;
        ApplyLineSettings();
    }
    // The device, or a failure with ERROR_INVALID_HANDLE while the port is closed.
    SerialDevice *Device() const;
    std::uint32_t ReadErrorWord(TComStat *status);
    void StartDelivery();
    void StopWorker();
    // True on the thread that runs a delivery of this port's events: the worker cannot
    // be waited for there (it waits for this very delivery, or it is this thread).
    bool InsideOwnDelivery() const { return deliveringThread_ == std::this_thread::get_id(); }
    // Waits for the workers stopped from inside a delivery, once that has ended.
    void ReapStoppedWorkers();

    std::unique_ptr<TSerialThread> eventWorker_;
    std::unique_ptr<TMainLoopEvents> loopEvents_;
    std::vector<std::unique_ptr<TMainLoopEvents>> stoppedLoops_;
    bool workerRunning_ = false;
    // Shared with the worker, which keeps using it until its body has ended.
    std::shared_ptr<SerialDevice> device_;
    std::vector<std::unique_ptr<TSerialThread>> stoppedWorkers_;
    std::atomic<std::thread::id> deliveringThread_{};
    std::unique_ptr<TPortEventReceiver> notifyWindow_;
    bool connected_ = false;
    TBaudRate baudRate_ = br9600;
    std::int32_t customBaudRate_ = 9600;
    std::string port_ = "COM1";
    TStopBits stopBits_ = sbOneStopBit;
    TDataBits dataBits_ = dbEight;
    bool discardNull_ = false;
    char eventChar_ = 0;
    TSerialEvents events_ = AllSerialEvents;
    std::unique_ptr<TSerialBuffer> buffer_;
    std::unique_ptr<TSerialParity> parity_;
    std::unique_ptr<TSerialTimeouts> timeouts_;
    std::unique_ptr<TSerialFlowControl> flowControl_;
    TSyncMethod syncMethod_ = smThreadSync;
    TStoredGroups storedGroups_{sgBasic};
};

// The port as a form configures it; every property of the component is available.
class TSerialPort : public TCustomSerialPort {
public:
    using TCustomSerialPort::TCustomSerialPort;
};

} // namespace serial

#include "serial/port/MainLoopEvents.h"
#include "serial/port/SerialThread.h"
