// termios2 is used so that any rate can be set (BOTHER) and read back; <asm/termbits.h>
// cannot live beside <termios.h>, hence this file of its own.
#include "serial/posix/PosixLineSettings.h"

#include <asm/ioctls.h>
#include <asm/termbits.h>
#include <cerrno>
#include <cstdlib>
#include <sys/ioctl.h>

namespace serial {

namespace {

struct StandardRate {
    std::uint32_t rate;
    unsigned int code;
};
constexpr StandardRate kStandardRates[] = {
    {50, B50},         {75, B75},         {110, B110},        {134, B134},       {150, B150},
    {200, B200},       {300, B300},       {600, B600},        {1200, B1200},     {1800, B1800},
    {2400, B2400},     {4800, B4800},     {9600, B9600},      {19200, B19200},   {38400, B38400},
    {57600, B57600},   {115200, B115200}, {230400, B230400},  {460800, B460800}, {500000, B500000},
    {576000, B576000}, {921600, B921600}, {1000000, B1000000}};

unsigned int StandardCode(std::uint32_t rate) {
    for (const auto &entry : kStandardRates)
        if (entry.rate == rate)
            return entry.code;
    return 0;
}

std::uint32_t RateOf(const termios2 &tio) {
    const unsigned int code = tio.c_cflag & CBAUD;
    if (code == BOTHER)
        return tio.c_ospeed;
    for (const auto &entry : kStandardRates)
        if (entry.code == code)
            return entry.rate;
    return 0;
}

// A driver may round a rate to what its clock divides to; more than 3 % off no longer
// talks to the far end, so that is refused rather than silently kept.
bool RateAcceptable(std::uint32_t requested, std::uint32_t actual) {
    const long long diff = std::llabs(static_cast<long long>(requested) - actual);
    return diff * 100 <= static_cast<long long>(requested) * 3;
}

constexpr tcflag_t kFramingBits = CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS;

} // namespace

int ValidateLineSettings(const TDCB &dcb) {
    if (dcb.BaudRate == 0 || dcb.ByteSize < 5 || dcb.ByteSize > 8 || dcb.Parity > SPACEPARITY ||
        dcb.StopBits > TWOSTOPBITS)
        return EINVAL;
    if (dcb.StopBits == ONE5STOPBITS && dcb.ByteSize != 5)
        return EINVAL;
    if (dcb.StopBits == TWOSTOPBITS && dcb.ByteSize == 5)
        return EINVAL;
    if ((dcb.Flags & (fOutX | fInX)) && dcb.XonChar == dcb.XoffChar)
        return EINVAL;
    return 0;
}

int ApplyLineSettings(int fd, const TDCB &dcb) {
    if (int error = ValidateLineSettings(dcb))
        return error;
    termios2 previous{};
    if (ioctl(fd, TCGETS2, &previous) < 0)
        return errno;
    termios2 tio = previous;

    // Raw mode, as cfmakeraw does, with in-band error marks instead of stripped bytes.
    tio.c_iflag &= ~(IGNBRK | BRKINT | IGNPAR | ISTRIP | INLCR | IGNCR | ICRNL | IUCLC | IXANY |
                     IXON | IXOFF | IMAXBEL | INPCK);
    tio.c_iflag |= PARMRK;
    if (dcb.Flags & fParity)
        tio.c_iflag |= INPCK;
    if (dcb.Flags & fOutX)
        tio.c_iflag |= IXON;
    if (dcb.Flags & fInX)
        tio.c_iflag |= IXOFF;
    tio.c_oflag &= ~OPOST;
    tio.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);

    tio.c_cflag &= ~(kFramingBits | CBAUD | (CBAUD << IBSHIFT));
    tio.c_cflag |= CLOCAL | CREAD | HUPCL;
    static constexpr tcflag_t kSizes[] = {CS5, CS6, CS7, CS8};
    tio.c_cflag |= kSizes[dcb.ByteSize - 5];
    switch (dcb.Parity) {
    case ODDPARITY:
        tio.c_cflag |= PARENB | PARODD;
        break;
    case EVENPARITY:
        tio.c_cflag |= PARENB;
        break;
    case MARKPARITY:
        tio.c_cflag |= PARENB | CMSPAR | PARODD;
        break;
    case SPACEPARITY:
        tio.c_cflag |= PARENB | CMSPAR;
        break;
    default:
        break;
    }
    // With 5 data bits a UART sends 1.5 stop bits for CSTOPB.
    if (dcb.StopBits != ONESTOPBIT)
        tio.c_cflag |= CSTOPB;
    if (UsesKernelRtsCts(dcb))
        tio.c_cflag |= CRTSCTS;

    const unsigned int code = StandardCode(dcb.BaudRate);
    tio.c_cflag |= code ? code : BOTHER;
    tio.c_ispeed = tio.c_ospeed = dcb.BaudRate;
    tio.c_cc[VSTART] = static_cast<cc_t>(dcb.XonChar);
    tio.c_cc[VSTOP] = static_cast<cc_t>(dcb.XoffChar);
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;

    if (ioctl(fd, TCSETS2, &tio) < 0)
        return errno;
    termios2 actual{};
    if (ioctl(fd, TCGETS2, &actual) < 0)
        return errno;
    const bool framingKept = (actual.c_cflag & kFramingBits) == (tio.c_cflag & kFramingBits);
    if (!framingKept || !RateAcceptable(dcb.BaudRate, RateOf(actual))) {
        ioctl(fd, TCSETS2, &previous);
        return EINVAL;
    }
    return 0;
}

} // namespace serial
