#include "nmea/ConnectionProbe.h"

#include <cstddef>
#include <cstring>

#include <linux/inet_diag.h>
#include <linux/netlink.h>
#include <linux/sock_diag.h>
#include <linux/sockios.h>
#include <linux/tcp.h>
#include <netinet/in.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace nmea {

namespace {

// Copies an address's bytes and port into a diagnostics socket identity's fields.
bool Identity(const sockaddr_storage &address, __be32 (&bytes)[4], __be16 &port) {
    if (address.ss_family == AF_INET) {
        const auto &v4 = reinterpret_cast<const sockaddr_in &>(address);
        std::memcpy(bytes, &v4.sin_addr, sizeof v4.sin_addr);
        port = v4.sin_port;
        return true;
    }
    if (address.ss_family == AF_INET6) {
        const auto &v6 = reinterpret_cast<const sockaddr_in6 &>(address);
        std::memcpy(bytes, &v6.sin6_addr, sizeof v6.sin6_addr);
        port = v6.sin6_port;
        return true;
    }
    return false;
}

} // namespace

ConnectionProbe::~ConnectionProbe() {
    if (diagnostics_ >= 0)
        ::close(diagnostics_);
}

ConnectionSample ConnectionProbe::Sample(int socket, std::int64_t queued) {
    ConnectionSample sample;
    int unsent = 0;
    if (::ioctl(socket, SIOCOUTQNSD, &unsent) != 0)
        unsent = 0;
    sample.unsent = queued + unsent;
    sample.unread = PeerUnread(socket);
    tcp_info info{};
    socklen_t length = sizeof info;
    // Older systems fill a shorter record, without the window.
    if (::getsockopt(socket, IPPROTO_TCP, TCP_INFO, &info, &length) == 0 &&
        length >= offsetof(tcp_info, tcpi_snd_wnd) + sizeof info.tcpi_snd_wnd) {
        sample.window = info.tcpi_snd_wnd;
        sample.segment = info.tcpi_snd_mss;
        sample.windowStep = std::int64_t{1} << info.tcpi_snd_wscale;
    }
    return sample;
}

std::optional<std::int64_t> ConnectionProbe::PeerUnread(int socket) {
    sockaddr_storage mine{}, theirs{};
    socklen_t mineLength = sizeof mine, theirsLength = sizeof theirs;
    if (::getsockname(socket, reinterpret_cast<sockaddr *>(&mine), &mineLength) != 0 ||
        ::getpeername(socket, reinterpret_cast<sockaddr *>(&theirs), &theirsLength) != 0)
        return std::nullopt;
    struct {
        nlmsghdr header;
        inet_diag_req_v2 request;
    } message{};
    message.header.nlmsg_len = sizeof message;
    message.header.nlmsg_type = SOCK_DIAG_BY_FAMILY;
    message.header.nlmsg_flags = NLM_F_REQUEST;
    message.header.nlmsg_seq = ++sequence_;
    message.request.sdiag_family = static_cast<__u8>(mine.ss_family);
    message.request.sdiag_protocol = IPPROTO_TCP;
    message.request.idiag_states = ~0U;
    // The client's socket: its own address is our peer's, its peer is us. (An address of
    // the other family mapped into ours is looked up in its own family by the system.)
    inet_diag_sockid &id = message.request.id;
    if (!Identity(theirs, id.idiag_src, id.idiag_sport) ||
        !Identity(mine, id.idiag_dst, id.idiag_dport))
        return std::nullopt;
    id.idiag_cookie[0] = id.idiag_cookie[1] = INET_DIAG_NOCOOKIE;

    if (diagnostics_ < 0)
        diagnostics_ = ::socket(AF_NETLINK, SOCK_DGRAM | SOCK_CLOEXEC, NETLINK_SOCK_DIAG);
    if (diagnostics_ < 0)
        return std::nullopt;
    sockaddr_nl kernel{};
    kernel.nl_family = AF_NETLINK;
    if (::sendto(diagnostics_, &message, sizeof message, 0, reinterpret_cast<sockaddr *>(&kernel),
                 sizeof kernel) != static_cast<ssize_t>(sizeof message))
        return std::nullopt;
    // The system answers while it takes the request: the answer is there without waiting.
    alignas(nlmsghdr) char answer[1024];
    for (;;) {
        const ssize_t length = ::recv(diagnostics_, answer, sizeof answer, MSG_DONTWAIT);
        if (length <= 0)
            return std::nullopt;
        auto remaining = static_cast<int>(length);
        for (auto *header = reinterpret_cast<const nlmsghdr *>(answer); NLMSG_OK(header, remaining);
             header = NLMSG_NEXT(header, remaining)) {
            if (header->nlmsg_seq != sequence_)
                continue; // a late answer to an earlier request
            if (header->nlmsg_type != SOCK_DIAG_BY_FAMILY ||
                header->nlmsg_len < NLMSG_LENGTH(sizeof(inet_diag_msg)))
                return std::nullopt; // not on this machine, or no diagnostics
            const auto *found = static_cast<const inet_diag_msg *>(NLMSG_DATA(header));
            return found->idiag_rqueue;
        }
    }
}

} // namespace nmea
