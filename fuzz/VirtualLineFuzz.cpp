// The virtual serial line driven by a random sequence of operations from both ends:
// opening and closing, settings, reads, writes, event waits, purges, modem lines, line
// errors, unplugging. Nothing may crash, hang or leak, the error word holds only line
// errors, and at each close the module has received exactly the bytes each write
// reports as sent, in order.
#include "FuzzCheck.h"

#include "serial/virtual/VirtualSerialLine.h"

#include <algorithm>
#include <array>
#include <memory>

namespace {

using namespace serial;

// The operations' bytes, taken one at a time; zeros once the input is used up.
class Input {
public:
    Input(const std::uint8_t *data, std::size_t size) : data_(data), size_(size) {}
    bool More() const { return pos_ < size_; }
    std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    std::uint32_t Small() { return Byte() % 8; } // a short time-out or count
    std::string Bytes() {
        std::string bytes;
        for (std::uint32_t n = Byte() % 48; n > 0 && More(); --n)
            bytes.push_back(char(Byte()));
        return bytes;
    }

private:
    const std::uint8_t *data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// One overlapped operation's record and memory, kept until it has ended.
struct Slot {
    TWaitEvent event{true};
    TOverlapped overlapped;
    std::string buffer;
    std::uint32_t mask = 0;
    bool busy = false;
    Slot() { overlapped.hEvent = &event; }
    bool Ended() const { return overlapped.Internal != STATUS_PENDING; }
};

class Session {
public:
    explicit Session(VirtualSerialLine &line) : line_(line) {}

    void Step(Input &in) {
        switch (in.Byte() % 21) {
        case 0:
            if (!device_) {
                device_ = line_.OpenProgramEnd();
                expected_.clear();
                received_.clear();
            }
            break;
        case 1:
            Close();
            break;
        case 2:
            if (device_) {
                TDCB dcb;
                dcb.BaudRate = 1 + in.Byte() * 100;
                dcb.Flags = std::uint32_t(in.Byte()) | std::uint32_t(in.Byte()) << 8;
                dcb.XonLim = dcb.XoffLim = in.Byte();
                dcb.ByteSize = 4 + in.Byte() % 6;
                dcb.Parity = in.Byte() % 6;
                dcb.StopBits = in.Byte() % 4;
                dcb.XonChar = char(in.Byte());
                dcb.XoffChar = char(in.Byte());
                dcb.EvtChar = char(in.Byte());
                device_->SetCommState(dcb);
            }
            break;
        case 3:
            if (device_) {
                auto pick = [&] { return in.Byte() & 1 ? MAXDWORD : in.Small(); };
                device_->SetCommTimeouts({pick(), pick(), pick(), in.Small(), in.Small()});
            }
            break;
        case 4:
            if (device_)
                device_->SetupComm(in.Byte() % 80, in.Byte() % 80);
            break;
        case 5:
            if (device_)
                device_->EscapeCommFunction(in.Byte() % 11);
            break;
        case 6:
            if (std::uint32_t status = 0; device_)
                device_->GetCommModemStatus(status);
            break;
        case 7:
            if (std::uint32_t errors = 0; device_) {
                TComStat stat;
                if (device_->ClearCommError(errors, &stat))
                    FUZZ_CHECK((errors & ~(CE_RXOVER | CE_OVERRUN | CE_RXPARITY | CE_FRAME |
                                           CE_BREAK | CE_IOE)) == 0);
            }
            break;
        case 8:
            if (device_)
                device_->SetCommMask(std::uint32_t(in.Byte()) | std::uint32_t(in.Byte() & 7) << 8);
            break;
        case 9:
            if (Slot *slot = Free(wait_); device_ && slot)
                Started(*slot, device_->WaitCommEvent(slot->mask, slot->overlapped));
            break;
        case 10:
            if (Slot *slot = Free(reads_[in.Byte() % reads_.size()]); device_ && slot) {
                slot->buffer.assign(in.Byte() % 64, '\0');
                Started(*slot, device_->ReadFile(slot->buffer.data(), slot->buffer.size(), nullptr,
                                                 slot->overlapped));
            }
            break;
        case 11:
            if (Slot *slot = Free(writes_[in.Byte() % writes_.size()]); device_ && slot) {
                slot->buffer = in.Bytes();
                if (Started(*slot, device_->WriteFile(slot->buffer.data(), slot->buffer.size(),
                                                      nullptr, slot->overlapped)))
                    order_.push_back(slot);
            }
            break;
        case 12:
            if (device_)
                device_->PurgeComm(in.Byte() % 16);
            break;
        case 13:
            line_.WriteToProgram(in.Bytes());
            break;
        case 14:
            received_ += line_.ReadFromProgram(in.Byte());
            break;
        case 15: {
            const std::uint8_t lines = in.Byte();
            line_.SetCTS(lines & 1);
            line_.SetDSR(lines & 2);
            line_.SetRing(lines & 4);
            line_.SetRLSD(lines & 8);
            break;
        }
        case 16:
            line_.InjectLineErrors(in.Byte() | std::uint32_t(in.Byte()) << 8);
            break;
        case 17:
            line_.Unplug();
            break;
        case 18:
            line_.Replug();
            break;
        case 19:
            line_.SetModuleInputCapacity(in.Byte() % 128);
            break;
        case 20:
            for (Slot &slot : reads_)
                if (slot.busy && slot.Ended())
                    FUZZ_CHECK(slot.overlapped.InternalHigh <= slot.buffer.size());
            break;
        }
    }

    // Closing ends every operation; the module must then have what the writes sent.
    void Close() {
        if (!device_)
            return;
        device_.reset();
        for (Slot *slot : order_) {
            FUZZ_CHECK(slot->Ended());
            const std::uint32_t sent = slot->overlapped.InternalHigh;
            FUZZ_CHECK(sent <= slot->buffer.size());
            expected_ += slot->buffer.substr(0, sent);
        }
        order_.clear();
        for (Slot *slot : AllSlots()) {
            FUZZ_CHECK(!slot->busy || slot->Ended());
            slot->busy = false;
        }
        received_ += line_.ReadFromProgram();
        FUZZ_CHECK(received_ == expected_);
    }

private:
    // The slot when no operation uses it any more.
    Slot *Free(Slot &slot) {
        if (slot.busy && !slot.Ended())
            return nullptr;
        if (slot.busy && std::find(order_.begin(), order_.end(), &slot) != order_.end())
            return nullptr; // a finished write still counts at the next close
        slot.busy = false;
        return &slot;
    }
    // Whether the device took the operation: done at once, or going on.
    bool Started(Slot &slot, bool doneAtOnce) {
        slot.busy = doneAtOnce || GetLastError() == ERROR_IO_PENDING;
        return slot.busy;
    }
    std::vector<Slot *> AllSlots() {
        std::vector<Slot *> all{&wait_};
        for (Slot &slot : reads_)
            all.push_back(&slot);
        for (Slot &slot : writes_)
            all.push_back(&slot);
        return all;
    }

    VirtualSerialLine &line_;
    std::unique_ptr<SerialDevice> device_;
    Slot wait_;
    std::array<Slot, 3> reads_;
    std::array<Slot, 3> writes_;
    std::vector<Slot *> order_; // writes the device took, in order
    std::string expected_, received_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    VirtualSerialLine line;
    Session session(line);
    Input in(data, size);
    while (in.More())
        session.Step(in);
    session.Close();
    return 0;
}
