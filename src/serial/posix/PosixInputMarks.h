// Decoder of the receive stream of a terminal that marks line errors in-band (PARMRK).
#pragma once

#include <cstddef>
#include <cstdint>

namespace serial {

// With PARMRK set and IGNPAR clear the line discipline sends FF FF for a data byte FF,
// FF 00 X for a byte X received with a parity or framing error, and FF 00 00 for a break.
// A sequence may be split across two reads, so the decoder keeps its state between calls.
class PosixInputMarks {
public:
    // emit(byte, errored) is called for every received byte, in order; errored is true for
    // a byte that arrived marked (a bad byte, or the 00 of a break).
    template <typename Emit> void Feed(const std::uint8_t *raw, std::size_t count, Emit &&emit) {
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint8_t byte = raw[i];
            switch (state_) {
            case State::Plain:
                if (byte == 0xFF)
                    state_ = State::AfterMark;
                else
                    emit(byte, false);
                break;
            case State::AfterMark:
                if (byte == 0xFF) {
                    emit(std::uint8_t{0xFF}, false);
                    state_ = State::Plain;
                } else if (byte == 0x00) {
                    state_ = State::AfterMarkZero;
                } else {
                    // Not a mark the line discipline makes: keep both bytes as data.
                    emit(std::uint8_t{0xFF}, false);
                    emit(byte, false);
                    state_ = State::Plain;
                }
                break;
            case State::AfterMarkZero:
                emit(byte, true);
                state_ = State::Plain;
                break;
            }
        }
    }

    void Reset() { state_ = State::Plain; }

private:
    enum class State { Plain, AfterMark, AfterMarkZero };
    State state_ = State::Plain;
};

} // namespace serial
