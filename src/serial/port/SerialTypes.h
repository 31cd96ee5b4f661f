// The serial port's value types: enumerations and the bit sets built on them.
#pragma once

#include <cstdint>
#include <initializer_list>

namespace serial {

enum TBaudRate : std::uint8_t {
    brCustom,
    br110,
    br300,
    br600,
    br1200,
    br2400,
    br4800,
    br9600,
    br14400,
    br19200,
    br38400,
    br56000,
    br57600,
    br115200,
    br128000,
    br256000
};
enum TStopBits : std::uint8_t { sbOneStopBit, sbOne5StopBits, sbTwoStopBits };
enum TDataBits : std::uint8_t { dbFive, dbSix, dbSeven, dbEight };
enum TParityBits : std::uint8_t { prNone, prOdd, prEven, prMark, prSpace };
enum TDTRFlowControl : std::uint8_t { dtrDisable, dtrEnable, dtrHandshake };
enum TRTSFlowControl : std::uint8_t { rtsDisable, rtsEnable, rtsHandshake, rtsToggle };
enum TFlowControl : std::uint8_t { fcHardware, fcSoftware, fcNone, fcCustom };
enum TSerialEvent : std::uint8_t {
    evRxChar,
    evTxEmpty,
    evRxFlag,
    evRing,
    evBreak,
    evCTS,
    evDSR,
    evError,
    evRLSD,
    evRx80Full
};
enum TSyncMethod : std::uint8_t { smThreadSync, smWindowSync, smNone };
enum TSerialError : std::uint8_t {
    ceFraming,
    ceParity,
    ceOverrun,
    ceBreak,
    ceDeviceIO,
    ceBadMode,
    ceRxOverflow,
    ceTxFull
};
enum TModemSignal : std::uint8_t { msCTS, msDSR, msRing, msRLSD };
// Settings groups that the port's persistence saves and loads.
enum TStoredGroup : std::uint8_t {
    sgBasic,
    sgFlowControl,
    sgBuffer,
    sgTimeouts,
    sgParity,
    sgOthers
};

// A set of enumeration members held as bits: bit n is the member with ordinal n.
template <typename Member, typename Bits> class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<Member> members) {
        for (Member m : members)
            bits_ |= Bit(m);
    }
    static constexpr TSet FromBits(Bits bits) {
        TSet set;
        set.bits_ = bits;
        return set;
    }

    constexpr Bits ToBits() const { return bits_; }
    constexpr bool Contains(Member m) const { return (bits_ & Bit(m)) != 0; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr TSet &Include(Member m) {
        bits_ |= Bit(m);
        return *this;
    }
    constexpr TSet &Exclude(Member m) {
        bits_ &= static_cast<Bits>(~Bit(m));
        return *this;
    }

    friend constexpr bool operator==(TSet, TSet) = default;
    friend constexpr TSet operator|(TSet a, TSet b) { return FromBits(a.bits_ | b.bits_); }
    friend constexpr TSet operator&(TSet a, TSet b) { return FromBits(a.bits_ & b.bits_); }

private:
    static constexpr Bits Bit(Member m) { return static_cast<Bits>(1u << m); }
    Bits bits_ = 0;
};

using TSerialEvents = TSet<TSerialEvent, std::uint16_t>;
using TSerialErrors = TSet<TSerialError, std::uint8_t>;
using TModemSignals = TSet<TModemSignal, std::uint8_t>;
using TStoredGroups = TSet<TStoredGroup, std::uint8_t>;

inline constexpr TSerialEvents AllSerialEvents{evRxChar, evTxEmpty, evRxFlag, evRing, evBreak,
                                               evCTS,    evDSR,     evError,  evRLSD, evRx80Full};

} // namespace serial
